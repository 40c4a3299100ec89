// The child window of one control: paints it through the canvas, feeds it mouse
// and keyboard input, and answers the standard messages (WM_GETTEXT,
// WM_SETTEXT, BM_CLICK, BM_GETCHECK, BM_SETCHECK) so that automation and screen
// readers see what a user sees.
#pragma once

#include "toolkit/controls/Control.h"
#include "toolkit/win/WindowBase_win.h"

namespace tallow {

class ControlWindow : public WindowBase, public IControlPeer {
  public:
    explicit ControlWindow(TskControl& control);

    uintptr_t Handle() const override { return reinterpret_cast<uintptr_t>(Hwnd()); }
    void Invalidate() override;
    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;
    void TakeFocus() override;
    void ChildAdded(TskControl& child) override;

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    LRESULT OnPaint();
    LRESULT OnMouseMove();
    LRESULT OnKey(UINT msg, WPARAM key);
    LRESULT OnGetText(WPARAM size, LPARAM buffer);
    LRESULT OnCheck(UINT msg, WPARAM state);

    TskControl& control_;
    bool tracking_ = false;
};

// Creates the windows still missing in `control`'s tree while it is visible: a
// hidden control (a page not shown) and its contents wait for CompleteWindowTree
// or for the control to be shown, so a window opens without making the windows
// of pages nobody sees yet.
void CreateWindowTree(TskControl& control);
// Creates every window still missing in `control`'s tree, hidden or not. A
// container does it when it is shown; a form, once the message loop is idle
// after it was shown, so that every control has its window (for screen
// readers and UI automation) moments after the form has appeared and painted.
void CompleteWindowTree(TskControl& control);

}  // namespace tallow
