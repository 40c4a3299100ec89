#include "toolkit/image/PngDecoder.h"

#include <zlib.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "components/WholeFile.h"
#include "toolkit/image/BoundedInflater.h"
#include "toolkit/image/PngFormat.h"
#include "toolkit/image/PngPixels.h"

namespace tallow {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

uint16_t BigEndian16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

bool IsLetter(uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

struct Chunk {
    char type[5] = {};
    const uint8_t* data = nullptr;
    uint32_t length = 0;

    bool Is(const char* name) const { return std::memcmp(type, name, 4) == 0; }
    bool Critical() const { return (type[0] & 0x20) == 0; }
};

// Walks the chunks of a PNG file and checks each one's frame and CRC.
class ChunkReader {
  public:
    ChunkReader(const uint8_t* data, size_t size) : data_(data), size_(size), pos_(8) {}

    bool Next(Chunk& chunk, std::string& error) {
        if (size_ - pos_ < 12)
            return Fail(error, "file ends inside a chunk");
        const uint8_t* p = data_ + pos_;
        chunk.length = BigEndian32(p);
        if (chunk.length > 0x7FFFFFFFu || chunk.length > size_ - pos_ - 12)
            return Fail(error, "file ends inside a chunk");
        for (int i = 0; i < 4; ++i) {
            if (!IsLetter(p[4 + i]))
                return Fail(error, "bad chunk type");
            chunk.type[i] = static_cast<char>(p[4 + i]);
        }
        chunk.data = p + 8;
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), p + 4, 4 + chunk.length);
        if (crc != BigEndian32(p + 8 + chunk.length))
            return Fail(error, std::string("CRC error in chunk ") + chunk.type);
        pos_ += 12 + size_t{chunk.length};
        return true;
    }

  private:
    static bool Fail(std::string& error, const std::string& reason) {
        error = reason;
        return false;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_;
};

// The state of one decoding run between chunks.
class PngReader {
  public:
    explicit PngReader(const PngDecodeOptions& options) : options_(options) {}

    bool Read(const uint8_t* data, size_t size, PngImage& out, std::string& error);

  private:
    std::string OnChunk(const Chunk& chunk);
    std::string OnHeader(const Chunk& chunk);
    std::string OnPalette(const Chunk& chunk);
    std::string OnTransparency(const Chunk& chunk);
    std::string OnImageData(const Chunk& chunk);
    std::string Finish(PngImage& out);

    const PngDecodeOptions& options_;
    PngHeader header_;
    PngColorInfo colors_;
    bool haveHeader_ = false, havePalette_ = false, haveTransparency_ = false;
    bool inImageData_ = false, imageDataDone_ = false, ended_ = false;
    std::unique_ptr<BoundedInflater> inflater_;
};

bool PngReader::Read(const uint8_t* data, size_t size, PngImage& out, std::string& error) {
    if (size < 8 || std::memcmp(data, kSignature, 8) != 0) {
        error = "not a PNG file";
        return false;
    }
    ChunkReader reader(data, size);
    while (!ended_) {
        Chunk chunk;
        if (!reader.Next(chunk, error))
            return false;
        error = OnChunk(chunk);
        if (!error.empty())
            return false;
    }
    error = Finish(out);
    return error.empty();
}

std::string PngReader::OnChunk(const Chunk& chunk) {
    if (!haveHeader_ && !chunk.Is("IHDR"))
        return "IHDR is not the first chunk";
    if (inImageData_ && !chunk.Is("IDAT")) {
        inImageData_ = false;
        imageDataDone_ = true;
    }
    if (chunk.Is("IHDR"))
        return haveHeader_ ? "more than one IHDR" : OnHeader(chunk);
    if (chunk.Is("PLTE"))
        return OnPalette(chunk);
    if (chunk.Is("tRNS"))
        return OnTransparency(chunk);
    if (chunk.Is("IDAT"))
        return OnImageData(chunk);
    if (chunk.Is("IEND")) {
        ended_ = true;
        return "";
    }
    if (chunk.Critical())
        return std::string("unknown critical chunk ") + chunk.type;
    return "";  // ancillary chunks (text, gamma, ...) are not needed
}

std::string PngReader::OnHeader(const Chunk& chunk) {
    std::string error = ParsePngHeader(chunk.data, chunk.length, header_);
    if (!error.empty())
        return error;
    if (header_.width > options_.maxWidth || header_.height > options_.maxHeight ||
        uint64_t{header_.width} * header_.height > options_.maxPixels)
        return "image too large";
    const uint64_t inflated = PngInflatedSize(header_);
    if (inflated > SIZE_MAX / 2)
        return "image too large";
    haveHeader_ = true;
    inflater_ = std::make_unique<BoundedInflater>(static_cast<size_t>(inflated));
    return "";
}

std::string PngReader::OnPalette(const Chunk& chunk) {
    if (havePalette_)
        return "more than one PLTE";
    if (inImageData_ || imageDataDone_ || haveTransparency_)
        return "PLTE out of order";
    if (header_.colorType != kPngPalette)
        return "";  // a suggested palette (or a stray one in a grey image): not needed
    if (chunk.length == 0 || chunk.length % 3 != 0 || chunk.length > 768)
        return "bad PLTE length";
    havePalette_ = true;
    for (uint32_t i = 0; i < chunk.length; i += 3) {
        const uint8_t* c = chunk.data + i;
        colors_.palette.push_back(MakeArgb(255, c[0], c[1], c[2]));
    }
    return "";
}

// Transparency is ancillary: a tRNS that is out of place, repeated or of the wrong
// length is ignored (the image stays opaque), as other decoders do.
std::string PngReader::OnTransparency(const Chunk& chunk) {
    if (haveTransparency_ || inImageData_ || imageDataDone_)
        return "";
    const uint8_t* d = chunk.data;
    if (header_.colorType == kPngPalette && havePalette_ && chunk.length <= colors_.palette.size()) {
        for (uint32_t i = 0; i < chunk.length; ++i)
            colors_.palette[i] = (colors_.palette[i] & 0x00FFFFFFu) | (uint32_t{d[i]} << 24);
        haveTransparency_ = true;
    } else if (header_.colorType == kPngGrey && chunk.length == 2) {
        colors_.hasColorKey = true;
        colors_.keyGrey = BigEndian16(d);
        haveTransparency_ = true;
    } else if (header_.colorType == kPngRgb && chunk.length == 6) {
        colors_.hasColorKey = true;
        colors_.keyRed = BigEndian16(d);
        colors_.keyGreen = BigEndian16(d + 2);
        colors_.keyBlue = BigEndian16(d + 4);
        haveTransparency_ = true;
    }
    return "";
}

std::string PngReader::OnImageData(const Chunk& chunk) {
    if (imageDataDone_)
        return "IDAT chunks are not consecutive";
    if (header_.colorType == kPngPalette && !havePalette_)
        return "palette image without PLTE";
    inImageData_ = true;
    if (!inflater_->Feed(chunk.data, chunk.length))
        return "image data: " + inflater_->Error();
    return "";
}

std::string PngReader::Finish(PngImage& out) {
    if (!inImageData_ && !imageDataDone_)
        return "no image data";
    if (!inflater_->Finish())
        return "image data: " + inflater_->Error();
    std::vector<uint8_t>& raw = inflater_->Output();
    std::string error = UnfilterPngData(header_, raw);
    if (!error.empty())
        return error;
    out.width = static_cast<int>(header_.width);
    out.height = static_cast<int>(header_.height);
    out.premultiplied = false;
    ExpandPngPixels(header_, colors_, raw, out.pixels);
    if (options_.premultiply)
        Premultiply(out);
    return "";
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, PngImage& out, std::string& error, const PngDecodeOptions& options) {
    out = PngImage();
    error.clear();
    PngReader reader(options);
    bool ok = false;
    try {
        ok = data != nullptr && reader.Read(data, size, out, error);
    } catch (const std::bad_alloc&) {
        error = "not enough memory for the image";  // a large but allowed size on a 32-bit process
    }
    if (!ok) {
        if (error.empty())
            error = "not a PNG file";
        out = PngImage();
        return false;
    }
    return true;
}

bool LoadPngFile(const std::string& path, PngImage& out, std::string& error, const PngDecodeOptions& options) {
    out = PngImage();
    std::string bytes;
    switch (ReadWholeFile(path, kMaxPngFileSize, bytes)) {
        case WholeFileStatus::Read:
            return DecodePng(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out, error, options);
        case WholeFileStatus::Missing:
            error = "cannot open " + path;
            return false;
        case WholeFileStatus::TooLarge:
            error = "file too large: " + path;
            return false;
        case WholeFileStatus::Failed:
            break;
    }
    error = "cannot read " + path;
    return false;
}

}  // namespace tallow
