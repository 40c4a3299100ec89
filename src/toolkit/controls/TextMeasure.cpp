#include "toolkit/controls/TextMeasure.h"

#include <algorithm>

#include "toolkit/controls/Mnemonic.h"

namespace tallow {

namespace {
TTextMeasurer& Measurer() {
    static TTextMeasurer m;
    return m;
}
}  // namespace

void SetTextMeasurer(TTextMeasurer measurer) {
    Measurer() = std::move(measurer);
}

TSize MeasureText(const std::string& text, const TFontSpec& font, int wrapWidth, unsigned flags) {
    if (Measurer())
        return Measurer()(text, font, wrapWidth, flags);
    return EstimateText(ParseMnemonic(text).Text, font, wrapWidth);
}

TSize EstimateText(const std::string& text, const TFontSpec& font, int wrapWidth) {
    int glyph = std::max(1, font.Height * 55 / 100);
    int lineHeight = font.Height + font.Height / 4;
    int lines = 1, widest = 0, current = 0;
    for (char c : text) {
        if (c == '\n') {
            ++lines;
            current = 0;
            continue;
        }
        if (c == '\r')
            continue;
        current += glyph;
        if (wrapWidth > 0 && current > wrapWidth) {
            ++lines;
            current = glyph;
        }
        widest = std::max(widest, current);
    }
    return {widest, lines * lineHeight};
}

}  // namespace tallow
