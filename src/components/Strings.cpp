#include "components/Strings.h"

#include "components/TextCase.h"

namespace tallow {

namespace {

const std::string kEmpty;

}  // namespace

const std::string& TStrings::Strings(int index) const {
    if (index < 0 || index >= Count())
        return kEmpty;
    return lines_[static_cast<size_t>(index)];
}

void TStrings::SetStrings(int index, const std::string& line) {
    if (index < 0 || index >= Count())
        return;
    lines_[static_cast<size_t>(index)] = line;
    Changed();
}

int TStrings::Add(const std::string& line) {
    lines_.push_back(line);
    Changed();
    return Count() - 1;
}

void TStrings::Insert(int index, const std::string& line) {
    if (index < 0 || index > Count())
        return;
    lines_.insert(lines_.begin() + index, line);
    Changed();
}

void TStrings::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    lines_.erase(lines_.begin() + index);
    Changed();
}

void TStrings::Clear() {
    if (lines_.empty())
        return;
    lines_.clear();
    Changed();
}

int TStrings::IndexOf(std::string_view line) const {
    for (int i = 0; i < Count(); ++i) {
        if (lines_[static_cast<size_t>(i)] == line)
            return i;
    }
    return -1;
}

std::string TStrings::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    lines_ = std::move(lines);
    Changed();
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this)
        return;
    lines_ = other.lines_;
    Changed();
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& line = lines_[static_cast<size_t>(i)];
        const size_t eq = line.find('=');
        if (eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), name))
            return i;
    }
    return -1;
}

std::string TStrings::Names(int index) const {
    const std::string& line = Strings(index);
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::Values(std::string_view name) const {
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

std::string TStrings::ValueFromIndex(int index) const {
    const std::string& line = Strings(index);
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

void TStrings::SetValue(std::string_view name, std::string_view value) {
    const int index = IndexOfName(name);
    if (value.empty()) {
        Delete(index);
        return;
    }
    std::string line = std::string(name) + "=" + std::string(value);
    if (index < 0)
        Add(line);
    else
        SetStrings(index, line);
}

void TStrings::BeginUpdate() {
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0)
        return;
    if (--updateCount_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        if (OnChange)
            OnChange(*this);
    }
}

void TStrings::Changed() {
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    if (OnChange)
        OnChange(*this);
}

}  // namespace tallow
