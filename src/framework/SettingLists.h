// The engine's two Name=Value lists as the settings store sees them.
#pragma once

#include <optional>
#include <string>

namespace tallow {

class ISettingLists {  // the engine's two Name=Value lists
  public:
    virtual ~ISettingLists() = default;
    virtual std::optional<std::string> FindOverwrite(const std::string& name) const = 0;  // text after the first '='
    virtual std::optional<std::string> FindDefault(const std::string& name) const = 0;
};

}  // namespace tallow
