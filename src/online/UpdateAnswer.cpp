#include "online/UpdateAnswer.h"

#include <charconv>

#include "components/TextCase.h"

namespace tallow {

namespace {

const std::string_view kBannerPrefix = "Banner.";
const std::string_view kModifyPrefix = "__MODIFY__.";

TAnswerLine SplitLine(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return {};
    return {std::string(line.substr(0, eq)), std::string(line.substr(eq + 1))};
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

}  // namespace

TUpdateAnswer TUpdateAnswer::Parse(std::string_view text) {
    TUpdateAnswer answer;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        answer.lines_.push_back(SplitLine(text.substr(start, end - start)));
        // CR LF is one line end; a lone CR or LF is one too.
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return answer;
}

std::string TUpdateAnswer::Value(std::string_view name) const {
    if (name.empty())
        return {};
    for (const TAnswerLine& line : lines_)
        if (SameText(line.name, name))
            return line.value;
    return {};
}

bool TUpdateAnswer::HasMagicWord(std::string_view magicWord) const {
    return SameText(Value("magicword"), magicWord);
}

int TUpdateAnswer::Result() const {
    return AnswerInteger(Value("Result"));
}

std::vector<TCarriedSetting> TUpdateAnswer::CarriedSettings() const {
    std::vector<TCarriedSetting> settings;
    for (const TAnswerLine& line : lines_) {
        if (StartsWithText(line.name, kBannerPrefix)) {
            settings.push_back({line.name, line.value});
        } else if (StartsWithText(line.name, kModifyPrefix) && line.name.size() > kModifyPrefix.size()) {
            settings.push_back({line.name.substr(kModifyPrefix.size()), line.value});
        }
    }
    return settings;
}

int AnswerInteger(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return 0;
    }
    int value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty() ? value : 0;
}

}  // namespace tallow
