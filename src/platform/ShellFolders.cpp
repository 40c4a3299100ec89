#include "platform/ShellFolders.h"

namespace tallow {

namespace {
const char kShellFoldersKey[] = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
}

std::string TRegistryShellFolders::Folder(const std::string& name) const {
    auto user = registry_.ReadString(RegistryRoot::CurrentUser, kShellFoldersKey, name);
    if (user && !user->empty()) {
        return *user;
    }
    return CommonFolder(name);
}

std::string TRegistryShellFolders::CommonFolder(const std::string& name) const {
    return registry_.ReadString(RegistryRoot::LocalMachine, kShellFoldersKey, name).value_or(std::string());
}

}  // namespace tallow
