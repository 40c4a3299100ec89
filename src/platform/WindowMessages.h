// Window messages between processes: registered messages, window search,
// SendMessage, PostMessage and WM_COPYDATA.
#pragma once

#include <cstdint>
#include <string>

#include "platform/WindowHandle.h"

namespace tallow {

/// The system's WM_COPYDATA and the layout of its record (COPYDATASTRUCT).
constexpr std::uint32_t kWmCopyData = 0x004A;
struct CopyDataRecord {
    std::uintptr_t dwData;
    std::uint32_t cbData;
    const void* lpData;
};

class IWindowMessages {
  public:
    virtual ~IWindowMessages() = default;
    /// RegisterWindowMessageA: the same name gives the same number in every
    /// process; 0 on failure.
    virtual std::uint32_t RegisterMessage(const std::string& name) = 0;
    /// The next top-level window of class `className` after `after` (0: the
    /// first), as FindWindowExA with no parent returns it; 0 when there is none.
    virtual WindowHandle FindWindowByClass(const std::string& className, WindowHandle after) = 0;
    /// SendMessageA: waits until the receiver has handled the message; its result.
    virtual std::intptr_t Send(WindowHandle window,
                               std::uint32_t message,
                               std::uintptr_t wParam,
                               std::intptr_t lParam) = 0;
    /// Sends WM_COPYDATA with wParam 0 and a record holding `dwData`, the exact
    /// byte length of `bytes` (no terminator added) and the bytes; its result.
    virtual std::intptr_t SendCopyData(WindowHandle window, std::uintptr_t dwData, const std::string& bytes) = 0;
    /// PostMessageA; false when the message could not be posted.
    virtual bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace tallow
