// Opaque handles of Windows objects for code that must not include <windows.h>.
#pragma once

#include <cstdint>

namespace tallow {

/// A window handle (HWND) carried as an integer; 0 means no window.
using WindowHandle = std::uintptr_t;

}  // namespace tallow
