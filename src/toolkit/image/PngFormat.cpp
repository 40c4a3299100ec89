#include "toolkit/image/PngFormat.h"

namespace tallow {

namespace {

uint32_t ReadBigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

bool DepthAllowed(uint8_t colorType, uint8_t depth) {
    switch (colorType) {
        case kPngGrey:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case kPngPalette:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case kPngRgb:
        case kPngGreyAlpha:
        case kPngRgba:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

struct Adam7Pass {
    uint32_t x0, y0, dx, dy;
};
constexpr Adam7Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                 {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

uint32_t PassExtent(uint32_t size, uint32_t start, uint32_t step) {
    return size > start ? (size - start + step - 1) / step : 0;
}

}  // namespace

int PngHeader::Channels() const {
    switch (colorType) {
        case kPngRgb:
            return 3;
        case kPngGreyAlpha:
            return 2;
        case kPngRgba:
            return 4;
        default:
            return 1;
    }
}

uint64_t PngHeader::RowBytes(uint32_t pixels) const {
    return (uint64_t{pixels} * static_cast<uint64_t>(BitsPerPixel()) + 7) / 8;
}

std::string ParsePngHeader(const uint8_t* data, size_t size, PngHeader& out) {
    if (size != 13)
        return "IHDR has the wrong length";
    out.width = ReadBigEndian32(data);
    out.height = ReadBigEndian32(data + 4);
    out.bitDepth = data[8];
    out.colorType = data[9];
    if (out.width == 0 || out.height == 0 || out.width > 0x7FFFFFFFu || out.height > 0x7FFFFFFFu)
        return "image size out of range";
    if (!DepthAllowed(out.colorType, out.bitDepth))
        return "unsupported colour type or bit depth";
    if (data[10] != 0 || data[11] != 0)
        return "unknown compression or filter method";
    if (data[12] > 1)
        return "unknown interlace method";
    out.interlaced = data[12] == 1;
    return "";
}

int PngPassCount(const PngHeader& header) {
    return header.interlaced ? 7 : 1;
}

PngPass PngPassAt(const PngHeader& header, int pass) {
    if (!header.interlaced)
        return {0, 0, 1, 1, header.width, header.height};
    const Adam7Pass& a = kAdam7[pass];
    return {a.x0, a.y0, a.dx, a.dy, PassExtent(header.width, a.x0, a.dx), PassExtent(header.height, a.y0, a.dy)};
}

uint64_t PngInflatedSize(const PngHeader& header) {
    uint64_t total = 0;
    for (int i = 0; i < PngPassCount(header); ++i) {
        const PngPass pass = PngPassAt(header, i);
        if (pass.width != 0 && pass.height != 0)
            total += uint64_t{pass.height} * (1 + header.RowBytes(pass.width));
    }
    return total;
}

}  // namespace tallow
