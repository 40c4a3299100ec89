#include "localisation/CLMultiLangLan.h"

#include <cstring>
#include <unordered_set>

#include "components/TextCase.h"
#include "platform/Files.h"

namespace tallow {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Appends `text` to `out` with every `token` (any letter case) replaced by `by`.
std::string ReplaceToken(std::string_view text, std::string_view token, std::string_view by) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '<' && StartsWithText(text.substr(i), token)) {
            out += by;
            i += token.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

}  // namespace

std::string DecodeLanguageText(std::string_view raw) {
    if (raw.find('<') == std::string_view::npos)
        return std::string(raw);
    return ReplaceToken(ReplaceToken(raw, "<BR>", "\r\n"), "<SP>", " ");
}

TCLMultiLangLan::TCLMultiLangLan() {
    data_.OnChange = [this](TStrings&) { stale_ = true; };
}

void TCLMultiLangLan::LoadFromFile(const IFiles* files, const std::string& fileName) {
    TFileRead read;
    if (files)
        read = files->ReadFileUpTo(fileName, kMaxLanguageFileSize);
    LoadFromText(read.status == FileReadStatus::Read ? std::string_view(read.content) : std::string_view());
}

void TCLMultiLangLan::LoadFromText(std::string_view bytes) {
    const size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    data_.SetText(bytes);
    stale_ = true;
    Reparse();
}

void TCLMultiLangLan::Clear() {
    data_.Clear();
    sections_.clear();
    entries_.clear();
    sectionIndex_.clear();
    entryIndex_.clear();
    stale_ = false;
}

std::string TCLMultiLangLan::EntryIndexKey(std::uint32_t sectionIndex, std::string_view key) {
    std::string k(sizeof sectionIndex, '\0');
    std::memcpy(k.data(), &sectionIndex, sizeof sectionIndex);
    for (char c : key)
        k += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return k;
}

// Every header opens a new section number; the name's index then names the
// latest one, so the entries of an earlier occurrence can no longer be reached.
void TCLMultiLangLan::Reparse() {
    if (!stale_)
        return;
    sections_.clear();
    entries_.clear();
    sectionIndex_.clear();
    entryIndex_.clear();
    bool inSection = false;
    for (const std::string& rawLine : data_.Lines()) {
        const std::string_view line = Trim(rawLine);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            const auto number = static_cast<std::uint32_t>(sections_.size());
            sections_.push_back({entries_.size(), 0});
            sectionIndex_[LowerCaseAscii(Trim(line.substr(1, line.size() - 2)))] = number;
            inSection = true;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos)
            continue;
        const auto number = static_cast<std::uint32_t>(sections_.size() - 1);
        const auto entry = static_cast<std::uint32_t>(entries_.size());
        entries_.push_back({std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1)))});
        ++sections_.back().entryCount;
        entryIndex_[EntryIndexKey(number, entries_.back().key)] = entry;
    }
    stale_ = false;
}

const TCLMultiLangLan::Entry* TCLMultiLangLan::Find(std::uint32_t sectionIndex, std::string_view key) const {
    const auto it = entryIndex_.find(EntryIndexKey(sectionIndex, key));
    return it == entryIndex_.end() ? nullptr : &entries_[it->second];
}

bool TCLMultiLangLan::ReadText(std::string_view section,
                               std::string_view prefix,
                               std::string_view key,
                               std::string& value) {
    Reparse();
    const auto sectionIt = sectionIndex_.find(LowerCaseAscii(section));
    if (sectionIt == sectionIndex_.end())
        return false;
    std::string fullKey;
    if (!prefix.empty()) {
        fullKey.append(prefix).append(".");
    }
    fullKey.append(key);
    const Entry* entry = Find(sectionIt->second, fullKey);
    if (!entry)
        return false;
    value = DecodeLanguageText(entry->rawValue);
    return true;
}

// Each name is settled by its last line, so a name is applied once, at its first
// line; entries that end empty are dropped from `target` in one pass at the end.
void TCLMultiLangLan::ReadSection(std::string_view section, TStrings& target) {
    Reparse();
    const auto sectionIt = sectionIndex_.find(LowerCaseAscii(section));
    if (sectionIt == sectionIndex_.end())
        return;
    const Section& s = sections_[sectionIt->second];
    std::vector<std::string> lines = target.Lines();
    std::unordered_map<std::string, size_t> byName;  // lower-cased name -> first line
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t equals = lines[i].find('=');
        if (equals != std::string::npos)
            byName.emplace(LowerCaseAscii(std::string_view(lines[i]).substr(0, equals)), i);
    }
    std::unordered_set<std::string> done;
    std::vector<bool> drop(lines.size(), false);
    for (size_t e = s.firstEntry; e < s.firstEntry + s.entryCount; ++e) {
        const std::string& name = entries_[e].key;
        std::string lower = LowerCaseAscii(name);
        if (!done.insert(lower).second)
            continue;
        const std::string text = DecodeLanguageText(Find(sectionIt->second, name)->rawValue);
        const auto existing = byName.find(lower);
        if (existing != byName.end()) {
            if (text.empty())
                drop[existing->second] = true;
            else
                lines[existing->second] = name + "=" + text;
        } else if (!text.empty()) {
            lines.push_back(name + "=" + text);
            drop.push_back(false);
        }
    }
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!drop[i])
            kept.push_back(std::move(lines[i]));
    }
    if (kept == target.Lines())
        return;
    target.BeginUpdate();
    target.Clear();
    for (std::string& line : kept)
        target.Add(line);
    target.EndUpdate();
}

void TCLMultiLangLan::PublishProperties(PropertyList& out) {
    TPersistent::PublishProperties(out);
    out.Object<TStrings, TCLMultiLangLan>(
        "Data", "TStrings", [](TCLMultiLangLan& l) { return &l.Data(); },
        [](TCLMultiLangLan& l, TStrings* lines) {
            if (lines)
                l.SetData(*lines);
        });
}

}  // namespace tallow
