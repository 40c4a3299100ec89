// Shell folder paths from the Explorer "Shell Folders" registry key.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace tallow {

class IShellFolders {
  public:
    virtual ~IShellFolders() = default;
    /// The value `name` ("AppData", "Local AppData", "Cache", ...) for the
    /// current user, else the machine's; empty when neither can be read.
    virtual std::string Folder(const std::string& name) const = 0;
    /// The machine's value `name` ("Common AppData", ...); empty when unreadable.
    virtual std::string CommonFolder(const std::string& name) const = 0;
};

/// Shell folders read from "Software\MicroSoft\Windows\CurrentVersion\Explorer\Shell Folders".
class TRegistryShellFolders : public IShellFolders {
  public:
    explicit TRegistryShellFolders(const IRegistry& registry) : registry_(registry) {}
    std::string Folder(const std::string& name) const override;
    std::string CommonFolder(const std::string& name) const override;

  private:
    const IRegistry& registry_;
};

}  // namespace tallow
