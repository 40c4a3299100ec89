#include "framework/PolicySettings.h"

#include "components/TextCase.h"

namespace tallow {

const char TPolicySettings::kPolicyKey[] = "Software\\Policies\\Tallowmere";

bool TPolicySettings::TNoCase::operator()(const std::string& a, const std::string& b) const {
    return CompareText(a, b) < 0;
}

TPolicySettings TPolicySettings::Read(const IRegistry* registry) {
    TPolicySettings policies;
    if (registry) {
        // The machine's first: a name the user's key repeats does not replace it.
        policies.AddFrom(*registry, RegistryRoot::LocalMachine);
        policies.AddFrom(*registry, RegistryRoot::CurrentUser);
    }
    return policies;
}

void TPolicySettings::AddFrom(const IRegistry& registry, RegistryRoot root) {
    size_t taken = 0;
    for (auto& [name, value] : registry.ReadStrings(root, kPolicyKey)) {
        // The key's default value has no name and so names no setting.
        if (name.empty())
            continue;
        if (++taken > kMaxValues)
            break;
        values_.emplace(name, value);
    }
}

std::optional<std::string> TPolicySettings::Find(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

}  // namespace tallow
