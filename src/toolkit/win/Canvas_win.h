// GDI implementation of the control canvas, and double-buffered painting.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "toolkit/controls/Canvas.h"

namespace tallow {

// Fonts by description, created once with ClearType quality. A family that is
// not installed (common under Wine) falls back to Tahoma.
HFONT FontFor(const TFontSpec& font);

class GdiCanvas : public ICanvas {
  public:
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;

    void FillRect(const TRect& r, TColor c) override;
    void FrameRect(const TRect& r, TColor c) override;
    void RoundRect(const TRect& r, int radius, TColor fill, TColor border) override;
    void GradientV(const TRect& r, TColor top, TColor bottom) override;
    void Line(TPoint from, TPoint to, TColor c) override;
    void Text(const TRect& r, const std::string& text, const TFontSpec& font, TColor c, unsigned flags) override;
    TSize MeasureText(const std::string& text, const TFontSpec& font, int wrapWidth, unsigned flags) override;
    void Image(const TBitmapView& image, int x, int y, uint8_t alpha) override;
    void FocusRect(const TRect& r) override;

  private:
    HDC dc_;
    int saved_;
};

// Paints into a memory bitmap of `size` and copies it to `target` at once, so a
// repaint never shows half-drawn states.
class BackBuffer {
  public:
    BackBuffer(HDC target, int width, int height);
    ~BackBuffer();
    HDC Dc() const { return mem_; }
    void CopyTo(int x, int y);

  private:
    HDC target_;
    HDC mem_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    int width_, height_;
};

// Paints `area` of `target` (in its coordinates) through back buffers of the
// area's width and at most a band of rows each: a large window is painted band by
// band, each band once and whole, rather than through one bitmap of its size.
void PaintBuffered(HDC target, const RECT& area, const std::function<void(ICanvas&)>& paint);

// Measures text as the screen shows it.
TSize MeasureScreenText(const std::string& text, const TFontSpec& font, int wrapWidth, unsigned flags);

}  // namespace tallow
