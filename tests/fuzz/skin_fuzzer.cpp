// libFuzzer entry for the skin file reader (container, table and pictures).
#include <cstdint>
#include <cstdlib>

#include "toolkit/skin/SkinLoader.h"

// Loads one input, aborts on a broken invariant; true when the input was accepted.
bool TallowFuzzLoad(const uint8_t* data, size_t size) {
    tallow::SkinTheme theme;
    const tallow::SkinLoadResult result = tallow::LoadSkinTheme(data, size, tallow::BuiltInSkinTheme(), theme);
    if (result.ok() == false && result.error.empty())
        std::abort();
    if (result.ok()) {
        for (const auto& [key, image] : theme.images) {
            if (!image || image->pixels.size() != static_cast<size_t>(image->width) * image->height)
                std::abort();
        }
    }
    return result.ok();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TallowFuzzLoad(data, size);
    return 0;
}
