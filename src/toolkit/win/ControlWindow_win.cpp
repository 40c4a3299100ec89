#include "toolkit/win/ControlWindow_win.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Canvas_win.h"

namespace tallow {

void CreateWindowTree(TskControl& control) {
    if (!control.Visible())
        return;
    if (control.Peer() == nullptr && WindowFactory() != nullptr)
        control.AttachPeer(std::unique_ptr<IControlPeer>(WindowFactory()->CreateControlWindow(control)));
    if (control.Peer() == nullptr)
        return;
    for (TskControl* child : control.Children())
        CreateWindowTree(*child);
}

void CompleteWindowTree(TskControl& control) {
    if (control.Peer() == nullptr && WindowFactory() != nullptr)
        control.AttachPeer(std::unique_ptr<IControlPeer>(WindowFactory()->CreateControlWindow(control)));
    if (control.Peer() == nullptr)
        return;
    for (TskControl* child : control.Children())
        CompleteWindowTree(*child);
}

namespace {

// Windows are made in the order of their controls, each below the ones made
// before it. A window made later, because its control was hidden when the
// others were made, is put where it would have been: the order decides which
// of two overlapping windows shows, and the order screen readers list them in.
void PlaceAmongSiblings(HWND hwnd, const TskControl& control) {
    if (hwnd == nullptr || control.Parent() == nullptr)
        return;
    const std::vector<TskControl*>& siblings = control.Parent()->Children();
    auto self = std::find(siblings.begin(), siblings.end(), &control);
    auto hasWindow = [](const TskControl* c) { return c->WindowHandle() != 0; };
    if (self == siblings.end() || std::none_of(std::next(self), siblings.end(), hasWindow))
        return;  // made at the bottom, which is its place
    auto above = std::find_if(std::make_reverse_iterator(self), siblings.rend(), hasWindow);
    HWND after = above != siblings.rend() ? reinterpret_cast<HWND>((*above)->WindowHandle()) : HWND_TOP;
    SetWindowPos(hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

ControlWindow::ControlWindow(TskControl& control) : control_(control) {
    RegisterClassOnce(control.WindowClassName(), control.Cursor() == TCursorKind::Hand ? IDC_HAND : IDC_ARROW, false);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (control.Visible())
        style |= WS_VISIBLE;
    if (!control.Enabled())
        style |= WS_DISABLED;
    if (control.CanFocus())
        style |= WS_TABSTOP;
    HWND parent = reinterpret_cast<HWND>(control.Parent() != nullptr ? control.Parent()->WindowHandle() : 0);
    Create(control.WindowClassName(), "", style, 0, control.Left(), control.Top(), control.Width(), control.Height(),
           parent, control.TabOrder() + 100);
    PlaceAmongSiblings(Hwnd(), control);
}

//--- peer -----------------------------------------------------------------

// A window not on the screen is painted whole when it is shown: until then
// there is nothing to mark.
void ControlWindow::Invalidate() {
    if (Hwnd() != nullptr && IsWindowVisible(Hwnd()))
        InvalidateRect(Hwnd(), nullptr, FALSE);
}

void ControlWindow::BoundsChanged() {
    if (Hwnd() != nullptr)
        SetWindowPos(Hwnd(), nullptr, control_.Left(), control_.Top(), control_.Width(), control_.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlWindow::VisibleChanged() {
    if (Hwnd() == nullptr)
        return;
    if (control_.Visible())
        for (TskControl* child : control_.Children())
            CompleteWindowTree(*child);
    ShowWindow(Hwnd(), control_.Visible() ? SW_SHOWNA : SW_HIDE);
}

void ControlWindow::EnabledChanged() {
    if (Hwnd() != nullptr)
        EnableWindow(Hwnd(), control_.Enabled() ? TRUE : FALSE);
}

void ControlWindow::TextChanged() {
    Invalidate();
}

void ControlWindow::TakeFocus() {
    if (Hwnd() != nullptr)
        SetFocus(Hwnd());
}

void ControlWindow::ChildAdded(TskControl& child) {
    CreateWindowTree(child);
}

//--- messages -------------------------------------------------------------

LRESULT ControlWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT:
            return OnPaint();
        case WM_NCCREATE:
            // The text is the control's own, answered to WM_GETTEXT: the system
            // keeps none for the window, which spares a request to store it.
            return TRUE;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCPAINT:
            return 0;  // no border, so no frame to paint (and no window context to ask for)
        case WM_MOUSEMOVE:
            return OnMouseMove();
        case WM_MOUSELEAVE:
            tracking_ = false;
            control_.MouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(Hwnd());
            control_.MouseDown({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == Hwnd())
                ReleaseCapture();
            control_.MouseUp({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return 0;
        case WM_SETFOCUS:
            control_.FocusChanged(true);
            return 0;
        case WM_KILLFOCUS:
            control_.FocusChanged(false);
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSCHAR:
            return OnKey(msg, wp);
        case WM_GETDLGCODE:
            return DLGC_BUTTON;
        case WM_GETTEXT:
            return OnGetText(wp, lp);
        case WM_GETTEXTLENGTH:
            return LRESULT(control_.Caption().size());
        case WM_SETTEXT:
            control_.SetCaption(lp != 0 ? reinterpret_cast<const char*>(lp) : "");
            return TRUE;
        case BM_CLICK:
            // A window disabled beneath a modal dialog takes no clicks, not even
            // simulated ones, as it takes no mouse input.
            if (control_.IsUsable() && IsWindowEnabled(GetAncestor(Hwnd(), GA_ROOT)))
                control_.Click();
            return 0;
        case BM_GETCHECK:
        case BM_SETCHECK:
            return OnCheck(msg, wp);
        default:
            return Default(msg, wp, lp);
    }
}

LRESULT ControlWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    PaintBuffered(dc, RECT{0, 0, control_.Width(), control_.Height()},
                  [this](ICanvas& canvas) { control_.Paint(canvas); });
    EndPaint(Hwnd(), &ps);
    return 0;
}

LRESULT ControlWindow::OnMouseMove() {
    if (!tracking_) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Hwnd(), 0};
        tracking_ = TrackMouseEvent(&tme) != FALSE;
        control_.MouseEnter();
    }
    return 0;
}

// Dialog keys go to the form first (Tab, Enter for the default button, Esc for
// the cancel button, Alt+mnemonic); what it leaves is the control's own.
LRESULT ControlWindow::OnKey(UINT msg, WPARAM key) {
    TskForm* form = control_.ParentForm();
    if (msg == WM_SYSCHAR) {
        if (form != nullptr && form->DialogChar(char(key), true))
            return 0;
        return Default(msg, key, 0);
    }
    if (msg == WM_KEYDOWN) {
        bool shift = GetKeyState(VK_SHIFT) < 0;
        if (form != nullptr && (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) &&
            form->DialogKey(unsigned(key), shift))
            return 0;
        control_.KeyDown(unsigned(key));
        return 0;
    }
    if (form != nullptr && form->KeyPreview())
        form->KeyReleased(unsigned(key));
    control_.KeyUp(unsigned(key));
    return 0;
}

LRESULT ControlWindow::OnGetText(WPARAM size, LPARAM buffer) {
    if (size == 0 || buffer == 0)
        return 0;
    const std::string& text = control_.Caption();
    size_t n = std::min(size_t(size) - 1, text.size());
    std::memcpy(reinterpret_cast<char*>(buffer), text.data(), n);
    reinterpret_cast<char*>(buffer)[n] = '\0';
    return LRESULT(n);
}

LRESULT ControlWindow::OnCheck(UINT msg, WPARAM state) {
    auto* box = dynamic_cast<TskCheckBox*>(&control_);
    if (box == nullptr)
        return 0;
    if (msg == BM_SETCHECK)
        box->SetChecked(state == BST_CHECKED);
    return box->Checked() ? BST_CHECKED : BST_UNCHECKED;
}

}  // namespace tallow
