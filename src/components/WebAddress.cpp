#include "components/WebAddress.h"

#include <cctype>
#include <cstring>

namespace tallow {

namespace {

bool StartsWithIgnoringCase(const std::string& text, const char* prefix) {
    const size_t length = std::strlen(prefix);
    if (text.size() < length) {
        return false;
    }
    for (size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

bool NeedsEncoding(unsigned char c) {
    return c < 0x20 || c == 0x7F || (c != 0 && std::strchr(" \"\\&|^<>%", c) != nullptr);
}

}  // namespace

std::optional<std::string> SafeWebAddress(const std::string& url) {
    if (!StartsWithIgnoringCase(url, "http://") && !StartsWithIgnoringCase(url, "https://")) {
        return std::nullopt;
    }
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : url) {
        if (NeedsEncoding(c)) {
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
