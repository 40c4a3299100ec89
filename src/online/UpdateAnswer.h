// The update server's answer: plain text, one name=value entry per line.
//
// Lines end with CR LF, LF or CR. The name is the text before the first "=",
// the value everything after it; a line without "=" has an empty name and is
// never found. Named lookups ignore letter case and take the first line of
// that name. The answer is untrusted text from the network: parsing never
// fails, whatever the bytes.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tallow {

struct TAnswerLine {
    std::string name;
    std::string value;
};

/// A setting the answer asks the program to store.
struct TCarriedSetting {
    std::string key;
    std::string value;
};

class TUpdateAnswer {
  public:
    static TUpdateAnswer Parse(std::string_view text);

    const std::vector<TAnswerLine>& Lines() const { return lines_; }
    /// The value of the first line named `name`; empty when there is none.
    std::string Value(std::string_view name) const;
    /// Whether the answer is genuine: its "magicword" equals `magicWord`,
    /// ignoring case. A missing line is an empty word.
    bool HasMagicWord(std::string_view magicWord) const;
    /// "Result" as a decimal integer; text that is not one counts as 0.
    int Result() const;
    /// The settings the answer carries, in answer order: lines named "Banner."...
    /// under their own name, lines named "__MODIFY__."... under the rest of the
    /// name. Prefixes ignore case; a "__MODIFY__." line without a key is dropped.
    std::vector<TCarriedSetting> CarriedSettings() const;

  private:
    std::vector<TAnswerLine> lines_;
};

/// `text` as a decimal integer (optional sign, blanks around it allowed), or 0
/// when it is not one or does not fit.
int AnswerInteger(std::string_view text);

}  // namespace tallow
