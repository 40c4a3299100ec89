#include "cleaning/Firefox.h"

namespace tallow {
namespace {

constexpr const char* kMozillaKey = "SOFTWARE\\Mozilla\\Mozilla Firefox";
constexpr const char* kFirefoxPlusKey = "Software\\Firefox Plus";
constexpr const char* kProfilesPath = "\\Mozilla\\Firefox\\Profiles\\";

std::string WithoutTrailingBackslash(std::string folder) {
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

}  // namespace

//--- The program ------------------------------------------------------------

std::string TFirefox::FindFirefoxPath() {
    std::string path = s_.settings->ReadString("FireFoxPath");
    if (FileExists(path))
        return path;
    path = RegistryPath(path);
    if (FileExists(path))
        s_.settings->WriteString("FireFoxPath", path);
    return path;
}

// The path the registry names; `storedPath` when it names none.
std::string TFirefox::RegistryPath(const std::string& storedPath) {
    std::string path = storedPath;
    IRegistry& reg = *s_.registry;
    std::string version = reg.ReadString(RegistryRoot::LocalMachine, kMozillaKey, "CurrentVersion").value_or("");
    if (!version.empty()) {
        std::string mainKey = std::string(kMozillaKey) + "\\" + version + "\\Main";
        if (auto exe = reg.ReadString(RegistryRoot::LocalMachine, mainKey, "PathToExe"))
            path = *exe;
    }
    std::string plusFolder = reg.ReadString(RegistryRoot::CurrentUser, kFirefoxPlusKey, "").value_or("");
    if (!plusFolder.empty())
        path = plusFolder + "\\Firefox Plus.exe";
    return path;
}

bool TFirefox::IsFirefoxInstalled() {
    return !FindFirefoxPath().empty();
}

bool TFirefox::IsFirefoxRunning() {
    return s_.windows->FindWindowByClass("MozillaUIWindowClass", 0) != 0;
}

bool TFirefox::FirefoxGuard(const TShowMessageByKey& show) {
    if (!IsFirefoxInstalled()) {
        show("MSGBOX_FireFoxIsNotInstalled");
        return false;
    }
    if (IsFirefoxRunning()) {
        show("MSGBOX_CloseFFAndClear");
        return false;
    }
    return true;
}

//--- Profile folders --------------------------------------------------------

std::vector<std::string> TFirefox::FirefoxProfileFolders(bool local) {
    std::string shellFolder = s_.settings->ShellFolder(local ? "Local AppData" : "AppData");
    if (shellFolder.empty())
        return {};
    std::string profiles = WithoutTrailingBackslash(shellFolder) + kProfilesPath;
    if (!FolderExists(profiles))
        return {};
    std::vector<std::string> folders;
    for (const TFileEntry& entry : s_.files->ListEntries(profiles)) {
        if ((entry.attributes & file_attr::kDirectory) && entry.name != "." && entry.name != ".." &&
            !entry.name.empty())
            folders.push_back(profiles + entry.name + "\\");
    }
    if (folders.empty())
        folders.push_back(profiles);
    return folders;
}

std::string TFirefox::FirefoxProfileFolder(bool local) {
    std::vector<std::string> folders = FirefoxProfileFolders(local);
    return folders.size() == 1 ? folders.front() : std::string();
}

std::string TFirefox::FirefoxCacheFolder() {
    std::string profile = FirefoxProfileFolder(true);
    return profile.empty() ? std::string() : profile + "Cache\\";
}

//--- Actions ----------------------------------------------------------------

void TFirefox::DeleteProfileFile(const std::string& name) {
    for (const std::string& folder : FirefoxProfileFolders(false)) {
        if (FileExists(folder + name))
            s_.files->DeleteFile(folder + name);  // a file in use stays
    }
}

void TFirefox::DeleteFirefoxHistory() {
    for (const char* name : {"places.sqlite", "places.sqlite-journal", "downloads.sqlite", "formhistory.sqlite"})
        DeleteProfileFile(name);
}

void TFirefox::DeleteFirefoxCache() {
    for (const std::string& folder : FirefoxProfileFolders(true)) {
        if (FolderExists(folder + "Cache\\"))
            folders_.DeleteFolderContents(folder + "Cache\\", true);
    }
}

void TFirefox::DeleteFirefoxCookies() {
    DeleteProfileFile("cookies.sqlite");
    DeleteProfileFile("cookies.sqlite-journal");
}

void TFirefox::DeleteFirefoxPasswords() {
    DeleteProfileFile("signons.sqlite");
}

bool TFirefox::FileExists(const std::string& path) {
    if (path.empty())
        return false;
    auto attributes = s_.files->Attributes(path);
    return attributes && !(*attributes & file_attr::kDirectory);
}

bool TFirefox::FolderExists(const std::string& path) {
    auto attributes = s_.files->Attributes(path);
    return attributes && (*attributes & file_attr::kDirectory);
}

}  // namespace tallow
