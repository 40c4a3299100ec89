// A canvas that records what controls draw, for checks of painting rules.
#pragma once

#include <string>
#include <vector>

#include "toolkit/controls/Canvas.h"

namespace tallow {

struct DrawnText {
    TRect rect;
    std::string text;
    TColor color;
};

struct DrawnImage {
    int x, y, width, height;
    uint8_t alpha;
};

class RecordingCanvas : public ICanvas {
  public:
    std::vector<DrawnText> texts;
    std::vector<DrawnImage> images;
    std::vector<TRect> focusRects;
    std::vector<TRect> fills;

    void FillRect(const TRect& r, TColor) override { fills.push_back(r); }
    void FrameRect(const TRect&, TColor) override {}
    void RoundRect(const TRect&, int, TColor, TColor) override {}
    void GradientV(const TRect&, TColor, TColor) override {}
    void Line(TPoint, TPoint, TColor) override {}
    void Text(const TRect& r, const std::string& text, const TFontSpec&, TColor c, unsigned) override {
        texts.push_back({r, text, c});
    }
    TSize MeasureText(const std::string& text, const TFontSpec& font, int, unsigned) override {
        return {int(text.size()) * font.Height / 2, font.Height};
    }
    void Image(const TBitmapView& image, int x, int y, uint8_t alpha) override {
        images.push_back({x, y, image.Width, image.Height, alpha});
    }
    void FocusRect(const TRect& r) override { focusRects.push_back(r); }
};

}  // namespace tallow
