#include "components/WebAddress.h"

#include "components/TextCase.h"

#include <cstring>

namespace tallow {

namespace {

bool NeedsEncoding(unsigned char c) {
    return c < 0x20 || c == 0x7F || (c != 0 && std::strchr(" \"\\&|^<>%", c) != nullptr);
}

}  // namespace

std::optional<std::string> SafeWebAddress(const std::string& url) {
    if (!StartsWithText(url, "http://") && !StartsWithText(url, "https://")) {
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
