// The PNG header and the geometry it implies: bits per pixel, row sizes, the seven
// passes of Adam7 interlacing and the exact size of the inflated image data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tallow {

enum PngColorType : uint8_t {
    kPngGrey = 0,
    kPngRgb = 2,
    kPngPalette = 3,
    kPngGreyAlpha = 4,
    kPngRgba = 6,
};

struct PngHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bitDepth = 0;
    uint8_t colorType = 0;
    bool interlaced = false;

    int Channels() const;
    int BitsPerPixel() const { return Channels() * bitDepth; }
    /// Bytes per complete pixel for filtering (at least 1).
    int FilterStride() const { return BitsPerPixel() < 8 ? 1 : BitsPerPixel() / 8; }
    /// Bytes of one unfiltered row of `pixels` pixels (without the filter byte).
    uint64_t RowBytes(uint32_t pixels) const;
};

/// Reads the 13 bytes of IHDR; "" when valid, else the reason.
std::string ParsePngHeader(const uint8_t* data, size_t size, PngHeader& out);

/// One pass of the image: the whole image when not interlaced, else an Adam7 pass.
struct PngPass {
    uint32_t x0, y0, dx, dy;  // first pixel and step in the full image
    uint32_t width, height;   // size of the pass's sub-image (0 when empty)
};

int PngPassCount(const PngHeader& header);
PngPass PngPassAt(const PngHeader& header, int pass);

/// Bytes of inflated image data the header calls for: every non-empty pass's rows,
/// each with its filter byte.
uint64_t PngInflatedSize(const PngHeader& header);

}  // namespace tallow
