// The bridge from picture files to TPngImage: decodes PNG data into
// premultiplied BGRA with the toolkit's decoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tallow {

struct TDecodedImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Bgra;
};

// Throws std::runtime_error for data that is not a valid picture.
TDecodedImage DecodePicture(const uint8_t* data, size_t size);

}  // namespace tallow
