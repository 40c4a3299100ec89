// From inflated PNG image data to straight 0xAARRGGBB pixels: undoing the row
// filters and expanding every colour type and bit depth.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/image/PngFormat.h"

namespace tallow {

/// Colour information from PLTE and tRNS.
struct PngColorInfo {
    std::vector<uint32_t> palette;  // straight ARGB, alpha from tRNS (255 without)
    bool hasColorKey = false;       // tRNS of a grey or RGB image
    uint16_t keyGrey = 0, keyRed = 0, keyGreen = 0, keyBlue = 0;
};

/// Undoes the filters of every pass in place. `raw` holds exactly PngInflatedSize bytes.
/// "" on success, else the reason (an unknown filter type).
std::string UnfilterPngData(const PngHeader& header, std::vector<uint8_t>& raw);

/// Expands unfiltered data into `pixels` (width * height, straight alpha). Palette
/// indexes beyond the palette give opaque black.
void ExpandPngPixels(const PngHeader& header,
                     const PngColorInfo& colors,
                     const std::vector<uint8_t>& raw,
                     std::vector<uint32_t>& pixels);

}  // namespace tallow
