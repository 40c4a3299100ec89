// Folders the system names: the temporary folder and the folders no cleaner may empty.
#pragma once

#include <string>
#include <vector>

namespace tallow {

class ISystemFolders {
  public:
    virtual ~ISystemFolders() = default;
    /// GetTempPath read into a 255-character buffer, as the system gives it; empty
    /// when the ANSI code page cannot hold the path exactly.
    virtual std::string TempPath() = 0;
    /// The folders that no cleaner may empty, nor any folder above them, as the
    /// system names them: the Windows folder and its system folders, both Program
    /// Files folders, the users' profiles root, the user's profile, Documents and
    /// Desktop, and the program's own folder. Unknown ones are left out.
    virtual std::vector<std::wstring> ProtectedFolders() = 0;
};

}  // namespace tallow
