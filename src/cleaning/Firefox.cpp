#include "cleaning/Firefox.h"

#include "cleaning/SqliteDatabase.h"
#include "diagnostics/TraceSender.h"

namespace tallow {
namespace {

constexpr const char* kMozillaKey = "SOFTWARE\\Mozilla\\Mozilla Firefox";
constexpr const char* kFirefoxPlusKey = "Software\\Firefox Plus";
constexpr const char* kProfilesPath = "\\Mozilla\\Firefox\\Profiles\\";

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string WithoutTrailingBackslash(std::string folder) {
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

}  // namespace

//--- The program ------------------------------------------------------------

std::string TFirefox::FindFirefoxPath() {
    std::string path = settings_.ReadString("FireFoxPath");
    if (FileExists(path))
        return path;
    path = RegistryPath(path);
    if (FileExists(path))
        settings_.WriteString("FireFoxPath", path);
    return path;
}

// The path the registry names; `storedPath` when it names none.
std::string TFirefox::RegistryPath(const std::string& storedPath) {
    std::string path = storedPath;
    IRegistry& reg = *p_.registry;
    // This program is 32-bit, and so is the view its own reads of the machine's keys
    // land in on 64-bit Windows; a 64-bit Firefox writes its keys to the other view.
    for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
        std::string version =
            reg.Read(RegistryRoot::LocalMachine, view, kMozillaKey, "CurrentVersion").value.value_or("");
        if (version.empty())
            continue;
        std::string mainKey = std::string(kMozillaKey) + "\\" + version + "\\Main";
        TRegistryString exe = reg.Read(RegistryRoot::LocalMachine, view, mainKey, "PathToExe");
        if (exe.keyFound)
            path = exe.value.value_or("");
        break;
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
    return p_.messages->FindWindowByClass("MozillaUIWindowClass", 0) != 0;
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
    std::string shellFolder = settings_.ShellFolder(local ? "Local AppData" : "AppData");
    if (shellFolder.empty())
        return {};
    std::string profiles = WithoutTrailingBackslash(shellFolder) + kProfilesPath;
    if (!FolderExists(profiles))
        return {};
    std::vector<std::string> folders;
    for (const TFileEntry& entry : p_.fileTree->ListEntries(profiles)) {
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
    std::vector<std::string> names = {name};
    if (EndsWith(name, ".sqlite") || EndsWith(name, ".db")) {
        // Recent rows of a database may still sit in its write-ahead log.
        names.push_back(name + "-wal");
        names.push_back(name + "-shm");
    }
    for (const std::string& folder : FirefoxProfileFolders(false)) {
        for (const std::string& file : names) {
            if (FileExists(folder + file))
                p_.fileTree->DeleteFile(folder + file);  // a file in use stays
        }
    }
}

void TFirefox::ClearPlacesHistory() {
    for (const std::string& folder : FirefoxProfileFolders(false))
        ClearPlacesOf(folder);
}

// The file stays whatever happens: it also holds the bookmarks, which the browser
// restores only from its last daily backup.
void TFirefox::ClearPlacesOf(const std::string& profile) {
    const std::string places = profile + "places.sqlite";
    if (!FileExists(places))
        return;
    const std::string favicons = profile + "favicons.sqlite";
    std::string faviconsPath = FileExists(favicons) ? WideToUtf8(p_.fileTree->WidePath(favicons)) : std::string();
    TPlacesResult result = places_.ClearHistory(WideToUtf8(p_.fileTree->WidePath(places)), faviconsPath);
    if (result.outcome != TPlacesOutcome::kCleaned || !result.detail.empty()) {
        DebugTrace().TraceWithTag(
            places + ": " + PlacesOutcomeText(result.outcome) + (result.detail.empty() ? "" : ": " + result.detail),
            "Firefox");
    }
}

void TFirefox::DeleteFirefoxHistory() {
    ClearPlacesHistory();
    for (const char* name : {"downloads.sqlite", "formhistory.sqlite"})
        DeleteProfileFile(name);
}

void TFirefox::DeleteFirefoxCache() {
    // "Cache" of older versions, "cache2" of today's, both emptied and kept.
    for (const std::string& folder : FirefoxProfileFolders(true)) {
        for (const char* cache : {"Cache\\", "cache2\\"}) {
            if (FolderExists(folder + cache))
                folders_.DeleteFolderContents(folder + cache, true);
        }
    }
}

void TFirefox::DeleteFirefoxCookies() {
    DeleteProfileFile("cookies.sqlite");
    DeleteProfileFile("cookies.sqlite-journal");
}

void TFirefox::DeleteFirefoxPasswords() {
    // Older versions keep the passwords in signons.sqlite, later ones in logins.json,
    // today's in logins.db; the key database (key4.db) stays, since it also guards the
    // user's certificates.
    for (const char* name : {"signons.sqlite", "logins.json", "logins-backup.json", "logins.db", "logins.db-journal"})
        DeleteProfileFile(name);
}

bool TFirefox::FileExists(const std::string& path) {
    if (path.empty())
        return false;
    auto attributes = p_.fileTree->Attributes(path);
    return attributes && !(*attributes & file_attr::kDirectory);
}

bool TFirefox::FolderExists(const std::string& path) {
    auto attributes = p_.fileTree->Attributes(path);
    return attributes && (*attributes & file_attr::kDirectory);
}

}  // namespace tallow
