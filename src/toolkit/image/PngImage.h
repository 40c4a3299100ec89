// A decoded picture: 32-bit pixels, row after row, top row first.
//
// A pixel is 0xAARRGGBB in a uint32_t, so in memory (little-endian) its bytes are
// B, G, R, A: the layout of a 32-bit top-down DIB section that alpha blending
// (AlphaBlend, UpdateLayeredWindow) takes. Decoded images are premultiplied by
// alpha unless straight pixels were asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tallow {

struct PngImage {
    int width = 0;
    int height = 0;
    bool premultiplied = true;
    std::vector<uint32_t> pixels;  // width * height

    bool Empty() const { return pixels.empty(); }
    uint32_t Pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};

inline uint32_t MakeArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    return (uint32_t{a} << 24) | (uint32_t{r} << 16) | (uint32_t{g} << 8) | uint32_t{b};
}
inline uint8_t AlphaOf(uint32_t p) {
    return static_cast<uint8_t>(p >> 24);
}
inline uint8_t RedOf(uint32_t p) {
    return static_cast<uint8_t>(p >> 16);
}
inline uint8_t GreenOf(uint32_t p) {
    return static_cast<uint8_t>(p >> 8);
}
inline uint8_t BlueOf(uint32_t p) {
    return static_cast<uint8_t>(p);
}

/// A straight pixel premultiplied by its alpha (rounded to nearest).
uint32_t PremultiplyPixel(uint32_t straight);
/// Premultiplies every pixel of a straight image (nothing when already premultiplied).
void Premultiply(PngImage& image);
/// Undoes premultiplication as far as 8 bits allow (exact for alpha 0 and 255).
void Unpremultiply(PngImage& image);

}  // namespace tallow
