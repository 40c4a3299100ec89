// libFuzzer entry for the PNG decoder. Built as a fuzzer with clang when TALLOW_FUZZ
// is on; the native tests link it with a replay of the committed corpus.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <zlib.h>

#include "toolkit/image/PngDecoder.h"

// Loads one input, aborts on a broken invariant; true when the input was accepted.
bool TallowFuzzLoad(const uint8_t* data, size_t size) {
    tallow::PngDecodeOptions options;
    options.maxPixels = 4u * 1024 * 1024;  // keeps each run fast; the logic is the same
    tallow::PngImage image;
    std::string error;
    if (!tallow::DecodePng(data, size, image, error, options)) {
        if (error.empty() || !image.pixels.empty())
            std::abort();
        return false;
    }
    if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        std::abort();
    for (uint32_t p : image.pixels) {
        const uint32_t a = tallow::AlphaOf(p);
        if (tallow::RedOf(p) > a || tallow::GreenOf(p) > a || tallow::BlueOf(p) > a)
            std::abort();  // premultiplied colour above its alpha
    }
    return true;
}

namespace {

// A copy of the input with every chunk's CRC made right, so that mutations reach
// the chunk, inflation and pixel logic instead of stopping at the CRC check.
std::vector<uint8_t> WithFixedCrcs(const uint8_t* data, size_t size) {
    std::vector<uint8_t> copy(data, data + size);
    size_t pos = 8;
    while (pos + 12 <= copy.size()) {
        const uint8_t* p = copy.data() + pos;
        const size_t length = (size_t{p[0]} << 24) | (size_t{p[1]} << 16) | (size_t{p[2]} << 8) | p[3];
        if (length > copy.size() - pos - 12)
            break;
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), p + 4, static_cast<uInt>(4 + length));
        for (int i = 0; i < 4; ++i)
            copy[pos + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
        pos += 12 + length;
    }
    return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TallowFuzzLoad(data, size);
    const std::vector<uint8_t> fixed = WithFixedCrcs(data, size);
    TallowFuzzLoad(fixed.data(), fixed.size());
    return 0;
}
