// libFuzzer entry for the PNG decoder. Built as a fuzzer with clang when TALLOW_FUZZ
// is on; the native tests link it with a replay of the committed corpus.
#include <cstdint>
#include <cstdlib>
#include <string>

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TallowFuzzLoad(data, size);
    return 0;
}
