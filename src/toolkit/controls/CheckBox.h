// Check box with a caption; clicking (or Space) toggles Checked and fires OnClick.
#pragma once

#include "toolkit/controls/Control.h"

namespace tallow {

// The square box: 15 px, at the left edge, centred vertically.
TRect CheckBoxBoxRect(const TRect& client);

class TskCheckBox : public TskControl {
    TALLOW_CLASS(TskCheckBox, TskControl)

    explicit TskCheckBox(TComponent* owner);
    void PublishProperties(PropertyList& out) override;
    const char* WindowClassName() const override { return "TallowCheckBox"; }

    bool Checked() const { return checked_; }
    // Sets the state without firing OnClick.
    void SetChecked(bool checked);

    TComponentEvent OnClick;

    bool CanFocus() const override { return true; }
    void Click() override;
    void Paint(ICanvas& canvas) override;

  private:
    bool checked_ = false;
};

}  // namespace tallow
