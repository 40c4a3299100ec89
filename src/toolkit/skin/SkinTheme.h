// What a skin holds: a table of named colours, a few metrics, the font, and
// optional pictures. Controls paint only with what they find here.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "toolkit/image/PngImage.h"

namespace tallow {

// Colour slots. The key of each in a skin file is its name in kSkinColorNames.
enum class SkinColor {
    WindowFrame,      // outer border of a skinned window
    Caption,          // caption bar of the active window
    CaptionInactive,  // caption bar of an inactive window
    CaptionText,
    CaptionTextInactive,
    CaptionButtonHot,  // minimise/system-menu button under the mouse
    CaptionButtonPressed,
    CloseButtonHot,     // close button under the mouse
    CaptionButtonGlow,  // glow frame around caption buttons (when switched on)
    Face,               // client area of windows and dialogs
    Text,
    TextDisabled,
    ButtonFace,
    ButtonFaceHot,
    ButtonFacePressed,
    ButtonFaceDisabled,
    ButtonBorder,
    ButtonBorderHot,
    ButtonText,
    ButtonTextDisabled,
    ButtonFocus,  // focus ring
    ButtonGlow,   // glow frame around hot buttons (when switched on)
    Accent,       // the default (primary) button
    AccentHot,
    AccentPressed,
    AccentText,
    CheckBoxFace,
    CheckBoxBorder,
    CheckBoxBorderHot,
    CheckMark,
    GaugeBar,
    GaugeBackground,
    GaugeBorder,
    Page,  // page of a page control
    PageBorder,
    Panel,
    PanelBorder,
    BevelLight,
    BevelDark,
    Link,
    LinkHot,
    Shadow,  // shadow of shadowed labels
    MenuFace,
    MenuText,
    MenuHighlight,
    MenuHighlightText,
    Count
};
constexpr size_t kSkinColorCount = static_cast<size_t>(SkinColor::Count);
extern const std::array<std::string_view, kSkinColorCount> kSkinColorNames;

enum class SkinMetric {
    CaptionHeight,       // pixels
    FrameWidth,          // border of a skinned window, pixels
    CornerRadius,        // of skinned windows
    ButtonCornerRadius,  // of buttons, check boxes, gauges
    GlowSize,            // width of glow frames
    FontSize,            // points
    CaptionFontSize,     // points
    CaptionFontBold,     // 0 or 1
    Count
};
constexpr size_t kSkinMetricCount = static_cast<size_t>(SkinMetric::Count);
extern const std::array<std::string_view, kSkinMetricCount> kSkinMetricNames;

/// Metric values are clamped to this range when read from a file.
constexpr int kSkinMetricMax = 200;

struct SkinTheme {
    std::string name;  // the skin's own name (from the file)
    std::string author;
    std::array<uint32_t, kSkinColorCount> colors{};  // 0xAARRGGBB, straight alpha
    std::array<int, kSkinMetricCount> metrics{};
    std::string fontFace;
    std::map<std::string, std::shared_ptr<const PngImage>> images;  // by image key, e.g. "ButtonGlow"

    uint32_t Color(SkinColor c) const { return colors[static_cast<size_t>(c)]; }
    void SetColor(SkinColor c, uint32_t argb) { colors[static_cast<size_t>(c)] = argb; }
    int Metric(SkinMetric m) const { return metrics[static_cast<size_t>(m)]; }
    void SetMetric(SkinMetric m, int value) { metrics[static_cast<size_t>(m)] = value; }
    /// The picture stored under `key` (any letter case), or nullptr.
    const PngImage* Image(std::string_view key) const;
};

/// Parses "#RRGGBB" or "#AARRGGBB" (hex digits in any case) into 0xAARRGGBB.
bool ParseSkinColor(std::string_view text, uint32_t& argb);
/// "#RRGGBB" for opaque colours, else "#AARRGGBB" (upper-case hex).
std::string FormatSkinColor(uint32_t argb);

}  // namespace tallow
