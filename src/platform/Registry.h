// Read access to the Windows registry.
#pragma once

#include <optional>
#include <string>

namespace tallow {

enum class RegistryRoot { CurrentUser, LocalMachine, ClassesRoot };

class IRegistry {
public:
    virtual ~IRegistry() = default;
    /// The string value `valueName` of key `path` under `root` (REG_SZ or
    /// REG_EXPAND_SZ, unexpanded). Nothing when the key or the value is missing
    /// or has another type.
    virtual std::optional<std::string> ReadString(RegistryRoot root, const std::string& path,
                                                  const std::string& valueName) const = 0;
};

}  // namespace tallow
