// One window message as a window's handler sees it, and the handler type that
// a window procedure forwards to.
#pragma once

#include <cstdint>
#include <functional>

namespace tallow {

/// One window message as a window's handler receives it. `result` is what the
/// window procedure returns.
struct EngineMessage {
    uint32_t msg = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    intptr_t result = 0;
};

/// Handles a message of a window; the handler a window procedure forwards to.
using MessageHandler = std::function<void(EngineMessage&)>;

}  // namespace tallow
