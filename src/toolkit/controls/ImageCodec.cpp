#include "toolkit/controls/ImageCodec.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "toolkit/image/PngDecoder.h"

namespace tallow {

TDecodedImage DecodePicture(const uint8_t* data, size_t size) {
    PngImage image;
    std::string error;
    if (!DecodePng(data, size, image, error))
        throw std::runtime_error("Invalid picture: " + error);
    TDecodedImage out;
    out.Width = image.width;
    out.Height = image.height;
    out.Bgra.resize(image.pixels.size() * 4);
    // 0xAARRGGBB words are B, G, R, A bytes in memory on every target we build.
    std::memcpy(out.Bgra.data(), image.pixels.data(), out.Bgra.size());
    return out;
}

}  // namespace tallow
