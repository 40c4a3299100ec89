// The one window procedure of all toolkit windows: `this` comes from
// lpCreateParams at WM_NCCREATE, is kept in a table of the thread's windows and
// receives every message through the virtual OnMessage. No exception crosses the procedure.
#pragma once

#include <windows.h>

#include <string>

namespace tallow {

class WindowBase {
  public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Hwnd() const { return hwnd_; }

  protected:
    // Registers `className` once (per process) with the shared procedure and the
    // system cursor `cursor` (an IDC_ name). Only top-level windows carry the
    // program's icon: loading it for every class of child window would cost each
    // of them a resource look-up at start-up for an icon they never show.
    static void RegisterClassOnce(const char* className, LPCSTR cursor, bool topLevel);
    // A child window (one with a `parent`) takes `childId` as its control ID.
    bool Create(const char* className,
                const char* title,
                DWORD style,
                DWORD exStyle,
                int x,
                int y,
                int w,
                int h,
                HWND parent,
                int childId = 0);
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd_, msg, wp, lp); }
    // The window is gone (WM_NCDESTROY); the object may still live.
    virtual void Destroyed() {}

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
};

}  // namespace tallow
