// Decoding PNG files: every standard colour type and bit depth, palette and
// colour-key transparency (tRNS), Adam7 interlacing. Damaged or hostile input
// (bad CRC, truncation, absurd sizes, data that inflates beyond what the image
// needs, bad filters, chunks out of order) gives an error text, never a crash or
// an allocation beyond the limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/image/PngImage.h"

namespace tallow {

/// The largest PNG file that is read at all; its size is checked before any
/// byte is read.
constexpr uint64_t kMaxPngFileSize = 64ull * 1024 * 1024;

struct PngDecodeOptions {
    uint32_t maxWidth = 16384;
    uint32_t maxHeight = 16384;
    uint64_t maxPixels = 64ull * 1024 * 1024;
    bool premultiply = true;  // false: straight alpha (for comparisons and editing)
};

/// Decodes a PNG file held in memory into `out`. On failure `out` is left empty and
/// `error` says why.
bool DecodePng(const uint8_t* data,
               size_t size,
               PngImage& out,
               std::string& error,
               const PngDecodeOptions& options = {});

/// Reads and decodes the PNG file at `path` (files above kMaxPngFileSize are refused).
bool LoadPngFile(const std::string& path, PngImage& out, std::string& error, const PngDecodeOptions& options = {});

}  // namespace tallow
