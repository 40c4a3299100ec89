// An INI document in memory: sections of Name=Value lines.
//
// Reading is tolerant: CR LF, LF and CR alone all end a line; bytes of any
// value are kept as they are. Section and key names compare without regard to
// ASCII letter case and are trimmed of blanks, as are values. A section that
// appears twice is one section; of two equal keys in a section the first wins,
// as with the Windows profile functions, and writing a key replaces that first
// one. Lines that hold no key (comments, text without '=', lines before the
// first section) are not read as keys but are kept and written back where they
// were, so that a save never loses what a person wrote into the file.
//
// Sections are found through an index, so reading a document is linear in its
// size whatever the number of sections.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tallow {

/// Converts UTF-16 text to the ANSI code page the settings use.
using WideToAnsiFn = std::function<std::string(std::u16string_view)>;

/// File content as ANSI text: a UTF-8 byte-order mark is dropped and the UTF-8
/// text after it converted (content that is not valid UTF-8 stays as it is); a
/// UTF-16LE byte-order mark makes the content UTF-16LE text, converted; any
/// other content is already ANSI text.
std::string IniTextToAnsi(std::string_view bytes, const WideToAnsiFn& toAnsi);

class TIniDocument {
  public:
    TIniDocument() = default;
    /// Reads a document from ANSI text (file content goes through IniTextToAnsi first).
    static TIniDocument Parse(std::string_view text);

    /// The value of `key` in `section`; nothing when either is missing. A key
    /// present with an empty value gives an empty text.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    /// Sets `key` in `section`, adding either when missing. Line breaks in the
    /// value become blanks. False (and nothing changed) when the key cannot be
    /// stored as one line: empty, holding '=' or a line break, or opening with '['.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    /// The document as file content, CR LF line ends, a blank line between
    /// sections; kept lines come back trimmed, in their places.
    std::string Serialize() const;

  private:
    // A key line, or (isKept) a line kept as text in `value`.
    struct Entry {
        std::string key;
        std::string value;
        bool isKept = false;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    Section& AddSection(std::string_view name);

    std::vector<std::string> preamble_;  // kept lines before the first section
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> index_;  // lower-case name -> position in sections_
};

/// ASCII case-insensitive equality of INI names (components/TextCase.h has the
/// same for the component model; the names differ so both libraries link together).
bool SameIniText(std::string_view a, std::string_view b);

}  // namespace tallow
