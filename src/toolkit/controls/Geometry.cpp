#include "toolkit/controls/Geometry.h"

namespace tallow {

TColor Blend(TColor a, TColor b, int weight) {
    auto mix = [&](int shift) {
        int ca = int((a >> shift) & 0xFF);
        int cb = int((b >> shift) & 0xFF);
        return TColor((ca * (255 - weight) + cb * weight + 127) / 255) << shift;
    };
    return mix(0) | mix(8) | mix(16);
}

}  // namespace tallow
