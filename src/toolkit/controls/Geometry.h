// Plain geometry and colour types of the toolkit. Colours are 0x00BBGGRR, the
// layout the Windows GDI uses, so the window layer passes them through unchanged.
#pragma once

#include <cstdint>
#include <string>

namespace tallow {

using TColor = uint32_t;

constexpr TColor Rgb(int r, int g, int b) {
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

// Mixes a and b; weight 0 gives a, 255 gives b.
TColor Blend(TColor a, TColor b, int weight);

struct TPoint {
    int X = 0;
    int Y = 0;
};

struct TSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    static TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    TRect Inflated(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    bool operator==(const TRect&) const = default;
};

// A font as controls describe it: Height is the character height in pixels
// (the way the window descriptions give sizes, "Verdana, 19 px").
struct TFontSpec {
    std::string Name = "Tahoma";
    int Height = 13;
    bool Bold = false;
    bool Underline = false;
    bool operator==(const TFontSpec&) const = default;
};

}  // namespace tallow
