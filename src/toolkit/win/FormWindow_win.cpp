#include "toolkit/win/FormWindow_win.h"

#include <windowsx.h>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/Menu.h"
#include "toolkit/controls/PngForm.h"
#include "toolkit/win/Canvas_win.h"
#include "toolkit/win/ControlWindow_win.h"
#include "toolkit/win/PictureWindow_win.h"

namespace tallow {

namespace {
DWORD StyleOf(const TskForm& form, bool skinned) {
    DWORD style = WS_CLIPCHILDREN;
    if (form.Borderless() || skinned) {
        style |= WS_POPUP;
        if (skinned && form.SystemMenuIcon())
            style |= WS_SYSMENU;
        if (skinned && form.MinimizeIcon())
            style |= WS_MINIMIZEBOX;
        return style;
    }
    style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    if (form.MinimizeIcon())
        style |= WS_MINIMIZEBOX;
    return style;
}

LRESULT HitCode(TFrameHit hit) {
    switch (hit) {
        case TFrameHit::Client:
            return HTCLIENT;
        case TFrameHit::Caption:
            return HTCAPTION;
        case TFrameHit::SystemMenu:
            return HTSYSMENU;
        case TFrameHit::Minimize:
            return HTMINBUTTON;
        case TFrameHit::Close:
            return HTCLOSE;
        case TFrameHit::Border:
            return HTBORDER;
        default:
            return HTNOWHERE;
    }
}

TFrameHit FrameHitOf(WPARAM code) {
    switch (code) {
        case HTSYSMENU:
            return TFrameHit::SystemMenu;
        case HTMINBUTTON:
            return TFrameHit::Minimize;
        case HTCLOSE:
            return TFrameHit::Close;
        default:
            return TFrameHit::Nowhere;
    }
}
}  // namespace

namespace {
// Set on a form's window when it is shown: its hidden contents get their windows
// at the first tick, and a timer's tick comes only once the queue holds nothing
// else, the first painting included.
constexpr UINT_PTR kCompleteWindowsTimer = 0x7A11;
}  // namespace

FormWindow::FormWindow(TskForm& form) : form_(form) {
    skinned_ = form.UsesSkinnedFrame();
    RegisterClassOnce(form.WindowClassName(), IDC_ARROW, true);
    DWORD ex = form.PictureWindow() != nullptr ? WS_EX_LAYERED : 0;
    SIZE size = WindowSizeFor(form.ClientWidth(), form.ClientHeight());
    POINT place = InitialPlace(size);
    Create(form.WindowClassName(), form.Caption().c_str(), StyleOf(form, skinned_), ex, place.x, place.y, size.cx,
           size.cy, nullptr);
}

TFrameLayout FormWindow::Layout() const {
    return LayoutFrame(form_.ClientWidth(), form_.ClientHeight(), form_.SystemMenuIcon(), form_.MinimizeIcon(),
                       Metrics());
}

TFrameMetrics FormWindow::Metrics() const {
    TskSkinFrame* frame = form_.SkinFrame();
    return FrameMetricsOf(frame != nullptr ? frame->Palette() : form_.Palette());
}

SIZE FormWindow::WindowSizeFor(int clientWidth, int clientHeight) const {
    if (skinned_ || form_.Borderless()) {
        if (form_.Borderless())
            return {clientWidth, clientHeight};
        TFrameLayout l = Layout();
        return {l.Window.Width(), l.Window.Height()};
    }
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, StyleOf(form_, false), FALSE, 0);
    return {r.right - r.left, r.bottom - r.top};
}

// Designed places keep Left/Top; centred forms go to the middle of the work
// area or of the active window of this program. Worked out before the window is
// made, so that it is made where it stays.
POINT FormWindow::InitialPlace(SIZE size) const {
    if (form_.Position() == TPosition::Designed)
        return {form_.Left(), form_.Top()};
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    HWND active = GetActiveWindow();
    if (form_.Position() == TPosition::MainFormCenter && active != nullptr && IsWindowVisible(active))
        GetWindowRect(active, &area);
    return {area.left + (area.right - area.left - size.cx) / 2, area.top + (area.bottom - area.top - size.cy) / 2};
}

// The skin switched between our caption bar and the standard frame.
void FormWindow::Restyle() {
    skinned_ = form_.UsesSkinnedFrame();
    bool visible = IsWindowVisible(Hwnd()) != FALSE;
    SetWindowLongPtrA(Hwnd(), GWL_STYLE, LONG_PTR(StyleOf(form_, skinned_) | (visible ? WS_VISIBLE : 0)));
    SIZE size = WindowSizeFor(form_.ClientWidth(), form_.ClientHeight());
    SetWindowPos(Hwnd(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

//--- peer -----------------------------------------------------------------

void FormWindow::Invalidate() {
    if (Hwnd() == nullptr)
        return;
    if (form_.UsesSkinnedFrame() != skinned_)
        Restyle();
    if (form_.PictureWindow() != nullptr) {
        UpdatePictureWindow(Hwnd(), *form_.PictureWindow());
        return;
    }
    if (!IsWindowVisible(Hwnd()))
        return;  // painted whole when shown
    InvalidateRect(Hwnd(), nullptr, FALSE);
    if (skinned_)
        PaintFrame();
}

void FormWindow::BoundsChanged() {
    if (Hwnd() == nullptr)
        return;
    SIZE size = WindowSizeFor(form_.ClientWidth(), form_.ClientHeight());
    SetWindowPos(Hwnd(), nullptr, form_.Left(), form_.Top(), size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::VisibleChanged() {
    if (Hwnd() == nullptr)
        return;
    if (!form_.Visible()) {
        // The owner is enabled before the window goes, so that activation
        // passes back to it, however the modal form ended.
        bool wasActive = GetActiveWindow() == Hwnd();
        HWND owner = modalOwner_;
        EnableModalOwner();
        ShowWindow(Hwnd(), SW_HIDE);
        if (owner != nullptr && (wasActive || GetActiveWindow() == nullptr) && IsWindowVisible(owner))
            SetActiveWindow(owner);
        return;
    }
    // The owner is taken before showing: once shown, this window is the active one.
    if (form_.InModal())
        DisableModalOwner();
    ShowWindow(Hwnd(), SW_SHOW);
    SetTimer(Hwnd(), kCompleteWindowsTimer, 0, nullptr);
    if (form_.PictureWindow() != nullptr)
        UpdatePictureWindow(Hwnd(), *form_.PictureWindow());
    SetForegroundWindow(Hwnd());
    RestoreFocus();
}

void FormWindow::EnabledChanged() {
    if (Hwnd() != nullptr)
        EnableWindow(Hwnd(), form_.Enabled() ? TRUE : FALSE);
}

// The title is kept by the system too, for the task bar and other programs.
void FormWindow::TextChanged() {
    if (Hwnd() == nullptr)
        return;
    DefWindowProcA(Hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(form_.Caption().c_str()));
    if (skinned_)
        PaintFrame();
}

void FormWindow::TakeFocus() {
    if (Hwnd() != nullptr)
        SetFocus(Hwnd());
}

void FormWindow::ChildAdded(TskControl& child) {
    CreateWindowTree(child);
}

// A modal form disables its owner as a system message box does: the active
// window of this thread or, when none is active (the form was asked for by a
// message from another program), the visible main form.
void FormWindow::DisableModalOwner() {
    if (modalOwner_ != nullptr)
        return;
    HWND owner = GetActiveWindow();
    if (owner == nullptr || owner == Hwnd()) {
        TskForm* main = Application().MainForm();
        owner = main != nullptr && main != &form_ && main->Peer() != nullptr
                    ? reinterpret_cast<HWND>(main->Peer()->Handle())
                    : nullptr;
    }
    if (owner == nullptr || owner == Hwnd() || !IsWindowVisible(owner))
        return;
    modalOwner_ = owner;
    SetWindowLongPtrA(Hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    ownerDisabledByUs_ = IsWindowEnabled(owner) != FALSE;
    if (ownerDisabledByUs_)
        EnableWindow(owner, FALSE);
}

void FormWindow::EnableModalOwner() {
    if (modalOwner_ != nullptr && ownerDisabledByUs_ && IsWindow(modalOwner_))
        EnableWindow(modalOwner_, TRUE);
    modalOwner_ = nullptr;
    ownerDisabledByUs_ = false;
}

void FormWindow::RunModal() {
    DisableModalOwner();  // shown already by the caller, or shown without a window before
    HWND owner = modalOwner_;
    SetForegroundWindow(Hwnd());
    RestoreFocus();
    MSG msg;
    while (form_.ModalResult() == mrNone && form_.Visible() && Hwnd() != nullptr) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(int(msg.wParam));  // leave the quit for the outer loop
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (owner != nullptr && owner == modalOwner_) {
        EnableModalOwner();
        SetActiveWindow(owner);
    }
}

void FormWindow::Close() {
    if (Hwnd() == nullptr)
        return;
    ShowWindow(Hwnd(), SW_HIDE);
    PostMessageA(Hwnd(), WM_NULL, 0, 0);  // wakes a modal loop waiting in GetMessage
}

bool FormWindow::Post(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    return Hwnd() != nullptr && PostMessageA(Hwnd(), msg, wParam, lParam) != FALSE;
}

void FormWindow::ShowPopupMenuAt(int screenX, int screenY) {
    TskSkinFrame* frame = form_.SkinFrame();
    TPopupMenu* menu = frame != nullptr ? frame->SystemMenu() : nullptr;
    if (menu == nullptr || Hwnd() == nullptr)
        return;
    if (screenX < 0 && screenY < 0) {
        RECT win;
        GetWindowRect(Hwnd(), &win);
        TFrameLayout l = Layout();
        screenX = win.left + (skinned_ ? l.SysMenu.Left : 0);
        screenY = win.top + (skinned_ ? l.Caption.Bottom : GetSystemMetrics(SM_CYCAPTION));
    }
    menu->Popup();
    HMENU popup = CreatePopupMenu();
    for (int i = 0; i < menu->Count(); ++i) {
        TMenuItem* item = menu->Items(i);
        UINT flags = MF_STRING | (item->Enabled() ? 0u : MF_GRAYED) | (item->Checked() ? MF_CHECKED : 0u);
        AppendMenuA(popup, flags, UINT_PTR(i + 1), item->Caption().c_str());
    }
    int chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY, screenX, screenY, 0,
                                Hwnd(), nullptr);
    DestroyMenu(popup);
    if (chosen > 0 && chosen <= menu->Count())
        menu->Items(chosen - 1)->Click();
}

//--- messages -------------------------------------------------------------

LRESULT FormWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // While CreateWindowEx runs the form does not know its window yet: no hook
    // can be installed on it, so its own handling answers directly.
    if (form_.Peer() != static_cast<IControlPeer*>(this))
        return HandleOwn(msg, wp, lp);
    // The windows of the pages not shown, once the shown form is painted.
    if (msg == WM_TIMER && wp == kCompleteWindowsTimer) {
        KillTimer(Hwnd(), kCompleteWindowsTimer);
        for (TskControl* child : form_.Children())
            CompleteWindowTree(*child);
        return 0;
    }
    TMessage m{msg, wp, lp, 0};
    form_.Dispatch(m);
    return m.result;
}

void FormWindow::DefaultHandler(TMessage& m) {
    if (Hwnd() == nullptr)
        return;
    m.result = HandleOwn(m.msg, m.wParam, m.lParam);
}

LRESULT FormWindow::HandleOwn(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCCALCSIZE:
            return OnNcCalcSize(wp, lp);
        case WM_NCHITTEST:
            return OnNcHitTest(lp);
        case WM_NCPAINT:
            if (!skinned_)
                return Default(msg, wp, lp);
            PaintFrame();
            return 0;
        case WM_NCACTIVATE:
            active_ = wp != FALSE;
            if (!skinned_)
                return Default(msg, wp, lp);
            PaintFrame();
            return TRUE;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
            return OnNcButton(msg, wp) == 0 ? 0 : Default(msg, wp, lp);
        case WM_NCMOUSEMOVE:
            OnNcMouseMove(wp);
            return Default(msg, wp, lp);
        case WM_NCMOUSELEAVE:
            OnNcMouseMove(HTNOWHERE);
            trackingNc_ = false;
            return 0;
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;
        case WM_CLOSE:
            form_.Close();
            return 0;
        case WM_ACTIVATE:
            return OnActivate(wp);
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSCHAR:
            return OnKey(msg, wp, lp);
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_KEYMENU && lp == ' ' && form_.SkinFrame() != nullptr &&
                form_.SkinFrame()->SystemMenu() != nullptr) {
                ShowPopupMenuAt(-1, -1);
                return 0;
            }
            return Default(msg, wp, lp);
        case WM_SETTEXT:
            form_.SetCaption(lp != 0 ? reinterpret_cast<const char*>(lp) : "");
            return TRUE;
        default:
            return Default(msg, wp, lp);
    }
}

LRESULT FormWindow::OnNcCalcSize(WPARAM wp, LPARAM lp) {
    if (!skinned_)
        return Default(WM_NCCALCSIZE, wp, lp);
    RECT* r = reinterpret_cast<RECT*>(lp);  // the first rectangle in both forms of the message
    TFrameMetrics m = Metrics();
    r->left += m.Border;
    r->right -= m.Border;
    r->top += m.Border + m.CaptionHeight;
    r->bottom -= m.Border;
    return 0;
}

LRESULT FormWindow::OnNcHitTest(LPARAM lp) {
    if (!skinned_)
        return Default(WM_NCHITTEST, 0, lp);
    RECT win;
    GetWindowRect(Hwnd(), &win);
    TPoint at{GET_X_LPARAM(lp) - win.left, GET_Y_LPARAM(lp) - win.top};
    return HitCode(HitTestFrame(Layout(), at));
}

// Caption buttons act when the mouse goes up on the button it went down on.
LRESULT FormWindow::OnNcButton(UINT msg, WPARAM hit) {
    TskSkinFrame* frame = form_.SkinFrame();
    TFrameHit which = FrameHitOf(hit);
    if (!skinned_ || frame == nullptr || which == TFrameHit::Nowhere)
        return 1;
    if (which == TFrameHit::SystemMenu && msg == WM_NCLBUTTONDOWN) {
        ShowPopupMenuAt(-1, -1);
        return 0;
    }
    if (msg == WM_NCLBUTTONDOWN) {
        frame->SetPressedButton(which);
    } else {
        bool act = frame->PressedButton() == which;
        frame->SetPressedButton(TFrameHit::Nowhere);
        if (act && which == TFrameHit::Minimize)
            ShowWindow(Hwnd(), SW_MINIMIZE);
        if (act && which == TFrameHit::Close)
            PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
    }
    PaintFrame();
    return 0;
}

LRESULT FormWindow::OnNcMouseMove(WPARAM hit) {
    TskSkinFrame* frame = form_.SkinFrame();
    if (!skinned_ || frame == nullptr)
        return 0;
    if (!trackingNc_ && hit != HTNOWHERE) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE | TME_NONCLIENT, Hwnd(), 0};
        trackingNc_ = TrackMouseEvent(&tme) != FALSE;
    }
    TFrameHit which = FrameHitOf(hit);
    if (which != frame->HotButton()) {
        frame->SetHotButton(which);
        if (which == TFrameHit::Nowhere)
            frame->SetPressedButton(TFrameHit::Nowhere);
        PaintFrame();
    }
    return 0;
}

void FormWindow::PaintFrame() {
    TskSkinFrame* frame = form_.SkinFrame();
    if (!skinned_ || frame == nullptr || Hwnd() == nullptr)
        return;
    TFrameLayout l = Layout();
    HDC dc = GetWindowDC(Hwnd());
    ExcludeClipRect(dc, l.Client.Left, l.Client.Top, l.Client.Right, l.Client.Bottom);
    // The frame alone, strip by strip around the client area: the caption above,
    // the edge below, then the two sides between them.
    const TRect& w = l.Window;
    const TRect& c = l.Client;
    for (const RECT& strip : {RECT{w.Left, w.Top, w.Right, c.Top}, RECT{w.Left, c.Bottom, w.Right, w.Bottom},
                              RECT{w.Left, c.Top, c.Left, c.Bottom}, RECT{c.Right, c.Top, w.Right, c.Bottom}}) {
        if (strip.right > strip.left && strip.bottom > strip.top)
            PaintBuffered(dc, strip, [&](ICanvas& canvas) { frame->Paint(canvas, l, active_); });
    }
    ReleaseDC(Hwnd(), dc);
}

LRESULT FormWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    if (form_.PictureWindow() != nullptr) {
        EndPaint(Hwnd(), &ps);
        UpdatePictureWindow(Hwnd(), *form_.PictureWindow());
        return 0;
    }
    PaintBuffered(dc, ps.rcPaint, [this](ICanvas& canvas) { form_.Paint(canvas); });
    EndPaint(Hwnd(), &ps);
    return 0;
}

LRESULT FormWindow::OnActivate(WPARAM wp) {
    if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Hwnd(), focus))
            lastFocus_ = focus;
        if (form_.OnDeactivate)
            form_.OnDeactivate(&form_);
        return 0;
    }
    RestoreFocus();
    return 0;
}

// Focus goes back to the control that had it, else to the first tab stop.
void FormWindow::RestoreFocus() {
    if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(Hwnd(), lastFocus_) && IsWindowVisible(lastFocus_) &&
        IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
        return;
    }
    if (TskControl* focused = form_.FocusedControl()) {
        focused->SetFocus();
        return;
    }
    if (TskControl* first = form_.NextTabStop(nullptr, true))
        first->SetFocus();
}

LRESULT FormWindow::OnKey(UINT msg, WPARAM key, LPARAM lp) {
    if (msg == WM_SYSCHAR) {
        if (form_.DialogChar(char(key), true))
            return 0;
        return Default(msg, key, lp);
    }
    if (msg == WM_KEYDOWN) {
        form_.DialogKey(unsigned(key), GetKeyState(VK_SHIFT) < 0);
        return 0;
    }
    form_.KeyReleased(unsigned(key));
    return 0;
}

}  // namespace tallow
