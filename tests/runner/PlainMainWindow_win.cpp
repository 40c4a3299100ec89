#include <windows.h>

#include "framework/CLSettings.h"
#include "framework/InstanceMessages.h"
#include "runner/PlainMainWindow.h"  // tests/runner

namespace tallow {

namespace {

const char kClassName[] = "TfrmMain";

class TPlainMainWindow : public IMainWindow {
  public:
    TPlainMainWindow();
    ~TPlainMainWindow() override;
    TPlainMainWindow(const TPlainMainWindow&) = delete;
    TPlainMainWindow& operator=(const TPlainMainWindow&) = delete;

    void ShowMainWindow() override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCopyData(const COPYDATASTRUCT* data);

    HWND window_ = nullptr;
    UINT msgGetAppId_ = RegisterWindowMessageA(kMsgGetAppID);
    UINT msgCloseApp_ = RegisterWindowMessageA(kMsgCloseApp);
    UINT msgIfBusy_ = RegisterWindowMessageA(kMsgIfBusy);
    std::string commandLineFile_;  // the last file name a second start handed over
};

void RegisterClassOnce(WNDPROC windowProc) {
    static const bool registered = [windowProc] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
}

TPlainMainWindow::TPlainMainWindow() {
    RegisterClassOnce(&WindowProc);
    const std::string title = AppSettings().ReadString("App.Name");
    CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 480, 320, nullptr,
                    nullptr, GetModuleHandleA(nullptr), this);
}

TPlainMainWindow::~TPlainMainWindow() {
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void TPlainMainWindow::ShowMainWindow() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

LRESULT CALLBACK TPlainMainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<TPlainMainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TPlainMainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT TPlainMainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == msgGetAppId_) {
        return AppSettings().ReadInteger("App.ID");
    }
    if (message == msgCloseApp_) {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        return 0;
    }
    if (message == msgIfBusy_) {
        return 0;  // ready as soon as it exists
    }
    switch (message) {
        case WM_COPYDATA:
            return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_DESTROY: {
            HWND window = window_;
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            PostQuitMessage(0);
            return DefWindowProcA(window, message, wParam, lParam);
        }
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT TPlainMainWindow::OnCopyData(const COPYDATASTRUCT* data) {
    if (data && data->lpData) {
        commandLineFile_.assign(static_cast<const char*>(data->lpData), data->cbData);
    }
    return TRUE;
}

}  // namespace

MainWindowClass PlainMainWindowClass() {
    return {kClassName, [] { return std::unique_ptr<IMainWindow>(new TPlainMainWindow()); }};
}

}  // namespace tallow
