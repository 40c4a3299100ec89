#include "toolkit/controls/Button.h"

#include "toolkit/controls/Form.h"
#include "toolkit/controls/PngImage.h"

namespace tallow {

TButtonLayout LayoutButton(const TRect& client, bool hasIcon, int iconSize) {
    TButtonLayout l;
    l.Text = client.Inflated(-4, -2);
    if (!hasIcon)
        return l;
    int top = client.Top + (client.Height() - iconSize) / 2;
    l.Icon = TRect::Bounds(client.Left + 15, top, iconSize, iconSize);
    l.Text.Left = l.Icon.Right + 6;
    return l;
}

TskButton::TskButton(TComponent* owner) : TskControl(owner) {}

void TskButton::PublishProperties(PropertyList& out) {
    TskControl::PublishProperties(out);
    out.String<TskButton>("Caption", "TCaption", &TskButton::Caption, &TskButton::SetCaption);
    out.Integer<TskButton>("ImageIndex", "TImageIndex", &TskButton::ImageIndex, &TskButton::SetImageIndex);
    out.Integer<TskButton>("ModalResult", "TModalResult", &TskButton::ModalResult, &TskButton::SetModalResult);
    out.Boolean<TskButton>("Default", &TskButton::Default, &TskButton::SetDefault);
    out.Boolean<TskButton>("Cancel", &TskButton::Cancel, &TskButton::SetCancel);
    out.Object<TskPngImageList, TskButton>("ImageList", "TskPngImageList", &TskButton::Images, &TskButton::SetImages);
}

void TskButton::SetImages(TskPngImageList* images) {
    images_ = images;
    Invalidate();
}

void TskButton::SetImageIndex(int index) {
    imageIndex_ = index;
    Invalidate();
}

void TskButton::Click() {
    if (OnClick)
        OnClick(this);
    if (modalResult_ != 0)
        if (TskForm* form = ParentForm())
            form->SetModalResult(modalResult_);
}

void TskButton::Paint(ICanvas& canvas) {
    const TSkinPalette p = Palette();
    TRect r = ClientRect();
    canvas.FillRect(r, BackgroundColor());
    bool usable = IsUsable();
    TColor face = usable ? p.ButtonFace : p.ButtonFaceDisabled, border = p.ButtonBorder;
    if (usable && Pressed()) {
        face = p.ButtonFacePressed;
        border = p.ButtonBorderHot;
    } else if (usable && Hovered()) {
        face = p.ButtonFaceHot;
        border = p.ButtonBorderHot;
    } else if (usable && (Focused() || default_)) {
        border = p.Accent;
    }
    if (usable && Hovered() && p.ButtonGlow)
        canvas.RoundRect(r, p.ButtonRadius + 2, BackgroundColor(), p.Glow);
    TRect faceRect = r.Inflated(-1, -1);
    canvas.RoundRect(faceRect, p.ButtonRadius, face, border);
    // A soft vertical shade: lighter at the top, the skin's face colour below.
    TRect shade = faceRect.Inflated(-1, -1);
    shade.Left += 1;
    shade.Right -= 1;
    canvas.GradientV(shade, Blend(face, Rgb(255, 255, 255), 150), face);

    const TBitmapView* icon = images_ != nullptr ? images_->Get(imageIndex_) : nullptr;
    TButtonLayout layout = LayoutButton(r, icon != nullptr);
    int shift = (usable && Pressed()) ? 1 : 0;
    if (icon != nullptr)
        canvas.Image(*icon, layout.Icon.Left + shift, layout.Icon.Top + shift, usable ? 255 : 110);
    canvas.Text(layout.Text.Offset(shift, shift), Caption(), Font(), usable ? p.ButtonText : p.ButtonTextDisabled,
                tfCenter | tfVCenter | tfMnemonic | tfEllipsis);
    if (Focused())
        canvas.FocusRect(faceRect.Inflated(-3, -3));
}

}  // namespace tallow
