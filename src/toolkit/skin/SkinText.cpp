#include "toolkit/skin/SkinText.h"

#include "components/Persistent.h"
#include "components/TextCase.h"

namespace tallow {

namespace {

std::string_view Trim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const size_t last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

template <size_t N>
int IndexOfName(const std::array<std::string_view, N>& names, std::string_view key) {
    for (size_t i = 0; i < N; ++i) {
        if (SameText(names[i], key))
            return static_cast<int>(i);
    }
    return -1;
}

// Applies one key=value of `section`; "" or the reason it is bad.
std::string ApplyValue(const std::string& section,
                       std::string_view key,
                       std::string_view value,
                       SkinTheme& theme,
                       SkinTextResult& result) {
    bool known = true;
    if (SameText(section, "Skin")) {
        if (SameText(key, "Name"))
            theme.name = value;
        else if (SameText(key, "Author"))
            theme.author = value;
        else
            known = false;
    } else if (SameText(section, "Colors")) {
        const int index = IndexOfName(kSkinColorNames, key);
        uint32_t argb = 0;
        if (index >= 0 && !ParseSkinColor(value, argb))
            return "bad colour \"" + std::string(value) + "\"";
        if (index >= 0)
            theme.colors[static_cast<size_t>(index)] = argb;
        known = index >= 0;
    } else if (SameText(section, "Metrics")) {
        const int index = IndexOfName(kSkinMetricNames, key);
        int number = 0;
        if (index >= 0 &&
            (!PropertyList::ParseInteger(std::string(value), number) || number < 0 || number > kSkinMetricMax))
            return "bad number \"" + std::string(value) + "\"";
        if (index >= 0)
            theme.metrics[static_cast<size_t>(index)] = number;
        known = index >= 0;
    } else if (SameText(section, "Font")) {
        known = SameText(key, "Face");
        if (known)
            theme.fontFace = value;
    } else if (SameText(section, "Images")) {
        if (value.empty())
            return "image without a file";
        result.imageFiles[std::string(key)] = value;
        if (result.imageFiles.size() > kSkinMaxImageKeys)
            return "more than " + std::to_string(kSkinMaxImageKeys) + " images";
    } else {
        known = false;
    }
    if (!known && result.unknownKeys.size() == kSkinMaxUnknownKeys)
        return "more than " + std::to_string(kSkinMaxUnknownKeys) + " unknown keys";
    if (!known)
        result.unknownKeys.push_back(section + "." + std::string(key));
    return "";
}

}  // namespace

SkinTextResult ParseSkinText(std::string_view text, SkinTheme& theme) {
    SkinTextResult result;
    std::string section;
    int lineNumber = 0;
    while (!text.empty() && result.error.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        std::string error;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3)
                error = "bad section header";
            else
                section = Trim(line.substr(1, line.size() - 2));
        } else if (const size_t eq = line.find('='); eq == std::string_view::npos || eq == 0) {
            error = "expected key=value";
        } else if (section.empty()) {
            error = "value outside a section";
        } else {
            error = ApplyValue(section, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), theme, result);
        }
        if (!error.empty())
            result.error = "skin.ini line " + std::to_string(lineNumber) + ": " + error;
    }
    return result;
}

std::string FormatSkinText(const SkinTheme& theme, const std::map<std::string, std::string>& imageFiles) {
    std::string out = "[Skin]\nName=" + theme.name + "\nAuthor=" + theme.author + "\n\n[Colors]\n";
    for (size_t i = 0; i < kSkinColorCount; ++i)
        out.append(kSkinColorNames[i]).append("=").append(FormatSkinColor(theme.colors[i])).append("\n");
    out += "\n[Metrics]\n";
    for (size_t i = 0; i < kSkinMetricCount; ++i)
        out.append(kSkinMetricNames[i]).append("=").append(std::to_string(theme.metrics[i])).append("\n");
    out += "\n[Font]\nFace=" + theme.fontFace + "\n";
    if (!imageFiles.empty()) {
        out += "\n[Images]\n";
        for (const auto& [key, file] : imageFiles)
            out.append(key).append("=").append(file).append("\n");
    }
    return out;
}

}  // namespace tallow
