#include <windows.h>
#include <objbase.h>

#include "platform/WinServices.h"

namespace tallow {

namespace {

class TWinApplication : public IApplication {
public:
    bool InitializeCom() override { return SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }

    void UninitializeCom() override { CoUninitialize(); }

    void RunMessageLoop() override {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    void Terminate() override { PostQuitMessage(0); }

    void ProcessMessages() override {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // keep it for the loop
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    void Sleep(unsigned milliseconds) override { ::Sleep(milliseconds); }

    void ShowErrorBox(const std::string& title, const std::string& text) override {
        MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
};

}  // namespace

IApplication& WinApplication() {
    static TWinApplication application;
    return application;
}

}  // namespace tallow
