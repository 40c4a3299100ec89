// Letter-case-blind comparison of names (property names, component names, keys).
// ASCII letters only: names in stored descriptions and skin files are identifiers.
#pragma once

#include <string>
#include <string_view>

namespace tallow {

/// True when `a` and `b` are equal without regard to ASCII letter case.
bool SameText(std::string_view a, std::string_view b);

/// Negative, zero or positive as `a` sorts before, with or after `b`, ignoring ASCII case.
int CompareText(std::string_view a, std::string_view b);

/// `text` with ASCII letters made lower case.
std::string LowerCaseAscii(std::string_view text);

}  // namespace tallow
