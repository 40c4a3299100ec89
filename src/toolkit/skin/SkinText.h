// The readable table inside a skin file ("skin.ini"): sections [Skin], [Colors],
// [Metrics], [Font] and [Images] of key=value lines. See docs/skin-format.md.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/skin/SkinTheme.h"

namespace tallow {

/// A table may name at most this many pictures and hold this many keys this version
/// does not know; more is an error, so that a small packed file cannot build a huge list.
constexpr size_t kSkinMaxImageKeys = 64;
constexpr size_t kSkinMaxUnknownKeys = 256;

struct SkinTextResult {
    std::string error;                              // "" when the table was read
    std::vector<std::string> unknownKeys;           // "Section.Key" of keys this version does not know
    std::map<std::string, std::string> imageFiles;  // image key -> entry name in the skin file
};

/// Reads `text` over `theme`: keys present replace the values `theme` already has,
/// keys absent keep them. A malformed line or value stops with an error.
SkinTextResult ParseSkinText(std::string_view text, SkinTheme& theme);

/// The table of `theme` as text, every key written (images as given).
std::string FormatSkinText(const SkinTheme& theme, const std::map<std::string, std::string>& imageFiles = {});

}  // namespace tallow
