#include "framework/IniDocument.h"

#include "components/TextCase.h"

namespace tallow {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Calls `onLine` for each line; CR LF, LF and a lone CR end a line.
template <typename F>
void ForEachLine(std::string_view text, F onLine) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            onLine(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        onLine(text.substr(start));
    }
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Strict UTF-8 to UTF-16; nothing when `text` is not valid UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text) {
    static const char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    std::u16string wide;
    wide.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t extra = 0;
        char32_t code = lead;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, code = lead & 0x07;
        } else if (lead >= 0x80) {
            return std::nullopt;
        }
        if (text.size() - i <= extra) {
            return std::nullopt;  // cut short
        }
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (code < kLeast[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return std::nullopt;  // overlong, beyond Unicode, or a surrogate
        }
        if (code >= 0x10000) {
            wide += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            wide += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            wide += static_cast<char16_t>(code);
        }
        i += extra + 1;
    }
    return wide;
}

// UTF-16 bytes to text; an odd last byte is no character and is dropped.
std::u16string Utf16BytesToWide(std::string_view bytes, bool bigEndian) {
    std::u16string wide(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < wide.size(); ++i) {
        const unsigned a = static_cast<unsigned char>(bytes[2 * i]);
        const unsigned b = static_cast<unsigned char>(bytes[2 * i + 1]);
        wide[i] = static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    return wide;
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string IniTextToAnsi(std::string_view bytes, const WideToAnsiFn& toAnsi) {
    const std::string_view mark = bytes.substr(0, 2);
    if (mark == "\xFF\xFE" || mark == "\xFE\xFF") {
        return toAnsi(Utf16BytesToWide(bytes.substr(2), mark[0] == '\xFE'));
    }
    if (bytes.substr(0, kUtf8Bom.size()) != kUtf8Bom) {
        return std::string(bytes);
    }
    bytes.remove_prefix(kUtf8Bom.size());
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    auto wide = Utf8ToUtf16(bytes);
    return wide ? toAnsi(*wide) : std::string(bytes);
}

bool SameIniText(std::string_view a, std::string_view b) {
    return SameText(a, b);
}

TIniDocument TIniDocument::Parse(std::string_view text) {
    TIniDocument doc;
    Section* current = nullptr;
    ForEachLine(text, [&](std::string_view raw) {
        std::string_view line = Trim(raw);
        if (line.empty()) {
            return;  // blank lines are layout; Serialize writes its own
        }
        if (line.front() == '[') {
            size_t close = line.find(']');
            std::string_view name = Trim(line.substr(1, close == std::string_view::npos ? close : close - 1));
            current = doc.FindSection(name);
            if (!current) {
                current = &doc.AddSection(name);
            }
            return;
        }
        size_t eq = line.find('=');
        std::string_view key = eq == std::string_view::npos ? std::string_view() : Trim(line.substr(0, eq));
        if (key.empty() || line.front() == ';') {
            if (current) {
                current->entries.push_back({std::string(), std::string(line), true});
            } else {
                doc.preamble_.emplace_back(line);
            }
        } else if (current) {
            current->entries.push_back({std::string(key), std::string(Trim(line.substr(eq + 1))), false});
        } else {
            doc.preamble_.emplace_back(line);  // a key outside any section is no setting, but it stays
        }
    });
    return doc;
}

std::optional<std::string> TIniDocument::Find(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) {
        return std::nullopt;
    }
    for (const Entry& e : s->entries) {
        if (!e.isKept && SameIniText(e.key, key)) {
            return e.value;
        }
    }
    return std::nullopt;
}

bool TIniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    key = Trim(key);
    if (key.empty() || key.front() == '[' || key.front() == ';' ||
        key.find_first_of("=\r\n") != std::string_view::npos) {
        return false;
    }
    std::string flat(value);
    for (char& c : flat) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    std::string clean(Trim(flat));  // after the line breaks became blanks, so it reads back the same
    Section* s = FindSection(section);
    if (!s) {
        s = &AddSection(section);
    }
    for (Entry& e : s->entries) {
        if (!e.isKept && SameIniText(e.key, key)) {
            e.value = std::move(clean);
            return true;
        }
    }
    s->entries.push_back({std::string(key), std::move(clean), false});
    return true;
}

std::string TIniDocument::Serialize() const {
    std::string out;
    for (const std::string& line : preamble_) {
        out += line + "\r\n";
    }
    for (const Section& s : sections_) {
        if (!out.empty()) {
            out += "\r\n";
        }
        out += "[" + s.name + "]\r\n";
        for (const Entry& e : s.entries) {
            out += e.isKept ? e.value + "\r\n" : e.key + "=" + e.value + "\r\n";
        }
    }
    return out;
}

TIniDocument::Section* TIniDocument::FindSection(std::string_view name) {
    auto it = index_.find(LowerCaseAscii(name));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

const TIniDocument::Section* TIniDocument::FindSection(std::string_view name) const {
    return const_cast<TIniDocument*>(this)->FindSection(name);
}

TIniDocument::Section& TIniDocument::AddSection(std::string_view name) {
    index_.emplace(LowerCaseAscii(name), sections_.size());
    sections_.push_back({std::string(name), {}});
    return sections_.back();
}

}  // namespace tallow
