#include "toolkit/skin/SkinTheme.h"

#include "components/TextCase.h"

namespace tallow {

const std::array<std::string_view, kSkinColorCount> kSkinColorNames = {"WindowFrame",
                                                                       "Caption",
                                                                       "CaptionInactive",
                                                                       "CaptionText",
                                                                       "CaptionTextInactive",
                                                                       "CaptionButtonHot",
                                                                       "CaptionButtonPressed",
                                                                       "CloseButtonHot",
                                                                       "CaptionButtonGlow",
                                                                       "Face",
                                                                       "Text",
                                                                       "TextDisabled",
                                                                       "ButtonFace",
                                                                       "ButtonFaceHot",
                                                                       "ButtonFacePressed",
                                                                       "ButtonFaceDisabled",
                                                                       "ButtonBorder",
                                                                       "ButtonBorderHot",
                                                                       "ButtonText",
                                                                       "ButtonTextDisabled",
                                                                       "ButtonFocus",
                                                                       "ButtonGlow",
                                                                       "Accent",
                                                                       "AccentHot",
                                                                       "AccentPressed",
                                                                       "AccentText",
                                                                       "CheckBoxFace",
                                                                       "CheckBoxBorder",
                                                                       "CheckBoxBorderHot",
                                                                       "CheckMark",
                                                                       "GaugeBar",
                                                                       "GaugeBackground",
                                                                       "GaugeBorder",
                                                                       "Page",
                                                                       "PageBorder",
                                                                       "Panel",
                                                                       "PanelBorder",
                                                                       "BevelLight",
                                                                       "BevelDark",
                                                                       "Link",
                                                                       "LinkHot",
                                                                       "Shadow",
                                                                       "MenuFace",
                                                                       "MenuText",
                                                                       "MenuHighlight",
                                                                       "MenuHighlightText"};

const std::array<std::string_view, kSkinMetricCount> kSkinMetricNames = {
    "CaptionHeight", "FrameWidth", "CornerRadius",    "ButtonCornerRadius",
    "GlowSize",      "FontSize",   "CaptionFontSize", "CaptionFontBold"};

const PngImage* SkinTheme::Image(std::string_view key) const {
    for (const auto& [name, image] : images) {
        if (SameText(name, key))
            return image.get();
    }
    return nullptr;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

bool ParseSkinColor(std::string_view text, uint32_t& argb) {
    if (text.empty() || text[0] != '#' || (text.size() != 7 && text.size() != 9))
        return false;
    uint32_t value = 0;
    for (char c : text.substr(1)) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    argb = text.size() == 7 ? (0xFF000000u | value) : value;
    return true;
}

std::string FormatSkinColor(uint32_t argb) {
    static const char kHex[] = "0123456789ABCDEF";
    const bool opaque = (argb >> 24) == 0xFF;
    std::string out = "#";
    for (int shift = opaque ? 20 : 28; shift >= 0; shift -= 4)
        out += kHex[(argb >> shift) & 0xF];
    return out;
}

}  // namespace tallow
