#include "framework/IniDocument.h"

namespace tallow {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

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

}  // namespace

bool SameIniText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

TIniDocument TIniDocument::Parse(std::string_view text) {
    TIniDocument doc;
    Section* current = nullptr;
    ForEachLine(text, [&](std::string_view raw) {
        std::string_view line = Trim(raw);
        if (!line.empty() && line.front() == '[') {
            size_t close = line.find(']');
            std::string_view name = Trim(line.substr(1, close == std::string_view::npos ? close : close - 1));
            current = doc.FindSection(name);
            if (!current) {
                current = &doc.AddSection(name);
            }
            return;
        }
        size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos || line.front() == ';') {
            return;
        }
        std::string_view key = Trim(line.substr(0, eq));
        if (key.empty()) {
            return;
        }
        current->entries.push_back({std::string(key), std::string(Trim(line.substr(eq + 1)))});
    });
    return doc;
}

std::optional<std::string> TIniDocument::Find(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) {
        return std::nullopt;
    }
    for (const Entry& e : s->entries) {
        if (SameIniText(e.key, key)) {
            return e.value;
        }
    }
    return std::nullopt;
}

bool TIniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    key = Trim(key);
    if (key.empty() || key.front() == '[' || key.find_first_of("=\r\n") != std::string_view::npos) {
        return false;
    }
    std::string clean(Trim(value));
    for (char& c : clean) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    Section* s = FindSection(section);
    if (!s) {
        s = &AddSection(section);
    }
    for (Entry& e : s->entries) {
        if (SameIniText(e.key, key)) {
            e.value = std::move(clean);
            return true;
        }
    }
    s->entries.push_back({std::string(key), std::move(clean)});
    return true;
}

std::string TIniDocument::Serialize() const {
    std::string out;
    for (const Section& s : sections_) {
        if (!out.empty()) {
            out += "\r\n";
        }
        out += "[" + s.name + "]\r\n";
        for (const Entry& e : s.entries) {
            out += e.key + "=" + e.value + "\r\n";
        }
    }
    return out;
}

TIniDocument::Section* TIniDocument::FindSection(std::string_view name) {
    for (Section& s : sections_) {
        if (SameIniText(s.name, name)) {
            return &s;
        }
    }
    return nullptr;
}

const TIniDocument::Section* TIniDocument::FindSection(std::string_view name) const {
    return const_cast<TIniDocument*>(this)->FindSection(name);
}

TIniDocument::Section& TIniDocument::AddSection(std::string_view name) {
    sections_.push_back({std::string(name), {}});
    return sections_.back();
}

}  // namespace tallow
