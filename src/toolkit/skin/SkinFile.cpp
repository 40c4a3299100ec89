#include "toolkit/skin/SkinFile.h"

#include <zlib.h>

#include <cstring>

#include "components/TextCase.h"
#include "toolkit/image/BoundedInflater.h"

namespace tallow {

namespace {

constexpr char kMagic[4] = {'T', 'S', 'K', 'N'};

uint32_t Little32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

void PutLittle(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool Fail(std::string& error, const std::string& reason) {
    error = reason;
    return false;
}

// Splits the inflated payload into entries.
bool SplitEntries(const std::vector<uint8_t>& payload, std::vector<SkinEntry>& entries, std::string& error) {
    size_t pos = 0;
    while (pos < payload.size()) {
        if (entries.size() == kSkinMaxEntries)
            return Fail(error, "too many entries");
        const size_t nameLength = payload[pos++];
        if (nameLength == 0 || payload.size() - pos < nameLength + 4)
            return Fail(error, "damaged entry");
        SkinEntry entry;
        entry.name.assign(reinterpret_cast<const char*>(payload.data() + pos), nameLength);
        pos += nameLength;
        const uint32_t length = Little32(payload.data() + pos);
        pos += 4;
        if (!IsValidSkinEntryName(entry.name) || length > payload.size() - pos)
            return Fail(error, "damaged entry");
        for (const SkinEntry& other : entries) {
            if (SameText(other.name, entry.name))
                return Fail(error, "entry \"" + entry.name + "\" twice");
        }
        entry.data.assign(payload.begin() + static_cast<std::ptrdiff_t>(pos),
                          payload.begin() + static_cast<std::ptrdiff_t>(pos + length));
        pos += length;
        entries.push_back(std::move(entry));
    }
    return true;
}

}  // namespace

bool IsValidSkinEntryName(const std::string& name) {
    if (name.empty() || name.size() > kSkinMaxNameLength)
        return false;
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                        c == '_' || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

bool ReadSkinFile(const uint8_t* data, size_t size, std::vector<SkinEntry>& entries, std::string& error) {
    entries.clear();
    if (data == nullptr || size < kSkinHeaderSize || std::memcmp(data, kMagic, 4) != 0)
        return Fail(error, "not a skin file");
    if (size > kSkinMaxFileSize)
        return Fail(error, "skin file too large");
    const unsigned version = data[4] | (data[5] << 8);
    if (version != kSkinFileVersion)
        return Fail(error, "unsupported skin file version " + std::to_string(version));
    const uint32_t payloadSize = Little32(data + 8);
    if (payloadSize == 0 || payloadSize > kSkinMaxPayload)
        return Fail(error, "bad payload size");
    std::vector<uint8_t> payload;
    std::string inflateError;
    if (!InflateExactly(data + kSkinHeaderSize, size - kSkinHeaderSize, payloadSize, payload, inflateError))
        return Fail(error, "damaged skin data: " + inflateError);
    if (crc32(crc32(0L, Z_NULL, 0), payload.data(), static_cast<uInt>(payload.size())) != Little32(data + 12))
        return Fail(error, "skin data checksum mismatch");
    if (!SplitEntries(payload, entries, error)) {
        entries.clear();
        return false;
    }
    return true;
}

std::vector<uint8_t> WriteSkinFile(const std::vector<SkinEntry>& entries) {
    std::vector<uint8_t> payload;
    for (const SkinEntry& e : entries) {
        payload.push_back(static_cast<uint8_t>(e.name.size()));
        payload.insert(payload.end(), e.name.begin(), e.name.end());
        PutLittle(payload, static_cast<uint32_t>(e.data.size()), 4);
        payload.insert(payload.end(), e.data.begin(), e.data.end());
    }
    uLongf packedSize = compressBound(static_cast<uLong>(payload.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, payload.data(), static_cast<uLong>(payload.size()), 9);
    packed.resize(packedSize);

    std::vector<uint8_t> file(kMagic, kMagic + 4);
    PutLittle(file, kSkinFileVersion, 2);
    PutLittle(file, 0, 2);
    PutLittle(file, static_cast<uint32_t>(payload.size()), 4);
    PutLittle(file,
              static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), payload.data(), static_cast<uInt>(payload.size()))), 4);
    file.insert(file.end(), packed.begin(), packed.end());
    return file;
}

}  // namespace tallow
