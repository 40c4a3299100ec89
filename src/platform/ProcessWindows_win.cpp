#include <windows.h>

#include "platform/WinServices.h"

namespace tallow {

namespace {

class TWinProcessWindows : public IProcessWindows {
  public:
    WindowHandle FindOwnWindow(const std::string& className) override {
        const char* name = className.c_str();
        for (HWND w = FindWindowExA(nullptr, nullptr, name, nullptr); w; w = FindWindowExA(nullptr, w, name, nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (process == GetCurrentProcessId())
                return reinterpret_cast<WindowHandle>(w);
        }
        return 0;
    }

    WindowHandle ActiveWindow() override { return reinterpret_cast<WindowHandle>(GetActiveWindow()); }
};

}  // namespace

IProcessWindows& WinProcessWindows() {
    static TWinProcessWindows windows;
    return windows;
}

}  // namespace tallow
