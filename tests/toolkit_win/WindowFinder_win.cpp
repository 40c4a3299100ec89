#include "WindowFinder_win.h"

namespace tallow::test {

std::string WindowText(HWND hwnd) {
    char buffer[512] = {};
    SendMessageA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

static BOOL CALLBACK Collect(HWND hwnd, LPARAM out) {
    char cls[128] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    reinterpret_cast<std::vector<ChildWindow>*>(out)->push_back({hwnd, cls, WindowText(hwnd)});
    return TRUE;
}

std::vector<ChildWindow> ChildWindows(HWND parent) {
    std::vector<ChildWindow> out;
    EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text) {
    for (const ChildWindow& w : ChildWindows(parent))
        if (w.className == className && w.text == text)
            return w.hwnd;
    return nullptr;
}

HWND WaitForWindow(const char* className, int ms) {
    for (int waited = 0; waited < ms; waited += 20) {
        HWND hwnd = FindWindowA(className, nullptr);
        if (hwnd != nullptr && IsWindowVisible(hwnd))
            return hwnd;
        Sleep(20);
    }
    return nullptr;
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > DWORD(ms))
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    return true;
}

}  // namespace tallow::test
