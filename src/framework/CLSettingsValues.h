// Text forms of the settings store's typed values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tallow {

/// A 32-bit integer from text: leading blanks, an optional sign, then decimal
/// digits, or hexadecimal digits after '$' or "0x" (hexadecimal up to FFFFFFFF,
/// taken as the two's-complement 32-bit value). Nothing for any other text or
/// a value out of range.
std::optional<std::int32_t> ParseSettingInteger(const std::string& text);

/// General format with up to 15 significant digits, `separator` as decimal point.
std::string FormatSettingFloat(double value, char separator);

/// A finite number written with `separator` as decimal point (leading blanks
/// and a sign allowed, exponent allowed); nothing for any other text.
std::optional<double> ParseSettingFloat(const std::string& text, char separator);

}  // namespace tallow
