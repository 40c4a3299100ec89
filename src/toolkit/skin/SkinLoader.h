// From skin file bytes to a SkinTheme: unpack, read the table over a base theme,
// decode the pictures it names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/skin/SkinTheme.h"

namespace tallow {

struct SkinLoadResult {
    std::string error;                     // "" on success
    std::vector<std::string> unknownKeys;  // keys the table has that this version does not know
    bool ok() const { return error.empty(); }
};

/// Pictures in skins are small: larger ones are refused.
constexpr uint32_t kSkinImageMaxSide = 2048;
/// The pixels all pictures of one skin may hold together (32 MiB decoded); each
/// picture entry counts once, however many image keys name it.
constexpr uint64_t kSkinMaxPixels = 8ull * 1024 * 1024;

/// Reads a skin file held in memory over `base` (keys the file lacks keep the
/// base's values) into `out`. `out` is changed only on success; a failure, however
/// hostile the file, is an error in the result, never an exception.
SkinLoadResult LoadSkinTheme(const uint8_t* data, size_t size, const SkinTheme& base, SkinTheme& out);

/// Reads the skin file at `path` (see LoadSkinTheme).
SkinLoadResult LoadSkinThemeFile(const std::string& path, const SkinTheme& base, SkinTheme& out);

/// The skin compiled into the program ("Standard"), read once.
const SkinTheme& BuiltInSkinTheme();

}  // namespace tallow
