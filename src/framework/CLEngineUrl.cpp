#include "framework/CLEngineUrl.h"

#include <cctype>

#include "framework/CLEngineText.h"

namespace tallow {

namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

bool NeedsEncoding(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == ' ' || c == '"' || c == '\\';
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

std::string ComposeBrowserCommand(const std::string& openCommand, const std::string& url) {
    if (openCommand.find("%1") != std::string::npos) {
        return ReplaceAll(openCommand, "%1", url);
    }
    return openCommand + "  \"" + url + "\"";
}

}  // namespace tallow
