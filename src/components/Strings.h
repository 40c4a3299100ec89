// TStrings: an ordered list of text lines, with name=value helpers and one change
// notification per update. Published string-list properties (a label's Lines, the
// toolkit's ResStrings) hold one; their declared type name is "TStrings".
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "components/Persistent.h"

namespace tallow {

class TStrings : public TPersistent {
    TALLOW_CLASS(TStrings, TPersistent)

    int Count() const { return static_cast<int>(lines_.size()); }
    /// Line `index`; "" outside 0..Count()-1.
    const std::string& Strings(int index) const;
    void SetStrings(int index, const std::string& line);
    const std::vector<std::string>& Lines() const { return lines_; }

    /// Appends a line and returns its index.
    int Add(const std::string& line);
    void Insert(int index, const std::string& line);
    void Delete(int index);
    void Clear();
    /// Index of the line equal to `line` (exact), or -1.
    int IndexOf(std::string_view line) const;

    /// All lines, each followed by CR LF.
    std::string Text() const;
    /// Replaces all lines by `text` split at CR LF, lone CR and lone LF. A line break
    /// at the very end does not start another (empty) line.
    void SetText(std::string_view text);
    /// Replaces all lines by those of `other`.
    void Assign(const TStrings& other);

    // Name=value lines. The name is the part before the first '='; names are
    // compared without regard to letter case.
    int IndexOfName(std::string_view name) const;
    /// Name of line `index` ("" when the line has no '=').
    std::string Names(int index) const;
    /// Value of the first line named `name`, or "".
    std::string Values(std::string_view name) const;
    /// Value part of line `index` ("" when the line has no '=').
    std::string ValueFromIndex(int index) const;
    /// Sets the value of `name`, appending a line when there is none; an empty value
    /// deletes the line.
    void SetValue(std::string_view name, std::string_view value);

    /// Between BeginUpdate and the matching EndUpdate changes are collected; OnChange
    /// fires once at the last EndUpdate when something changed.
    void BeginUpdate();
    void EndUpdate();
    std::function<void(TStrings&)> OnChange;

  private:
    void Changed();

    std::vector<std::string> lines_;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
};

}  // namespace tallow
