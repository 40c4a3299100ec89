// Builds PNG files by hand, chunk by chunk, for tests of damaged and unusual files.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tallow::test {

using Bytes = std::vector<uint8_t>;

inline void PutBigEndian32(Bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

inline Bytes PngSignature() {
    return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
}

inline void AddChunk(Bytes& png, const std::string& type, const Bytes& data) {
    PutBigEndian32(png, static_cast<uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type.begin(), type.end());
    png.insert(png.end(), data.begin(), data.end());
    PutBigEndian32(png, static_cast<uint32_t>(crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
}

inline Bytes HeaderData(uint32_t w, uint32_t h, uint8_t depth, uint8_t colorType, uint8_t interlace = 0) {
    Bytes d;
    PutBigEndian32(d, w);
    PutBigEndian32(d, h);
    d.insert(d.end(), {depth, colorType, 0, 0, interlace});
    return d;
}

inline Bytes Deflate(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    out.resize(size);
    return out;
}

/// A whole PNG: IHDR, the extra chunks, one IDAT with `raw` deflated, IEND.
inline Bytes MakePng(const Bytes& header,
                     const Bytes& raw,
                     const std::vector<std::pair<std::string, Bytes>>& extra = {}) {
    Bytes png = PngSignature();
    AddChunk(png, "IHDR", header);
    for (const auto& [type, data] : extra)
        AddChunk(png, type, data);
    AddChunk(png, "IDAT", Deflate(raw));
    AddChunk(png, "IEND", {});
    return png;
}

}  // namespace tallow::test
