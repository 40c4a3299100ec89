#include "toolkit/win/Desktop.h"

#include <windows.h>

#include "toolkit/controls/Form.h"

namespace tallow {

TSize ScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void PlaceFormInWindow(TskForm& form, uintptr_t parent) {
    form.HandleNeeded();
    HWND window = form.Peer() != nullptr ? reinterpret_cast<HWND>(form.Peer()->Handle()) : nullptr;
    if (window == nullptr || parent == 0)
        return;
    // A top-level window becomes a child: its place is then in the parent's client area.
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    SetWindowLongPtrA(window, GWL_STYLE, (style & ~LONG_PTR(WS_POPUP)) | WS_CHILD);
    SetParent(window, reinterpret_cast<HWND>(parent));
    form.SetBounds(0, 0, form.Width(), form.Height());
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace tallow
