#include "toolkit/controls/ImageCodec.h"

#include <stdexcept>

namespace tallow {

TDecodedImage DecodePicture(const uint8_t*, size_t) { throw std::runtime_error("no decoder"); }

}  // namespace tallow
