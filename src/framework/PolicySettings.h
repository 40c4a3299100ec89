// Settings fixed by Group Policy: the string values of the key
// "Software\Policies\Tallowmere" under HKEY_LOCAL_MACHINE and under
// HKEY_CURRENT_USER, each named like a setting key ("Update.BeginAuto",
// "Language"). Where both hold a name, the machine's value wins: a machine
// policy is the administrator's, and on Windows it overrides the user's.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/Registry.h"

namespace tallow {

class TPolicySettings {
  public:
    static const char kPolicyKey[];
    /// At most this many names are taken from each key; more are ignored.
    static const size_t kMaxValues = 1024;

    /// No policy at all.
    TPolicySettings() = default;
    /// The policies as the registry holds them now (nullptr: none).
    static TPolicySettings Read(const IRegistry* registry);

    /// The policy's text for setting `name` (ignoring letter case), if one is set.
    std::optional<std::string> Find(const std::string& name) const;
    bool Fixes(const std::string& name) const { return Find(name).has_value(); }
    bool Empty() const { return values_.empty(); }

  private:
    struct TNoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    void AddFrom(const IRegistry& registry, RegistryRoot root);

    std::map<std::string, std::string, TNoCase> values_;
};

}  // namespace tallow
