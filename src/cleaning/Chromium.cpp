#include "cleaning/Chromium.h"

#include <algorithm>
#include <cctype>

#include "components/TextCase.h"

namespace tallow {
namespace {

// A browser that keeps its profiles in a user-data folder below %LOCALAPPDATA%.
struct TUserDataLayout {
    const char* name;
    const char* folder;  // relative to %LOCALAPPDATA%
};

const TUserDataLayout kUserDataLayouts[] = {
    {"Google Chrome", "Google\\Chrome\\User Data\\"},
    {"Google Chrome Beta", "Google\\Chrome Beta\\User Data\\"},
    {"Google Chrome Dev", "Google\\Chrome Dev\\User Data\\"},
    {"Google Chrome Canary", "Google\\Chrome SxS\\User Data\\"},
    {"Microsoft Edge", "Microsoft\\Edge\\User Data\\"},
    {"Microsoft Edge Beta", "Microsoft\\Edge Beta\\User Data\\"},
    {"Microsoft Edge Dev", "Microsoft\\Edge Dev\\User Data\\"},
    {"Microsoft Edge Canary", "Microsoft\\Edge SxS\\User Data\\"},
    {"Brave", "BraveSoftware\\Brave-Browser\\User Data\\"},
    {"Vivaldi", "Vivaldi\\User Data\\"},
};

// Opera's profile lies below %APPDATA%, its cache below %LOCALAPPDATA%, each in the
// same folder of "Opera Software".
const TUserDataLayout kOperaLayouts[] = {
    {"Opera", "Opera Software\\Opera Stable\\"},
    {"Opera GX", "Opera Software\\Opera GX Stable\\"},
};

// History: databases and the other files of a profile, and the session folders.
const char* const kHistoryFiles[] = {
    "History",  "Visited Links",   "Top Sites", "Shortcuts", "Network Action Predictor", "History Provider Cache",
    "Favicons", "Archived History"};
const char* const kHistoryIndexPrefix = "History Index ";
const char* const kSessionFolders[] = {"Sessions\\", "Sessions_Encrypted\\"};

// Cache: the folders of each profile, and those at the top of the user data.
const char* const kProfileCaches[] = {"Code Cache\\",      "GPUCache\\",          "DawnCache\\",
                                      "DawnWebGPUCache\\", "DawnGraphiteCache\\", "Media Cache\\"};
const char* const kTopCaches[] = {"ShaderCache\\", "GrShaderCache\\", "GraphiteDawnCache\\", "GPUPersistentCache\\"};

const char* const kCookieFiles[] = {"Network\\Cookies", "Cookies", "Extension Cookies"};
const char* const kPasswordFiles[] = {"Login Data", "Login Data For Account"};
const char* const kDatabaseCompanions[] = {"-journal", "-wal", "-shm"};

bool IsPlainFolder(const TFileEntry& entry) {
    return (entry.attributes & file_attr::kDirectory) && !(entry.attributes & file_attr::kReparsePoint);
}

// "Default", "Profile <n>" or "Guest Profile".
bool IsProfileName(const std::string& name) {
    if (SameText(name, "Default") || SameText(name, "Guest Profile"))
        return true;
    const std::string prefix = "Profile ";
    if (name.size() <= prefix.size() || !StartsWithText(name, prefix))
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

bool IsFile(IFileTree& files, const std::string& path) {
    auto attributes = files.Attributes(path);
    return attributes && !(*attributes & file_attr::kDirectory);
}

bool IsFolder(IFileTree& files, const std::string& path) {
    auto attributes = files.Attributes(path);
    return attributes && (*attributes & file_attr::kDirectory);
}

// In the order of their names, whatever order the listing has.
std::vector<std::string> ProfilesOf(IFileTree& files, const std::string& userData) {
    std::vector<std::string> names;
    for (const TFileEntry& entry : files.ListEntries(userData)) {
        if (IsPlainFolder(entry) && IsProfileName(entry.name) && IsFile(files, userData + entry.name + "\\Preferences"))
            names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> profiles;
    for (const std::string& name : names)
        profiles.push_back(userData + name + "\\");
    return profiles;
}

void AddUserDataBrowser(IFileTree& files,
                        const TUserDataLayout& layout,
                        const std::string& local,
                        std::vector<TChromiumBrowser>& out) {
    const std::string userData = local + layout.folder;
    std::vector<std::string> profiles = ProfilesOf(files, userData);
    if (profiles.empty())
        return;
    out.push_back({layout.name, userData + "lockfile", {userData}, profiles, profiles});
}

// Opera: the profile is the folder itself or its "Default"; the cache folder
// follows the same shape below %LOCALAPPDATA%.
void AddOperaBrowser(IFileTree& files,
                     const TUserDataLayout& layout,
                     const std::string& local,
                     const std::string& roaming,
                     std::vector<TChromiumBrowser>& out) {
    const std::string top = roaming + layout.folder;
    const std::string localTop = local + layout.folder;
    for (const std::string sub : {"", "Default\\"}) {
        const std::string profile = top + sub;
        if (!IsFile(files, profile + "Preferences"))
            continue;
        std::string cache = localTop + sub;
        if (!IsFolder(files, cache))
            cache = localTop;
        out.push_back({layout.name, profile + "lockfile", {top, localTop}, {profile}, {profile, cache}});
        return;
    }
}

std::vector<std::string> Distinct(const std::vector<std::string>& names) {
    std::vector<std::string> distinct;
    for (const std::string& name : names) {
        if (std::find(distinct.begin(), distinct.end(), name) == distinct.end())
            distinct.push_back(name);
    }
    return distinct;
}

}  // namespace

std::vector<TChromiumBrowser> FindChromiumBrowsers(IFileTree& files,
                                                   const std::string& localAppData,
                                                   const std::string& appData) {
    std::vector<TChromiumBrowser> browsers;
    const std::string local = WithTrailingBackslash(localAppData);
    const std::string roaming = WithTrailingBackslash(appData);
    if (!local.empty()) {
        for (const TUserDataLayout& layout : kUserDataLayouts)
            AddUserDataBrowser(files, layout, local, browsers);
    }
    if (!roaming.empty() && !local.empty()) {
        for (const TUserDataLayout& layout : kOperaLayouts)
            AddOperaBrowser(files, layout, local, roaming, browsers);
    }
    return browsers;
}

//--- TChromium ----------------------------------------------------------------

std::vector<TChromiumBrowser> TChromium::Browsers() {
    return FindChromiumBrowsers(*p_.fileTree, settings_.ShellFolder("Local AppData"), settings_.ShellFolder("AppData"));
}

std::vector<std::string> TChromium::BrowserNames() {
    std::vector<std::string> names;
    for (const TChromiumBrowser& browser : Browsers())
        names.push_back(browser.name);
    return Distinct(names);
}

bool TChromium::IsInUse(const TChromiumBrowser& browser) {
    return p_.fileTree->IsHeldOpen(browser.lockFile);
}

std::vector<std::string> TChromium::Clean(TChromiumItem item) {
    std::vector<std::string> skipped;
    for (const TChromiumBrowser& browser : Browsers()) {
        if (IsInUse(browser))
            skipped.push_back(browser.name);
        else
            CleanBrowser(browser, item);
    }
    return Distinct(skipped);
}

void TChromium::CleanBrowser(const TChromiumBrowser& browser, TChromiumItem item) {
    if (item == TChromiumItem::kCache) {
        CleanCaches(browser);
        return;
    }
    for (const std::string& profile : browser.profiles) {
        switch (item) {
            case TChromiumItem::kHistory:
                CleanHistory(profile);
                break;
            case TChromiumItem::kCookies:
                for (const char* name : kCookieFiles)
                    DeleteDatabase(profile + name);
                break;
            case TChromiumItem::kPasswords:
                for (const char* name : kPasswordFiles)
                    DeleteDatabase(profile + name);
                break;
            case TChromiumItem::kCache:
                break;
        }
    }
}

void TChromium::CleanHistory(const std::string& profile) {
    for (const char* name : kHistoryFiles)
        DeleteDatabase(profile + name);
    // The full-text indexes of older versions, one file a month.
    for (const TFileEntry& entry : p_.fileTree->ListEntries(profile)) {
        const bool companion = EndsWithText(entry.name, "-journal") || EndsWithText(entry.name, "-wal") ||
                               EndsWithText(entry.name, "-shm");
        if (!(entry.attributes & file_attr::kDirectory) && StartsWithText(entry.name, kHistoryIndexPrefix) &&
            !companion)
            DeleteDatabase(profile + entry.name);
    }
    for (const char* folder : kSessionFolders)
        EmptyFolder(profile + folder);
}

void TChromium::CleanCaches(const TChromiumBrowser& browser) {
    for (const std::string& folder : browser.cacheFolders) {
        // Today's layout keeps the entries in "Cache\Cache_Data", older ones in "Cache".
        if (FolderExists(folder + "Cache\\Cache_Data\\"))
            EmptyFolder(folder + "Cache\\Cache_Data\\");
        else
            EmptyFolder(folder + "Cache\\");
        for (const char* cache : kProfileCaches)
            EmptyFolder(folder + cache);
    }
    for (const std::string& top : browser.topFolders) {
        for (const char* cache : kTopCaches)
            EmptyFolder(top + cache);
    }
}

void TChromium::DeleteDatabase(const std::string& path) {
    if (FileExists(path) && !p_.fileTree->DeleteFile(path))
        return;  // in use: the database keeps its journal
    for (const char* companion : kDatabaseCompanions) {
        if (FileExists(path + companion))
            p_.fileTree->DeleteFile(path + companion);
    }
}

void TChromium::EmptyFolder(const std::string& folder) {
    if (FolderExists(folder))
        folders_.DeleteFolderContents(folder, true);
}

bool TChromium::FileExists(const std::string& path) {
    return IsFile(*p_.fileTree, path);
}

bool TChromium::FolderExists(const std::string& path) {
    return IsFolder(*p_.fileTree, path);
}

}  // namespace tallow
