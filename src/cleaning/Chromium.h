// The browsers built on Chromium (Google Chrome, Microsoft Edge, Brave, Vivaldi,
// Opera): where each keeps its profiles, the files of a profile that hold its
// history, cache, cookies and stored passwords, and whether the browser runs.
//
// Only the files named here are touched. Bookmarks, preferences, extensions, the
// form data ("Web Data") and "Local State" stay, and so does anything unknown.
#pragma once

#include <string>
#include <vector>

#include "cleaning/FolderCleaner.h"
#include "framework/SettingsStore.h"
#include "platform/Platform.h"

namespace tallow {

/// One browser's user data as found on this computer. Every folder ends in a backslash.
struct TChromiumBrowser {
    /// The browser's name for the user ("Google Chrome", "Microsoft Edge Beta", ...).
    std::string name;
    /// The file a running browser holds open without sharing.
    std::string lockFile;
    /// The folders at the top of the user data that hold the shared shader caches.
    std::vector<std::string> topFolders;
    /// Every profile folder.
    std::vector<std::string> profiles;
    /// The folders holding the profiles' caches: the profiles, and Opera's local
    /// folder besides its roaming one.
    std::vector<std::string> cacheFolders;
};

/// The browsers with at least one profile below the shell folders `localAppData`
/// and `appData`, in a fixed order. A profile of a user-data folder is a subfolder
/// "Default", "Profile <n>" or "Guest Profile" (no link) that holds "Preferences";
/// Opera keeps its one profile in "Opera Stable" or in its "Default" subfolder.
std::vector<TChromiumBrowser> FindChromiumBrowsers(IFileTree& files,
                                                   const std::string& localAppData,
                                                   const std::string& appData);

enum class TChromiumItem { kHistory, kCache, kCookies, kPasswords };

class TChromium {
  public:
    /// Over `platform` (copied) and `settings` (its shell folders), emptying folders
    /// with `folders`.
    TChromium(const TPlatform& platform, ISettingsStore& settings, TFolderCleaner& folders)
        : p_(platform), settings_(settings), folders_(folders) {}

    /// The browsers found under the current user's shell folders.
    std::vector<TChromiumBrowser> Browsers();
    /// The distinct names of the browsers found, in their order.
    std::vector<std::string> BrowserNames();
    /// True while the browser runs: it holds its lock file open.
    bool IsInUse(const TChromiumBrowser& browser);
    /// Cleans `item` in every browser found that is not in use; returns the
    /// distinct names of the browsers left alone because they are.
    std::vector<std::string> Clean(TChromiumItem item);

  private:
    void CleanBrowser(const TChromiumBrowser& browser, TChromiumItem item);
    void CleanHistory(const std::string& profile);
    void CleanCaches(const TChromiumBrowser& browser);
    /// Deletes the database `path` and then its "-journal", "-wal" and "-shm" files;
    /// a database that stays keeps them, since a database without its journal is damaged.
    void DeleteDatabase(const std::string& path);
    void EmptyFolder(const std::string& folder);
    bool FileExists(const std::string& path);
    bool FolderExists(const std::string& path);

    TPlatform p_;
    ISettingsStore& settings_;
    TFolderCleaner& folders_;
};

}  // namespace tallow
