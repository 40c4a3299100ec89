// Letter-case-blind comparison of names (property names, component names, setting
// and language keys, file extensions, address schemes): the one place the system
// compares text without regard to case. ASCII letters only: these names are
// identifiers, and bytes above 127 mean different letters in different code pages.
#pragma once

#include <string>
#include <string_view>

namespace tallow {

/// True when `a` and `b` are equal without regard to ASCII letter case.
bool SameText(std::string_view a, std::string_view b);

/// Negative, zero or positive as `a` sorts before, with or after `b`, ignoring ASCII case.
int CompareText(std::string_view a, std::string_view b);

/// True when `text` begins / ends with `affix`, without regard to ASCII letter case.
bool StartsWithText(std::string_view text, std::string_view affix);
bool EndsWithText(std::string_view text, std::string_view affix);

/// `text` with ASCII letters made lower case.
std::string LowerCaseAscii(std::string_view text);

}  // namespace tallow
