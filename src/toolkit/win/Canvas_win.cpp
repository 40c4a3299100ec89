#include "toolkit/win/Canvas_win.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>

namespace tallow {

//--- fonts ----------------------------------------------------------------

namespace {
// A memory context compatible with the screen: it maps fonts and measures text as
// the screen does, and asking for it costs no trip to the window manager that a
// screen context costs. It lives as long as the fonts do; the user-interface
// thread alone uses it.
HDC ScreenMeasureDc() {
    static HDC dc = CreateCompatibleDC(nullptr);
    return dc;
}

int CALLBACK FoundFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FamilyInstalled(const std::string& name) {
    static std::map<std::string, bool> known;
    auto it = known.find(name);
    if (it != known.end())
        return it->second;
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExA(ScreenMeasureDc(), &lf, &FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
    known[name] = found;
    return found;
}

std::string AvailableFamily(const std::string& name) {
    if (!name.empty() && FamilyInstalled(name))
        return name;
    for (const char* fallback : {"Segoe UI", "Tahoma", "DejaVu Sans Condensed", "DejaVu Sans", "Arial"})
        if (FamilyInstalled(fallback))
            return fallback;
    return "Tahoma";
}

UINT DrawFlags(unsigned flags) {
    UINT f = DT_NOCLIP;
    if (flags & tfCenter)
        f |= DT_CENTER;
    else if (flags & tfRight)
        f |= DT_RIGHT;
    if (flags & tfWordWrap)
        f |= DT_WORDBREAK;
    else
        f |= DT_SINGLELINE | ((flags & tfVCenter) ? DT_VCENTER : 0u);
    if (!(flags & tfMnemonic))
        f |= DT_NOPREFIX;
    if ((flags & tfEllipsis) && !(flags & tfWordWrap))
        f |= DT_END_ELLIPSIS;
    return f;
}
}  // namespace

HFONT FontFor(const TFontSpec& font) {
    using Key = std::tuple<std::string, int, bool, bool>;
    static std::map<Key, HFONT> cache;
    Key key{font.Name, font.Height, font.Bold, font.Underline};
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    std::string family = AvailableFamily(font.Name);
    HFONT f = CreateFontA(-std::max(1, font.Height), 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE,
                          font.Underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family.c_str());
    cache[key] = f;
    return f;
}

//--- canvas ---------------------------------------------------------------

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {
    SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas() {
    RestoreDC(dc_, saved_);
}

void GdiCanvas::FillRect(const TRect& r, TColor c) {
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    SetDCBrushColor(dc_, c);
    ::FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::FrameRect(const TRect& r, TColor c) {
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    SetDCBrushColor(dc_, c);
    ::FrameRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::RoundRect(const TRect& r, int radius, TColor fill, TColor border) {
    SelectObject(dc_, GetStockObject(DC_BRUSH));
    SelectObject(dc_, GetStockObject(DC_PEN));
    SetDCBrushColor(dc_, fill);
    SetDCPenColor(dc_, border);
    ::RoundRect(dc_, r.Left, r.Top, r.Right, r.Bottom, 2 * radius, 2 * radius);
}

void GdiCanvas::GradientV(const TRect& r, TColor top, TColor bottom) {
    int h = r.Height();
    for (int y = 0; y < h; ++y)
        FillRect({r.Left, r.Top + y, r.Right, r.Top + y + 1}, Blend(top, bottom, h > 1 ? y * 255 / (h - 1) : 0));
}

void GdiCanvas::Line(TPoint from, TPoint to, TColor c) {
    SelectObject(dc_, GetStockObject(DC_PEN));
    SetDCPenColor(dc_, c);
    MoveToEx(dc_, from.X, from.Y, nullptr);
    LineTo(dc_, to.X, to.Y);
}

void GdiCanvas::Text(const TRect& r, const std::string& text, const TFontSpec& font, TColor c, unsigned flags) {
    SelectObject(dc_, FontFor(font));
    SetTextColor(dc_, c);
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    UINT f = DrawFlags(flags);
    if ((flags & tfWordWrap) && (flags & tfVCenter)) {
        RECT calc = rc;
        DrawTextA(dc_, text.c_str(), int(text.size()), &calc, f | DT_CALCRECT);
        int shift = (r.Height() - (calc.bottom - calc.top)) / 2;
        rc.top += std::max(0, shift);
    }
    DrawTextA(dc_, text.c_str(), int(text.size()), &rc, f);
}

TSize GdiCanvas::MeasureText(const std::string& text, const TFontSpec& font, int wrapWidth, unsigned flags) {
    SelectObject(dc_, FontFor(font));
    RECT rc{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    UINT f = DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : 0u) | ((flags & tfMnemonic) ? 0u : DT_NOPREFIX);
    DrawTextA(dc_, text.c_str(), int(text.size()), &rc, f);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void GdiCanvas::Image(const TBitmapView& image, int x, int y, uint8_t alpha) {
    if (image.Empty())
        return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = image.Width;
    bi.bmiHeader.biHeight = -image.Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp == nullptr)
        return;
    std::memcpy(bits, image.Pixels, size_t(image.Width) * size_t(image.Height) * 4);
    HDC src = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(src, bmp);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    AlphaBlend(dc_, x, y, image.Width, image.Height, src, 0, 0, image.Width, image.Height, blend);
    SelectObject(src, old);
    DeleteDC(src);
    DeleteObject(bmp);
}

void GdiCanvas::FocusRect(const TRect& r) {
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkColor(dc_, RGB(255, 255, 255));
    DrawFocusRect(dc_, &rc);
}

//--- back buffer ----------------------------------------------------------

BackBuffer::BackBuffer(HDC target, int width, int height)
    : target_(target), width_(std::max(1, width)), height_(std::max(1, height)) {
    mem_ = CreateCompatibleDC(target);
    // A section of the program's own memory, given back whole when the painting
    // ends: a device bitmap this large lands in a heap (Wine's, say) that keeps it.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(target, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr)
        bitmap_ = CreateCompatibleBitmap(target, width_, height_);
    old_ = SelectObject(mem_, bitmap_);
}

BackBuffer::~BackBuffer() {
    SelectObject(mem_, old_);
    DeleteObject(bitmap_);
    DeleteDC(mem_);
}

void BackBuffer::CopyTo(int x, int y) {
    BitBlt(target_, x, y, width_, height_, mem_, 0, 0, SRCCOPY);
}

void PaintBuffered(HDC target, const RECT& area, const std::function<void(ICanvas&)>& paint) {
    const int kBandRows = 64;
    const int width = area.right - area.left;
    for (int top = area.top; top < area.bottom && width > 0; top += kBandRows) {
        const int rows = std::min(kBandRows, int(area.bottom - top));
        BackBuffer buffer(target, width, rows);
        SetViewportOrgEx(buffer.Dc(), -area.left, -top, nullptr);
        {
            GdiCanvas canvas(buffer.Dc());
            paint(canvas);
        }
        SetViewportOrgEx(buffer.Dc(), 0, 0, nullptr);  // the copy reads the bitmap from its corner
        buffer.CopyTo(area.left, top);
    }
}

TSize MeasureScreenText(const std::string& text, const TFontSpec& font, int wrapWidth, unsigned flags) {
    GdiCanvas canvas(ScreenMeasureDc());
    return canvas.MeasureText(text, font, wrapWidth, flags);
}

}  // namespace tallow
