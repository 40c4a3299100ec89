#include "components/Persistent.h"

#include <algorithm>
#include <charconv>

#include "components/TextCase.h"

namespace tallow {

bool PropInfo::IsStringKind() const {
    return kind == PropKind::ShortString || kind == PropKind::LongString || kind == PropKind::WideString;
}

bool PropInfo::IsReadOnly() const {
    return kind == PropKind::Object ? !setObject : !setText;
}

std::string PropInfo::GetString() const {
    return IsStringKind() && getText ? getText() : std::string();
}

bool PropInfo::SetString(const std::string& value) const {
    return IsStringKind() && setText && setText(value);
}

TPersistent* PropInfo::GetObject() const {
    return kind == PropKind::Object && getObject ? getObject() : nullptr;
}

bool PropInfo::SetObject(TPersistent* value) const {
    return kind == PropKind::Object && setObject && setObject(value);
}

std::string PropInfo::GetText() const {
    return kind != PropKind::Object && getText ? getText() : std::string();
}

bool PropInfo::SetText(const std::string& text) const {
    return kind != PropKind::Object && setText && setText(text);
}

bool PropertyList::ParseInteger(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last && first != last;
}

bool PropertyList::ParseBoolean(const std::string& text, bool& value) {
    if (SameText(text, "True") || text == "1") {
        value = true;
        return true;
    }
    if (SameText(text, "False") || text == "0") {
        value = false;
        return true;
    }
    return false;
}

std::vector<PropInfo> GetPropList(TPersistent& obj, bool sortedByName) {
    PropertyList list(obj);
    obj.PublishProperties(list);
    std::vector<PropInfo> props = list.Take();
    if (sortedByName) {
        std::stable_sort(props.begin(), props.end(),
                         [](const PropInfo& a, const PropInfo& b) { return CompareText(a.name, b.name) < 0; });
    }
    return props;
}

PropInfo FindProp(TPersistent& obj, std::string_view name) {
    for (PropInfo& p : GetPropList(obj, false)) {
        if (SameText(p.name, name))
            return std::move(p);
    }
    return PropInfo();
}

}  // namespace tallow
