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
    SetParent(window, reinterpret_cast<HWND>(parent));
    form.SetBounds(0, 0, form.Width(), form.Height());
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tallow
