#include "components/WebAddress.h"

#include "components/TextCase.h"

#include <cstring>

namespace tallow {

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool NeedsEncoding(const std::string& url, size_t i) {
    const unsigned char c = static_cast<unsigned char>(url[i]);
    if (c == '%') {
        return !(i + 2 < url.size() && IsHexDigit(url[i + 1]) && IsHexDigit(url[i + 2]));
    }
    return c < 0x20 || c == 0x7F || (c != 0 && std::strchr(" \"\\|^<>", c) != nullptr);
}

}  // namespace

std::optional<std::string> SafeWebAddress(const std::string& url) {
    if (!StartsWithText(url, "http://") && !StartsWithText(url, "https://")) {
        return std::nullopt;
    }
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < url.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(url[i]);
        if (NeedsEncoding(url, i)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace tallow
