#include "framework/CLEngineText.h"

#include <cctype>
#include <string_view>

#include "components/TextCase.h"

namespace tallow {

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to, bool ignoreCase) {
    if (from.empty()) {
        return text;
    }
    // Without regard to case the search runs over lower-case copies; ASCII
    // lowering keeps every offset, so the hits mark the same places in `text`.
    const std::string haystack = ignoreCase ? LowerCaseAscii(text) : text;
    const std::string needle = ignoreCase ? LowerCaseAscii(from) : from;
    std::string out;
    size_t start = 0;
    for (size_t hit = haystack.find(needle); hit != std::string::npos; hit = haystack.find(needle, start)) {
        out.append(text, start, hit - start);
        out += to;
        start = hit + from.size();
    }
    out.append(text, start, std::string::npos);
    return out;
}

std::string FillPlaceholders(const std::string& text, const std::vector<std::string>& args) {
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find('{', pos);
        if (open == std::string::npos) {
            break;
        }
        out.append(text, pos, open - pos);
        // A placeholder holds at most nine digits: the closing brace is looked
        // for only that far, so a text of many "{" stays one linear pass.
        constexpr size_t kMaxDigits = 9;
        const size_t inWindow = std::string_view(text).substr(open + 1, kMaxDigits + 1).find('}');
        const size_t close = inWindow == std::string_view::npos ? std::string::npos : open + 1 + inWindow;
        const size_t digits = close == std::string::npos ? 0 : close - open - 1;
        size_t n = 0;
        bool valid = digits > 0 && digits <= kMaxDigits && text[open + 1] != '0';
        for (size_t i = open + 1; valid && i < close; ++i) {
            valid = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
            n = n * 10 + static_cast<size_t>(text[i] - '0');
        }
        if (valid && n >= 1 && n <= args.size()) {
            out += args[n - 1];
            pos = close + 1;
        } else {
            out += '{';
            pos = open + 1;
        }
    }
    out.append(text, pos, std::string::npos);
    return out;
}

std::string MissingTextMarker(const std::string& key, bool isLib) {
    std::string marker(isLib ? "[LibRes]" : "[AppRes]");
    marker.append(key);
    return marker;
}

std::optional<std::string> FindListValue(const std::vector<std::string>& lines, const std::string& name) {
    for (const std::string& line : lines) {
        size_t eq = line.find('=');
        if (eq != std::string::npos && SameText(line.substr(0, eq), name)) {
            return line.substr(eq + 1);
        }
    }
    return std::nullopt;
}

}  // namespace tallow
