#include "framework/CLSettingsValues.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tallow {

namespace {

size_t SkipBlanks(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    return i;
}

std::optional<std::uint64_t> ParseDigits(const std::string& text, size_t start, int base) {
    if (start >= text.size()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    auto [end, error] = std::from_chars(first, last, value, base);
    if (error != std::errc() || end != last || *first == '-' || *first == '+') {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::int32_t> ParseSettingInteger(const std::string& text) {
    size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        i += 1;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    auto digits = ParseDigits(text, i, base);
    if (!digits) {
        return std::nullopt;
    }
    std::int64_t value;
    if (base == 16) {
        if (*digits > 0xFFFFFFFFull) {
            return std::nullopt;
        }
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(*digits));
    } else {
        if (*digits > 0x80000000ull) {
            return std::nullopt;
        }
        value = static_cast<std::int64_t>(*digits);
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string FormatSettingFloat(double value, char separator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text(buffer);
    for (char& c : text) {
        if (c == '.') {
            c = separator;
        }
    }
    return text;
}

std::optional<double> ParseSettingFloat(const std::string& text, char separator) {
    std::string plain = text.substr(SkipBlanks(text));
    if (!plain.empty() && plain.front() == '+') {
        plain.erase(0, 1);
        if (!plain.empty() && plain.front() == '-') {
            return std::nullopt;
        }
    }
    if (separator != '.' && plain.find('.') != std::string::npos) {
        return std::nullopt;  // only the locale's separator counts
    }
    for (char& c : plain) {
        if (c == separator) {
            c = '.';
        }
    }
    if (plain.empty() || plain.front() == '+') {
        return std::nullopt;
    }
    // Digits, one point and an exponent only: strtod alone would also take blanks,
    // hexadecimal numbers and "inf". The program keeps the C locale, so strtod's
    // point is '.'; it is used rather than from_chars for doubles, which would
    // add its own tables to the program.
    if (plain.find_first_not_of("0123456789.eE+-") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(plain.c_str(), &end);
    if (end != plain.c_str() + plain.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace tallow
