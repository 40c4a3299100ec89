#include <shlwapi.h>
#include <windows.h>

#include "platform/WinServices.h"

namespace tallow {

namespace {

std::string WideToAnsi(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return {};
    std::string ansi(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), n, nullptr, nullptr);
    ansi.resize(static_cast<size_t>(n - 1));
    return ansi;
}

// LOCALE_SGROUPING ("3;0", "3;2;0") as NUMBERFMT wants it (3, 32).
UINT GroupingOf(const wchar_t* grouping) {
    UINT value = 0;
    for (const wchar_t* c = grouping; *c; ++c) {
        if (*c >= L'1' && *c <= L'9')
            value = value * 10 + static_cast<UINT>(*c - L'0');
    }
    return value;
}

class TWinLocale : public ILocale {
  public:
    char DecimalSeparator() const override {
        char buffer[8] = {};
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1 && buffer[0] != '\0') {
            return buffer[0];
        }
        return '.';
    }

    std::string FormatByteSize(std::uint64_t bytes) const override {
        wchar_t text[64] = {};
        if (!StrFormatByteSizeW(static_cast<LONGLONG>(bytes), text, 64))
            return std::to_string(bytes);
        return WideToAnsi(text);
    }

    // GetNumberFormatW with the user's separators and grouping but no decimals.
    std::string FormatCount(std::uint64_t count) const override {
        wchar_t grouping[16] = {}, thousand[8] = {}, decimal[8] = {};
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SGROUPING, grouping, 16);
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand, 8);
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
        NUMBERFMTW format{};
        format.Grouping = GroupingOf(grouping);
        format.lpDecimalSep = decimal;
        format.lpThousandSep = thousand;
        format.NegativeOrder = 1;
        const std::wstring digits = std::to_wstring(count);
        wchar_t text[64] = {};
        if (GetNumberFormatW(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, text, 64) <= 0)
            return std::to_string(count);
        return WideToAnsi(text);
    }
};

}  // namespace

ILocale& WinLocale() {
    static TWinLocale locale;
    return locale;
}

}  // namespace tallow
