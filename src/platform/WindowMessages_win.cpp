#include <windows.h>

#include <cstddef>

#include "platform/WinServices.h"

namespace tallow {

static_assert(sizeof(CopyDataRecord) == sizeof(COPYDATASTRUCT));
static_assert(offsetof(CopyDataRecord, cbData) == offsetof(COPYDATASTRUCT, cbData));
static_assert(offsetof(CopyDataRecord, lpData) == offsetof(COPYDATASTRUCT, lpData));
static_assert(kWmCopyData == WM_COPYDATA);

namespace {

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

class TWinWindowMessages : public IWindowMessages {
  public:
    std::uint32_t RegisterMessage(const std::string& name) override { return RegisterWindowMessageA(name.c_str()); }

    WindowHandle FindWindowByClass(const std::string& className, WindowHandle after) override {
        return reinterpret_cast<WindowHandle>(FindWindowExA(nullptr, ToHwnd(after), className.c_str(), nullptr));
    }

    std::intptr_t Send(WindowHandle window,
                       std::uint32_t message,
                       std::uintptr_t wParam,
                       std::intptr_t lParam) override {
        return SendMessageA(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    }

    std::intptr_t SendCopyData(WindowHandle window, std::uintptr_t dwData, const std::string& bytes) override {
        COPYDATASTRUCT data;
        data.dwData = static_cast<ULONG_PTR>(dwData);
        data.cbData = static_cast<DWORD>(bytes.size());
        data.lpData = const_cast<char*>(bytes.data());
        return SendMessageA(ToHwnd(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }

    bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        return PostMessageA(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != 0;
    }
};

}  // namespace

IWindowMessages& WinWindowMessages() {
    static TWinWindowMessages messages;
    return messages;
}

}  // namespace tallow
