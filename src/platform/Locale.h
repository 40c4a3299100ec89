// The user's locale settings.
#pragma once

#include <cstdint>
#include <string>

namespace tallow {

class ILocale {
  public:
    virtual ~ILocale() = default;
    /// The decimal separator of the user's locale (LOCALE_SDECIMAL); '.' when unknown.
    virtual char DecimalSeparator() const = 0;
    /// `bytes` as the shell shows sizes ("245 MB", "1.17 KB", "12 bytes"), in the
    /// user's locale, ANSI code page. Safe to call from any thread.
    virtual std::string FormatByteSize(std::uint64_t bytes) const = 0;
    /// `count` with the user's digit grouping and no decimals ("1,204"), ANSI
    /// code page. Safe to call from any thread.
    virtual std::string FormatCount(std::uint64_t count) const = 0;
};

}  // namespace tallow
