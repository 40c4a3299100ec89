// Push button with a caption and an optional 24 x 24 icon from a PNG image list.
#pragma once

#include "toolkit/controls/Control.h"

namespace tallow {

class TskPngImageList;

struct TButtonLayout {
    TRect Icon;  // empty when the button shows no icon
    TRect Text;
};

// Where the icon and the caption go: the icon 15 px from the left edge, centred
// vertically; the caption centred in the room right of it (or in the whole face).
TButtonLayout LayoutButton(const TRect& client, bool hasIcon, int iconSize = 24);

class TskButton : public TskControl {
    TALLOW_CLASS(TskButton, TskControl)

    explicit TskButton(TComponent* owner);
    void PublishProperties(PropertyList& out) override;
    const char* WindowClassName() const override { return "TallowButton"; }

    TskPngImageList* Images() const { return images_; }
    void SetImages(TskPngImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // Enter anywhere in the form clicks the default button; Esc the cancel button.
    bool Default() const { return default_; }
    void SetDefault(bool on) { default_ = on; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }

    TComponentEvent OnClick;

    bool CanFocus() const override { return true; }
    void Click() override;
    void Paint(ICanvas& canvas) override;

  private:
    TskPngImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int modalResult_ = 0;
    bool default_ = false;
    bool cancel_ = false;
};

}  // namespace tallow
