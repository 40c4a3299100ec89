// An INI document in memory: sections of Name=Value lines.
//
// Reading is tolerant: CR LF, LF and CR alone all end a line; lines that are
// neither a section header nor hold '=' are skipped; bytes of any value are
// kept as they are. Section and key names compare without regard to ASCII
// letter case and are trimmed of blanks, as are values. A section that appears
// twice is one section; of two equal keys in a section the first wins, as with
// the Windows profile functions, and writing a key replaces that first one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallow {

class TIniDocument {
public:
    TIniDocument() = default;
    /// Reads a document from file content.
    static TIniDocument Parse(std::string_view text);

    /// The value of `key` in `section`; nothing when either is missing. A key
    /// present with an empty value gives an empty text.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    /// Sets `key` in `section`, adding either when missing. Line breaks in the
    /// value become blanks. False (and nothing changed) when the key cannot be
    /// stored as one line: empty, holding '=' or a line break, or opening with '['.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    /// The document as file content, CR LF line ends, a blank line between sections.
    std::string Serialize() const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    Section& AddSection(std::string_view name);

    std::vector<Section> sections_;
};

/// ASCII case-insensitive equality of INI names (components/TextCase.h has the
/// same for the component model; the names differ so both libraries link together).
bool SameIniText(std::string_view a, std::string_view b);

}  // namespace tallow
