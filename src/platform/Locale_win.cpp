#include <windows.h>

#include "platform/WinServices.h"

namespace tallow {

namespace {

class TWinLocale : public ILocale {
  public:
    char DecimalSeparator() const override {
        char buffer[8] = {};
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1 && buffer[0] != '\0') {
            return buffer[0];
        }
        return '.';
    }
};

}  // namespace

ILocale& WinLocale() {
    static TWinLocale locale;
    return locale;
}

}  // namespace tallow
