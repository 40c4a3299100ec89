// The colour table every control paints with. It is derived from the skin data
// (or the built-in skin when a control has none), so one skin change recolours
// every window.
#pragma once

#include "toolkit/controls/Geometry.h"

namespace tallow {

class TskSkinData;

struct TSkinPalette {
    TColor Window = Rgb(243, 245, 248);
    TColor WindowText = Rgb(32, 36, 44);
    TColor DisabledText = Rgb(150, 155, 165);
    TColor Face = Rgb(252, 252, 253);
    TColor FaceBottom = Rgb(236, 239, 244);
    TColor FaceHover = Rgb(232, 242, 252);
    TColor FaceHoverBottom = Rgb(212, 230, 250);
    TColor FacePressed = Rgb(196, 218, 244);
    TColor Border = Rgb(172, 180, 192);
    TColor BorderHover = Rgb(80, 140, 210);
    TColor Accent = Rgb(40, 110, 200);
    TColor Glow = Rgb(120, 180, 245);
    TColor CaptionTop = Rgb(52, 102, 170);
    TColor CaptionBottom = Rgb(34, 76, 138);
    TColor CaptionText = Rgb(255, 255, 255);
    TColor CaptionInactive = Rgb(120, 132, 150);
    TColor FrameBorder = Rgb(30, 62, 112);
    TColor CheckBox = Rgb(255, 255, 255);
    TColor CheckMark = Rgb(40, 110, 200);
    TColor GaugeTrack = Rgb(226, 230, 236);
    TColor GaugeFill = Rgb(60, 150, 90);
    TColor GaugeFillBottom = Rgb(40, 120, 70);
    TColor Link = Rgb(0, 0, 255);
    TColor BevelDark = Rgb(190, 196, 206);
    TColor BevelLight = Rgb(255, 255, 255);
    bool SkinnableForm = true;
    bool ButtonGlow = false;
    bool CaptionButtonGlow = false;
};

const TSkinPalette& BuiltInPalette();

// The palette of a skin; null gives the built-in one.
TSkinPalette PaletteOf(const TskSkinData* skin);

}  // namespace tallow
