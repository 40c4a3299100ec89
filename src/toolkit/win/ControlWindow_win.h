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

// Creates the windows of `control` and of all its children that lack one.
void CreateWindowTree(TskControl& control);

}  // namespace tallow
