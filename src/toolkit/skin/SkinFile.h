// The skin file container (.skn): a 16-byte header and a zlib-deflated payload of
// named entries ("skin.ini" and optional PNG pictures). See docs/skin-format.md.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tallow {

constexpr uint16_t kSkinFileVersion = 1;
constexpr size_t kSkinHeaderSize = 16;
constexpr uint32_t kSkinMaxPayload = 16u * 1024 * 1024;
constexpr size_t kSkinMaxFileSize = 16u * 1024 * 1024;
constexpr size_t kSkinMaxEntries = 64;
constexpr size_t kSkinMaxNameLength = 64;
constexpr const char* kSkinTextEntry = "skin.ini";

struct SkinEntry {
    std::string name;
    std::vector<uint8_t> data;
};

/// Unpacks a skin file held in memory. False with `error` for anything that is
/// not a well-formed skin file of a known version.
bool ReadSkinFile(const uint8_t* data, size_t size, std::vector<SkinEntry>& entries, std::string& error);

/// Packs entries into a skin file (used by tests and tools; the build's packer
/// writes the same format).
std::vector<uint8_t> WriteSkinFile(const std::vector<SkinEntry>& entries);

/// True for entry names of 1..64 characters from A-Z a-z 0-9 . _ -
bool IsValidSkinEntryName(const std::string& name);

}  // namespace tallow
