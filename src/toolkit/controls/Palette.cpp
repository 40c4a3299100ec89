#include "toolkit/controls/Palette.h"

#include "toolkit/skin/SkinData.h"
#include "toolkit/skin/SkinLoader.h"
#include "toolkit/skin/SkinTheme.h"

namespace tallow {

namespace {
// 0xAARRGGBB (straight alpha) to GDI's 0x00BBGGRR.
TColor ToGdi(uint32_t argb) {
    return Rgb(int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF), int(argb & 0xFF));
}
int AlphaOfArgb(uint32_t argb) {
    return int(argb >> 24);
}
}  // namespace

TSkinPalette PaletteFromTheme(const SkinTheme& t) {
    auto c = [&](SkinColor slot) { return ToGdi(t.Color(slot)); };
    TSkinPalette p;
    p.Window = c(SkinColor::Face);
    p.Page = c(SkinColor::Page);
    p.PageBorder = c(SkinColor::PageBorder);
    p.Panel = c(SkinColor::Panel);
    p.PanelBorder = c(SkinColor::PanelBorder);
    p.WindowText = c(SkinColor::Text);
    p.DisabledText = c(SkinColor::TextDisabled);
    p.Shadow = c(SkinColor::Shadow);
    p.ButtonFace = c(SkinColor::ButtonFace);
    p.ButtonFaceHot = c(SkinColor::ButtonFaceHot);
    p.ButtonFacePressed = c(SkinColor::ButtonFacePressed);
    p.ButtonFaceDisabled = c(SkinColor::ButtonFaceDisabled);
    p.ButtonBorder = c(SkinColor::ButtonBorder);
    p.ButtonBorderHot = c(SkinColor::ButtonBorderHot);
    p.ButtonText = c(SkinColor::ButtonText);
    p.ButtonTextDisabled = c(SkinColor::ButtonTextDisabled);
    p.Focus = c(SkinColor::ButtonFocus);
    p.Accent = c(SkinColor::Accent);
    uint32_t glow = t.Color(SkinColor::ButtonGlow);
    p.Glow = Blend(p.Window, ToGdi(glow), AlphaOfArgb(glow) == 0 ? 255 : AlphaOfArgb(glow));
    p.CheckBoxFace = c(SkinColor::CheckBoxFace);
    p.CheckBoxBorder = c(SkinColor::CheckBoxBorder);
    p.CheckBoxBorderHot = c(SkinColor::CheckBoxBorderHot);
    p.CheckMark = c(SkinColor::CheckMark);
    p.GaugeBar = c(SkinColor::GaugeBar);
    p.GaugeBackground = c(SkinColor::GaugeBackground);
    p.GaugeBorder = c(SkinColor::GaugeBorder);
    p.Link = c(SkinColor::Link);
    p.LinkHot = c(SkinColor::LinkHot);
    p.BevelLight = c(SkinColor::BevelLight);
    p.BevelDark = c(SkinColor::BevelDark);
    p.FrameBorder = c(SkinColor::WindowFrame);
    p.Caption = c(SkinColor::Caption);
    p.CaptionInactive = c(SkinColor::CaptionInactive);
    p.CaptionText = c(SkinColor::CaptionText);
    p.CaptionTextInactive = c(SkinColor::CaptionTextInactive);
    p.CaptionButtonHot = c(SkinColor::CaptionButtonHot);
    p.CaptionButtonPressed = c(SkinColor::CaptionButtonPressed);
    p.CloseButtonHot = c(SkinColor::CloseButtonHot);
    uint32_t capGlow = t.Color(SkinColor::CaptionButtonGlow);
    p.CaptionButtonGlow = Blend(p.Caption, ToGdi(capGlow), AlphaOfArgb(capGlow) == 0 ? 255 : AlphaOfArgb(capGlow));
    p.MenuFace = c(SkinColor::MenuFace);
    p.MenuText = c(SkinColor::MenuText);
    p.MenuHighlight = c(SkinColor::MenuHighlight);
    p.MenuHighlightText = c(SkinColor::MenuHighlightText);
    p.CaptionHeight = t.Metric(SkinMetric::CaptionHeight) > 0 ? t.Metric(SkinMetric::CaptionHeight) : 30;
    p.FrameWidth = t.Metric(SkinMetric::FrameWidth);
    p.CornerRadius = t.Metric(SkinMetric::CornerRadius);
    p.ButtonRadius = t.Metric(SkinMetric::ButtonCornerRadius);
    p.GlowSize = t.Metric(SkinMetric::GlowSize);
    if (!t.fontFace.empty())
        p.FontFace = t.fontFace;
    int points = t.Metric(SkinMetric::CaptionFontSize);
    p.CaptionFontHeight = points > 0 ? (points * 96 + 36) / 72 : 14;
    p.CaptionFontBold = t.Metric(SkinMetric::CaptionFontBold) != 0;
    return p;
}

const TSkinPalette& BuiltInPalette() {
    static const TSkinPalette palette = PaletteFromTheme(BuiltInSkinTheme());
    return palette;
}

TSkinPalette PaletteOf(const TskSkinData* skin) {
    if (skin == nullptr)
        return BuiltInPalette();
    TSkinPalette p = PaletteFromTheme(skin->Theme());
    p.SkinnableForm = skin->SkinnableForm();
    p.ButtonGlow = skin->ShowButtonGlowFrames();
    p.CaptionButtonGlowOn = skin->ShowCaptionButtonGlowFrames();
    return p;
}

}  // namespace tallow
