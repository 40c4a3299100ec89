#include "toolkit/image/PngPixels.h"

#include <cstdlib>

#include "toolkit/image/PngImage.h"

namespace tallow {

namespace {

uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return static_cast<uint8_t>(a);
    return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Undoes one row's filter; `prev` is the unfiltered previous row or nullptr.
bool UnfilterRow(uint8_t type, uint8_t* row, const uint8_t* prev, size_t size, size_t stride) {
    for (size_t i = 0; i < size; ++i) {
        const int a = i >= stride ? row[i - stride] : 0;
        const int b = prev ? prev[i] : 0;
        const int c = (prev && i >= stride) ? prev[i - stride] : 0;
        int add = 0;
        switch (type) {
            case 0:
                return true;
            case 1:
                add = a;
                break;
            case 2:
                add = b;
                break;
            case 3:
                add = (a + b) / 2;
                break;
            case 4:
                add = Paeth(a, b, c);
                break;
            default:
                return false;
        }
        row[i] = static_cast<uint8_t>(row[i] + add);
    }
    return type <= 4;
}

// Sample `index` of a row of samples with `depth` bits each (1, 2, 4, 8 or 16).
uint16_t Sample(const uint8_t* row, size_t index, int depth) {
    if (depth == 16)
        return static_cast<uint16_t>((row[index * 2] << 8) | row[index * 2 + 1]);
    if (depth == 8)
        return row[index];
    const size_t bit = index * static_cast<size_t>(depth);
    const int shift = 8 - depth - static_cast<int>(bit % 8);
    return static_cast<uint16_t>((row[bit / 8] >> shift) & ((1 << depth) - 1));
}

uint8_t To8Bits(uint16_t sample, int depth) {
    if (depth == 16)
        return static_cast<uint8_t>(sample >> 8);
    return static_cast<uint8_t>(sample * 255 / ((1 << depth) - 1));
}

uint32_t PixelAt(const PngHeader& h, const PngColorInfo& colors, const uint8_t* row, size_t x) {
    const int d = h.bitDepth;
    switch (h.colorType) {
        case kPngGrey: {
            const uint16_t v = Sample(row, x, d);
            const uint8_t g = To8Bits(v, d);
            const bool clear = colors.hasColorKey && v == colors.keyGrey;
            return MakeArgb(clear ? 0 : 255, g, g, g);
        }
        case kPngRgb: {
            const uint16_t r = Sample(row, x * 3, d), g = Sample(row, x * 3 + 1, d), b = Sample(row, x * 3 + 2, d);
            const bool clear = colors.hasColorKey && r == colors.keyRed && g == colors.keyGreen && b == colors.keyBlue;
            return MakeArgb(clear ? 0 : 255, To8Bits(r, d), To8Bits(g, d), To8Bits(b, d));
        }
        case kPngPalette: {
            const uint16_t i = Sample(row, x, d);
            return i < colors.palette.size() ? colors.palette[i] : MakeArgb(255, 0, 0, 0);
        }
        case kPngGreyAlpha: {
            const uint8_t g = To8Bits(Sample(row, x * 2, d), d);
            return MakeArgb(To8Bits(Sample(row, x * 2 + 1, d), d), g, g, g);
        }
        default:
            return MakeArgb(To8Bits(Sample(row, x * 4 + 3, d), d), To8Bits(Sample(row, x * 4, d), d),
                            To8Bits(Sample(row, x * 4 + 1, d), d), To8Bits(Sample(row, x * 4 + 2, d), d));
    }
}

}  // namespace

std::string UnfilterPngData(const PngHeader& header, std::vector<uint8_t>& raw) {
    size_t offset = 0;
    const size_t stride = static_cast<size_t>(header.FilterStride());
    for (int p = 0; p < PngPassCount(header); ++p) {
        const PngPass pass = PngPassAt(header, p);
        if (pass.width == 0 || pass.height == 0)
            continue;
        const size_t rowBytes = static_cast<size_t>(header.RowBytes(pass.width));
        const uint8_t* prev = nullptr;
        for (uint32_t y = 0; y < pass.height; ++y) {
            uint8_t* row = raw.data() + offset + 1;
            if (!UnfilterRow(row[-1], row, prev, rowBytes, stride))
                return "unknown row filter type";
            prev = row;
            offset += rowBytes + 1;
        }
    }
    return "";
}

void ExpandPngPixels(const PngHeader& header,
                     const PngColorInfo& colors,
                     const std::vector<uint8_t>& raw,
                     std::vector<uint32_t>& pixels) {
    const size_t width = header.width;
    pixels.assign(width * header.height, 0);
    size_t offset = 0;
    for (int p = 0; p < PngPassCount(header); ++p) {
        const PngPass pass = PngPassAt(header, p);
        if (pass.width == 0 || pass.height == 0)
            continue;
        const size_t rowBytes = static_cast<size_t>(header.RowBytes(pass.width));
        for (uint32_t y = 0; y < pass.height; ++y) {
            const uint8_t* row = raw.data() + offset + 1;
            uint32_t* out = pixels.data() + (size_t{pass.y0} + size_t{y} * pass.dy) * width + pass.x0;
            for (uint32_t x = 0; x < pass.width; ++x)
                out[size_t{x} * pass.dx] = PixelAt(header, colors, row, x);
            offset += rowBytes + 1;
        }
    }
}

}  // namespace tallow
