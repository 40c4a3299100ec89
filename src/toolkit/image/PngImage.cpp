#include "toolkit/image/PngImage.h"

namespace tallow {

namespace {

uint8_t Scale(uint32_t channel, uint32_t alpha) {
    return static_cast<uint8_t>((channel * alpha + 127) / 255);
}

uint8_t Unscale(uint32_t channel, uint32_t alpha) {
    const uint32_t value = (channel * 255 + alpha / 2) / alpha;
    return static_cast<uint8_t>(value > 255 ? 255 : value);
}

}  // namespace

uint32_t PremultiplyPixel(uint32_t p) {
    const uint32_t a = AlphaOf(p);
    if (a == 255)
        return p;
    return MakeArgb(static_cast<uint8_t>(a), Scale(RedOf(p), a), Scale(GreenOf(p), a), Scale(BlueOf(p), a));
}

void Premultiply(PngImage& image) {
    if (image.premultiplied)
        return;
    for (uint32_t& p : image.pixels)
        p = PremultiplyPixel(p);
    image.premultiplied = true;
}

void Unpremultiply(PngImage& image) {
    if (!image.premultiplied)
        return;
    for (uint32_t& p : image.pixels) {
        const uint32_t a = AlphaOf(p);
        if (a != 0 && a != 255)
            p = MakeArgb(static_cast<uint8_t>(a), Unscale(RedOf(p), a), Unscale(GreenOf(p), a), Unscale(BlueOf(p), a));
    }
    image.premultiplied = false;
}

}  // namespace tallow
