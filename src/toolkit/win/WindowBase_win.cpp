#include "toolkit/win/WindowBase_win.h"

#include <exception>
#include <set>
#include <string>
#include <unordered_map>

#include "toolkit/controls/Application.h"

namespace tallow {

namespace {
// The object of each window. A window's messages come only to the thread that
// made it, so each thread keeps its own windows; keeping them here rather than in
// the window's user data spares every window a request to the window manager.
std::unordered_map<HWND, WindowBase*>& ThreadWindows() {
    thread_local std::unordered_map<HWND, WindowBase*> windows;
    return windows;
}
}  // namespace

WindowBase::~WindowBase() {
    if (hwnd_ != nullptr) {
        HWND h = hwnd_;
        ThreadWindows().erase(h);
        hwnd_ = nullptr;
        DestroyWindow(h);
    }
}

void WindowBase::RegisterClassOnce(const char* className, LPCSTR cursor, bool topLevel) {
    static std::set<std::string> registered;
    if (!registered.insert(className).second)
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowBase::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    // A system cursor is one shared object: it is loaded once for every class that shows it.
    static std::unordered_map<const char*, HCURSOR> cursors;
    auto known = cursors.find(cursor);
    if (known == cursors.end())
        known = cursors.emplace(cursor, LoadCursorA(nullptr, cursor)).first;
    wc.hCursor = known->second;
    if (topLevel) {
        // The program's own icon (resource 1 of the program file) in the title bar and
        // the task bar; programs without one get the system's generic icon.
        wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
        if (wc.hIcon == nullptr)
            wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    }
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}

bool WindowBase::Create(const char* className,
                        const char* title,
                        DWORD style,
                        DWORD exStyle,
                        int x,
                        int y,
                        int w,
                        int h,
                        HWND parent,
                        int childId) {
    HMENU id = parent != nullptr ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)) : nullptr;
    HWND hwnd = CreateWindowExA(exStyle, className, title, style, x, y, w, h, parent, id, GetModuleHandleA(nullptr), this);
    return hwnd != nullptr;
}

LRESULT WindowBase::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return Default(msg, wp, lp);
}

LRESULT CALLBACK WindowBase::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto& windows = ThreadWindows();
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        auto* self = static_cast<WindowBase*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        windows[hwnd] = self;
    }
    auto found = windows.find(hwnd);
    if (found == windows.end())
        return DefWindowProcA(hwnd, msg, wp, lp);
    WindowBase* self = found->second;
    if (msg == WM_NCDESTROY) {
        windows.erase(found);
        self->hwnd_ = nullptr;
        self->Destroyed();
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    try {
        return self->OnMessage(msg, wp, lp);
    } catch (const std::exception& e) {
        ReportException(e.what());
    } catch (...) {
        ReportException("Unknown error");
    }
    return 0;
}

}  // namespace tallow
