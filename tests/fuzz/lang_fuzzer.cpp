// libFuzzer entry for the language file reader: line ends, trimming, comments,
// headers, repeated sections and keys, encoded breaks and spaces, and the
// "{AppName}" filling of the texts read through the language data.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "components/TextCase.h"
#include "localisation/CLMultiLang.h"
#include "localisation/CLMultiLangLan.h"

namespace {

std::string UpperCaseAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return out;
}

// The section names of the header lines, trimmed as the reader trims them.
std::vector<std::string> SectionNames(const tallow::TStrings& lines) {
    std::vector<std::string> names;
    for (const std::string& raw : lines.Lines()) {
        std::string_view line = raw;
        while (!line.empty() && static_cast<unsigned char>(line.front()) <= 32)
            line.remove_prefix(1);
        while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32)
            line.remove_suffix(1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            std::string_view name = line.substr(1, line.size() - 2);
            while (!name.empty() && static_cast<unsigned char>(name.front()) <= 32)
                name.remove_prefix(1);
            while (!name.empty() && static_cast<unsigned char>(name.back()) <= 32)
                name.remove_suffix(1);
            names.emplace_back(name);
        }
    }
    return names;
}

// A text read through the language data, with the file's own AppName filled
// in, never grows past the limit; a text that would stays as the file has it.
void CheckFilledText(tallow::TCLMultiLangData& language,
                     const std::string& section,
                     const std::string& key,
                     const std::string& written) {
    std::string filled;
    if (!language.FindText(section, "", key, filled) ||
        (filled.size() > tallow::kMaxFilledTextSize && filled != written)) {
        std::abort();
    }
}

}  // namespace

// Reads one input as a language file, aborts on a broken invariant; true when
// the input holds at least one section. Every entry a section lists is found by
// its key in any letter case with the same text, and the same lines assigned
// again give the same answers.
bool TallowFuzzLoad(const uint8_t* data, size_t size) {
    if (size > tallow::kMaxLanguageFileSize) {
        return false;
    }
    tallow::TCLMultiLangLan lan;
    lan.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size));
    tallow::TCLMultiLangLan copy;
    copy.SetData(lan.Data());
    const std::vector<std::string> sections = SectionNames(lan.Data());
    tallow::TCLMultiLangData language(nullptr);
    language.SetCurrentData(&lan.Data());
    language.ReadAppName();
    for (const std::string& section : sections) {
        tallow::TStrings entries;
        lan.ReadSection(section, entries);
        for (int i = 0; i < entries.Count(); ++i) {
            const std::string key = entries.Names(i);
            std::string text;
            std::string again;
            if (!lan.ReadText(UpperCaseAscii(section), "", tallow::LowerCaseAscii(key), text) || text.empty() ||
                !copy.ReadText(section, "", key, again) || again != text) {
                std::abort();
            }
            CheckFilledText(language, section, key, text);
        }
    }
    return !sections.empty();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TallowFuzzLoad(data, size);
    return 0;
}
