// The top-level window of a form. Every message goes to the form's replaceable
// handler first (TskForm::Dispatch); the chain ends in HandleOwn, the form's
// own handling: our caption bar when the skin frame is on, closing, activation,
// keyboard navigation, the popup system menu, modal loops.
#pragma once

#include "toolkit/controls/Form.h"
#include "toolkit/controls/SkinFrame.h"
#include "toolkit/win/WindowBase_win.h"

namespace tallow {

class FormWindow : public WindowBase, public IFormPeer {
  public:
    explicit FormWindow(TskForm& form);

    uintptr_t Handle() const override { return reinterpret_cast<uintptr_t>(Hwnd()); }
    void Invalidate() override;
    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;
    void TakeFocus() override;
    void ChildAdded(TskControl& child) override;
    void RunModal() override;
    void Close() override;
    void DefaultHandler(TMessage& message) override;
    bool Post(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void ShowPopupMenuAt(int screenX, int screenY) override;

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    LRESULT HandleOwn(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnNcCalcSize(WPARAM wp, LPARAM lp);
    LRESULT OnNcHitTest(LPARAM lp);
    LRESULT OnNcButton(UINT msg, WPARAM hit);
    LRESULT OnNcMouseMove(WPARAM hit);
    LRESULT OnPaint();
    LRESULT OnActivate(WPARAM wp);
    LRESULT OnKey(UINT msg, WPARAM key, LPARAM lp);
    void PaintFrame();
    TFrameLayout Layout() const;
    TFrameMetrics Metrics() const;
    bool Skinned() const { return skinned_; }
    POINT InitialPlace(SIZE size) const;
    void Restyle();
    SIZE WindowSizeFor(int clientWidth, int clientHeight) const;
    void RestoreFocus();
    void DisableModalOwner();
    void EnableModalOwner();

    TskForm& form_;
    bool skinned_ = false;
    bool active_ = false;
    bool trackingNc_ = false;
    HWND lastFocus_ = nullptr;
    // While shown modally: the window it disables, and whether it did disable
    // it (an owner that was disabled already stays so).
    HWND modalOwner_ = nullptr;
    bool ownerDisabledByUs_ = false;
};

}  // namespace tallow
