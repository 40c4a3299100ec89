#include <windows.h>

#include "platform/WinServices.h"

namespace tallow {

namespace {

// Windows 2000 and later, or Windows 98 and later, refuse plain foreground
// changes from a background process.
bool HasForegroundLock() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) {
        return true;
    }
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        return version.dwMajorVersion > 4;
    }
    return version.dwMajorVersion > 4 || (version.dwMajorVersion == 4 && version.dwMinorVersion > 0);
}

void BringToFront(HWND window) {
    BringWindowToTop(window);
    SetForegroundWindow(window);
}

void AttachAndBringToFront(HWND window) {
    const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    if (AttachThreadInput(windowThread, foregroundThread, TRUE)) {
        BringToFront(window);
        AttachThreadInput(windowThread, foregroundThread, FALSE);
    }
}

void BringToFrontWithoutLockTimeout(HWND window) {
    DWORD saved = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved, 0);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
    BringToFront(window);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(saved)),
                          SPIF_SENDCHANGE);
}

class TWinForeground : public IForeground {
  public:
    bool ForceForegroundWindow(WindowHandle handle) override {
        HWND window = reinterpret_cast<HWND>(handle);
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
        }
        ShowWindow(window, SW_SHOW);
        if (GetForegroundWindow() == window) {
            return true;
        }
        if (HasForegroundLock()) {
            AttachAndBringToFront(window);
            if (GetForegroundWindow() != window) {
                BringToFrontWithoutLockTimeout(window);
            }
        } else {
            BringToFront(window);
        }
        return GetForegroundWindow() == window;
    }
};

}  // namespace

IForeground& WinForeground() {
    static TWinForeground foreground;
    return foreground;
}

}  // namespace tallow
