// Folders the system names: the temporary folder and the folders no cleaner may empty.
#pragma once

#include <string>

namespace tallow {

class ISystemFolders {
public:
    virtual ~ISystemFolders() = default;
    /// GetTempPath read into a 255-character buffer, as the system gives it.
    virtual std::string TempPath() = 0;
    /// The Windows folder (GetWindowsDirectory); empty when unknown.
    virtual std::string WindowsFolder() = 0;
    /// The user's profile folder; empty when unknown.
    virtual std::string ProfileFolder() = 0;
};

ISystemFolders& RealSystemFolders();

}  // namespace tallow
