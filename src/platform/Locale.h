// The user's locale settings.
#pragma once

namespace tallow {

class ILocale {
  public:
    virtual ~ILocale() = default;
    /// The decimal separator of the user's locale (LOCALE_SDECIMAL); '.' when unknown.
    virtual char DecimalSeparator() const = 0;
};

}  // namespace tallow
