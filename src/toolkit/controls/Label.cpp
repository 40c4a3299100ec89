#include "toolkit/controls/Label.h"

#include <algorithm>
#include <optional>

#include "components/WebAddress.h"
#include "toolkit/controls/TextMeasure.h"

namespace tallow {

namespace {
TUrlOpener& UrlOpener() {
    static TUrlOpener opener;
    return opener;
}
}  // namespace

void SetUrlOpener(TUrlOpener opener) {
    UrlOpener() = std::move(opener);
}

//--- TskLabel -------------------------------------------------------------

TskLabel::TskLabel(TComponent* owner) : TskControl(owner) {}

void TskLabel::PublishProperties(PropertyList& out) {
    TskControl::PublishProperties(out);
    out.String<TskLabel>("Caption", "TCaption", &TskLabel::Caption, &TskLabel::SetCaption);
    out.Boolean<TskLabel>("AutoSize", &TskLabel::AutoSize, &TskLabel::SetAutoSize);
    out.Boolean<TskLabel>("WordWrap", &TskLabel::WordWrap, &TskLabel::SetWordWrap);
}

void TskLabel::SetColor(TColor c) {
    color_ = c;
    Invalidate();
}

void TskLabel::SetAutoSize(bool on) {
    autoSize_ = on;
    AdjustSize();
}

void TskLabel::SetWordWrap(bool on) {
    wordWrap_ = on;
    AdjustSize();
    Invalidate();
}

void TskLabel::SetAlignment(unsigned a) {
    alignment_ = a;
    Invalidate();
}

void TskLabel::AdjustSize() {
    if (!autoSize_)
        return;
    int m = Margin();
    int wrap = wordWrap_ ? std::max(1, Width() - 2 * m) : 0;
    TSize s = MeasureText(Caption(), Font(), wrap, TextFlags());
    if (wordWrap_)
        SetHeight(s.Height + 2 * m);
    else
        SetBounds(Left(), Top(), s.Width + 2 * m, s.Height + 2 * m);
}

TColor TskLabel::TextColor() const {
    if (!IsUsable())
        return Palette().DisabledText;
    return color_ == clDefault ? Palette().WindowText : color_;
}

unsigned TskLabel::TextFlags() const {
    return alignment_ | tfMnemonic | (wordWrap_ ? tfWordWrap : 0u);
}

void TskLabel::Paint(ICanvas& canvas) {
    canvas.FillRect(ClientRect(), BackgroundColor());
    canvas.Text(ClientRect(), Caption(), Font(), TextColor(), TextFlags());
}

//--- TskShadowLabel -------------------------------------------------------

TskShadowLabel::TskShadowLabel(TComponent* owner) : TskLabel(owner) {}

void TskShadowLabel::PublishProperties(PropertyList& out) {
    TskLabel::PublishProperties(out);
    out.Integer<TskShadowLabel>("ShadowSize", "Integer", &TskShadowLabel::ShadowSize, &TskShadowLabel::SetShadowSize);
    out.Integer<TskShadowLabel>("ShadowOffset", "Integer", &TskShadowLabel::ShadowOffset,
                                &TskShadowLabel::SetShadowOffset);
}

void TskShadowLabel::SetShadowColor(TColor c) {
    shadowColor_ = c;
    Invalidate();
}

void TskShadowLabel::SetShadowSize(int s) {
    shadowSize_ = std::clamp(s, 0, 8);
    AdjustSize();
    Invalidate();
}

void TskShadowLabel::SetShadowOffset(int o) {
    shadowOffset_ = std::clamp(o, 0, 8);
    AdjustSize();
    Invalidate();
}

// The shadow is the text drawn around its own position, fading with distance:
// a soft halo of ShadowSize pixels, moved right and down by ShadowOffset.
void TskShadowLabel::Paint(ICanvas& canvas) {
    TColor back = BackgroundColor();
    TColor shadow = shadowColor_ == clDefault ? Palette().Shadow : shadowColor_;
    canvas.FillRect(ClientRect(), back);
    int m = Margin();
    TRect text = ClientRect().Inflated(-m, -m);
    if (AutoSize() || WordWrap())
        text = {m - shadowOffset_, m - shadowOffset_, Width() - m - shadowOffset_, Height() - m - shadowOffset_};
    for (int d = shadowSize_; d >= 1; --d) {
        int weight = 255 * (shadowSize_ - d + 1) / (shadowSize_ + 1);
        TColor c = Blend(back, shadow, std::min(255, weight * 3 / 4 + 40));
        for (int dy = -d; dy <= d; ++dy)
            for (int dx = -d; dx <= d; ++dx)
                if (std::max(std::abs(dx), std::abs(dy)) == d)
                    canvas.Text(text.Offset(dx + shadowOffset_, dy + shadowOffset_), Caption(), Font(), c, TextFlags());
    }
    if (shadowSize_ == 0 && shadowOffset_ > 0)
        canvas.Text(text.Offset(shadowOffset_, shadowOffset_), Caption(), Font(), shadow, TextFlags());
    canvas.Text(text, Caption(), Font(), TextColor(), TextFlags());
}

//--- TskLinkLabel ---------------------------------------------------------

TskLinkLabel::TskLinkLabel(TComponent* owner) : TskLabel(owner) {
    TFontSpec f = Font();
    f.Underline = true;
    SetFont(f);
}

void TskLinkLabel::PublishProperties(PropertyList& out) {
    TskLabel::PublishProperties(out);
    out.String<TskLinkLabel>("URL", "String", &TskLinkLabel::URL, &TskLinkLabel::SetURL);
}

void TskLinkLabel::Click() {
    std::optional<std::string> safe = SafeWebAddress(url_);
    if (safe && UrlOpener())
        UrlOpener()(*safe);
}

void TskLinkLabel::Paint(ICanvas& canvas) {
    canvas.FillRect(ClientRect(), BackgroundColor());
    TFontSpec f = Font();
    f.Underline = true;
    TColor c = Hovered() && IsUsable() ? Palette().LinkHot : TextColor();
    canvas.Text(ClientRect(), Caption(), f, c, TextFlags());
}

}  // namespace tallow
