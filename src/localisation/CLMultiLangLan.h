// TCLMultiLangLan: the texts of one language, kept as the lines of a language
// file plus a parsed view of those lines that every lookup goes through.
//
// The language file format, as read here:
//   - raw bytes in the ANSI code page, no byte-order mark recognised; a NUL ends
//     the text;
//   - lines end at CR LF, lone CR or lone LF, and are trimmed of codes 0 to 32;
//   - empty lines and lines starting with ";" are skipped;
//   - "[Name]" (the whole line) opens a section; lines before the first one, and
//     lines without "=", carry nothing;
//   - "key=value": key and value trimmed, the key ends at the first "=";
//   - section names and keys are matched without regard to letter case; only the
//     last occurrence of a section is seen (sections are not merged), and the last
//     line of a key within it wins;
//   - values are decoded when read: "<BR>" is CR LF and "<SP>" one space, in any
//     letter case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "components/Strings.h"

namespace tallow {

class IFiles;

/// Language files larger than this are not read: a real one holds some ten
/// kilobytes; a larger file is damaged or not a language file at all.
constexpr std::size_t kMaxLanguageFileSize = 2u << 20;

/// "<BR>" as CR LF and "<SP>" as one space, both in any letter case.
std::string DecodeLanguageText(std::string_view raw);

class TCLMultiLangLan : public TPersistent {
    TALLOW_CLASS(TCLMultiLangLan, TPersistent)

    TCLMultiLangLan();

    /// Replaces the lines with those of the file (the bytes up to the first NUL);
    /// a file that cannot be read, or is larger than kMaxLanguageFileSize, gives no
    /// lines. Parses them at once. Files come from `files` (none: no lines).
    void LoadFromFile(const IFiles* files, const std::string& fileName);
    /// Replaces the lines with those of `bytes`, read as a language file's content.
    void LoadFromText(std::string_view bytes);
    /// Empties the lines and the parsed view.
    void Clear();

    /// The text of `Prefix.Key` (`Key` alone when the prefix is empty) in `section`,
    /// decoded, into `value`; true when the entry exists, even with an empty text.
    /// Leaves `value` alone when there is none.
    bool ReadText(std::string_view section, std::string_view prefix, std::string_view key, std::string& value);
    /// Sets `target`'s entry of every key of `section`, in file order, to its decoded
    /// text; an empty text deletes `target`'s entry of that name.
    void ReadSection(std::string_view section, TStrings& target);

    /// The language's lines. Any change of them marks the parsed view stale; it is
    /// rebuilt at the next lookup.
    TStrings& Data() { return data_; }
    void SetData(const TStrings& lines) { data_.Assign(lines); }

    void PublishProperties(PropertyList& out) override;

  private:
    struct Entry {
        std::string key;  // as written
        std::string rawValue;
    };
    struct Section {
        std::size_t firstEntry = 0;  // the entries of its last occurrence, in file order
        std::size_t entryCount = 0;
    };

    void Reparse();
    /// The entry of `key` (as written or lower-cased) in section `sectionIndex`, or nullptr.
    const Entry* Find(std::uint32_t sectionIndex, std::string_view key) const;
    static std::string EntryIndexKey(std::uint32_t sectionIndex, std::string_view key);

    TStrings data_;
    bool stale_ = true;
    // The parsed view: sections by lower-cased name, entries by section number and
    // lower-cased key (the last line of a key).
    std::vector<Section> sections_;
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::uint32_t> sectionIndex_;
    std::unordered_map<std::string, std::uint32_t> entryIndex_;
};

}  // namespace tallow
