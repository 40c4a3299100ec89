// The colour table and metrics every control paints with, taken from the skin
// data (or the built-in skin when a control has none), so one skin change
// recolours every window. Colours are GDI order (0x00BBGGRR).
#pragma once

#include <string>

#include "toolkit/controls/Geometry.h"

namespace tallow {

class TskSkinData;
struct SkinTheme;

struct TSkinPalette {
    // Surfaces and text
    TColor Window = 0, Page = 0, PageBorder = 0, Panel = 0, PanelBorder = 0;
    TColor WindowText = 0, DisabledText = 0, Shadow = 0;
    // Buttons
    TColor ButtonFace = 0, ButtonFaceHot = 0, ButtonFacePressed = 0, ButtonFaceDisabled = 0;
    TColor ButtonBorder = 0, ButtonBorderHot = 0, ButtonText = 0, ButtonTextDisabled = 0;
    TColor Focus = 0, Accent = 0;
    TColor Glow = 0;  // already mixed with the window colour by the skin's glow alpha
    // Check boxes, gauge, links, bevels
    TColor CheckBoxFace = 0, CheckBoxBorder = 0, CheckBoxBorderHot = 0, CheckMark = 0;
    TColor GaugeBar = 0, GaugeBackground = 0, GaugeBorder = 0;
    TColor Link = 0, LinkHot = 0, BevelLight = 0, BevelDark = 0;
    // Window frame
    TColor FrameBorder = 0, Caption = 0, CaptionInactive = 0, CaptionText = 0, CaptionTextInactive = 0;
    TColor CaptionButtonHot = 0, CaptionButtonPressed = 0, CloseButtonHot = 0, CaptionButtonGlow = 0;
    // Menus
    TColor MenuFace = 0, MenuText = 0, MenuHighlight = 0, MenuHighlightText = 0;
    // Metrics
    int CaptionHeight = 30, FrameWidth = 1, CornerRadius = 8, ButtonRadius = 4, GlowSize = 3;
    std::string FontFace = "Segoe UI";
    int CaptionFontHeight = 14;
    bool CaptionFontBold = true;
    // Switches
    bool SkinnableForm = true;
    bool ButtonGlow = true;
    bool CaptionButtonGlowOn = true;
};

// The palette of a skin theme (its colours converted, glows pre-mixed).
TSkinPalette PaletteFromTheme(const SkinTheme& theme);
const TSkinPalette& BuiltInPalette();
// The palette of a skin's current theme and switches; null gives the built-in one.
TSkinPalette PaletteOf(const TskSkinData* skin);

}  // namespace tallow
