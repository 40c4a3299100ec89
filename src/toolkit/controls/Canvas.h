// The drawing surface that controls paint on. The window layer implements it
// with GDI on a back buffer; tests implement it with a recorder.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/controls/Geometry.h"

namespace tallow {

// A 32-bit premultiplied BGRA picture that someone else owns.
struct TBitmapView {
    int Width = 0;
    int Height = 0;
    const uint8_t* Pixels = nullptr;  // Width * Height * 4 bytes, rows top-down
    bool Empty() const { return Pixels == nullptr || Width <= 0 || Height <= 0; }
};

enum TextFlags : unsigned {
    tfLeft = 0,
    tfCenter = 1,
    tfRight = 2,
    tfVCenter = 4,
    tfWordWrap = 8,
    tfMnemonic = 16,  // "&x" underlines x, "&&" is a literal ampersand
    tfEllipsis = 32,
};

class ICanvas {
  public:
    virtual ~ICanvas() = default;
    virtual void FillRect(const TRect& r, TColor c) = 0;
    virtual void FrameRect(const TRect& r, TColor c) = 0;
    virtual void RoundRect(const TRect& r, int radius, TColor fill, TColor border) = 0;
    virtual void GradientV(const TRect& r, TColor top, TColor bottom) = 0;
    virtual void Line(TPoint from, TPoint to, TColor c) = 0;
    virtual void Text(const TRect& r, const std::string& text, const TFontSpec& font, TColor c, unsigned flags) = 0;
    virtual TSize MeasureText(const std::string& text, const TFontSpec& font, int wrapWidth, unsigned flags) = 0;
    virtual void Image(const TBitmapView& image, int x, int y, uint8_t alpha) = 0;
    virtual void FocusRect(const TRect& r) = 0;
};

}  // namespace tallow
