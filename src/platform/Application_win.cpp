#include <objbase.h>
#include <windows.h>

#include <exception>
#include <memory>

#include "platform/WinServices.h"

namespace tallow {

namespace {

// Posted tasks travel to a message-only window of the user-interface thread, so
// that any loop that dispatches there (the main loop, a modal dialog's loop,
// ProcessMessages) runs them; a thread message would be lost in a modal loop.
constexpr UINT kRunTask = WM_APP + 1;
constexpr char kTaskWindowClass[] = "TallowUiTasks";

using Task = std::function<void()>;

void ShowError(const std::string& title, const std::string& text) {
    MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

LRESULT CALLBACK TaskWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunTask)
        return DefWindowProcA(window, message, wParam, lParam);
    std::unique_ptr<Task> task(reinterpret_cast<Task*>(lParam));
    try {
        (*task)();
    } catch (const std::exception& e) {
        ShowError("Error", e.what());
    } catch (...) {
        ShowError("Error", "Unknown error");
    }
    return 0;
}

HWND CreateTaskWindow() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = TaskWindowProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = kTaskWindowClass;
    RegisterClassA(&cls);
    return CreateWindowExA(0, kTaskWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
}

class TWinApplication : public IApplication {
  public:
    TWinApplication() : taskWindow_(CreateTaskWindow()) {}

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

    void ShowErrorBox(const std::string& title, const std::string& text) override { ShowError(title, text); }

    void PostToUiThread(std::function<void()> task) override {
        auto posted = std::make_unique<Task>(std::move(task));
        if (taskWindow_ != nullptr && PostMessageA(taskWindow_, kRunTask, 0, reinterpret_cast<LPARAM>(posted.get())))
            posted.release();  // the task window owns it now
    }

  private:
    HWND taskWindow_;
};

}  // namespace

IApplication& WinApplication() {
    static TWinApplication application;
    return application;
}

}  // namespace tallow
