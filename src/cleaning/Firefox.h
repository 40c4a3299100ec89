// The Firefox cleaners: finding the program, its profile folders and the files
// that hold its history, cache, cookies and stored passwords.
//
// A profiles folder may hold several profile folders; every action cleans each of
// them. With one profile folder, or none, the profile folder is the one the
// single-folder lookup `FirefoxProfileFolder` gives.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cleaning/FolderCleaner.h"
#include "cleaning/PlacesHistory.h"
#include "framework/SettingsStore.h"
#include "platform/Platform.h"

namespace tallow {

/// Shows the message of a language key (information box, OK button).
using TShowMessageByKey = std::function<void(const std::string& key)>;

class TFirefox {
  public:
    /// Over `platform` (copied) and `settings`, emptying folders with `folders` and
    /// clearing the places databases with `places`.
    TFirefox(const TPlatform& platform, ISettingsStore& settings, TFolderCleaner& folders, IPlacesHistory& places)
        : p_(platform), settings_(settings), folders_(folders), places_(places) {}

    /// The program's path: the stored FireFoxPath when that file exists, else the
    /// registry's (the "Firefox Plus" key winning over the Mozilla key), stored when
    /// that file exists. The Mozilla key is read from the 32-bit registry view, else
    /// from the 64-bit one. Possibly the name of a missing file; empty when unknown.
    std::string FindFirefoxPath();
    bool IsFirefoxInstalled();
    /// True when a top-level window of class "MozillaUIWindowClass" exists.
    bool IsFirefoxRunning();

    /// Every profile folder (each ending in a backslash): the folders inside the
    /// profiles folder, or the profiles folder itself when it holds none; nothing
    /// when there is no profiles folder.
    std::vector<std::string> FirefoxProfileFolders(bool local);
    /// The single profile folder; empty when there is none or there are several.
    std::string FirefoxProfileFolder(bool local);
    /// The single local profile folder followed by "Cache\"; empty without one.
    std::string FirefoxCacheFolder();

    /// Deletes the file `name` from every roaming profile folder that holds it; for a
    /// database ("*.sqlite", "*.db") also its write-ahead log and index ("-wal", "-shm").
    void DeleteProfileFile(const std::string& name);
    /// Removes the history inside places.sqlite (and the icons of the pages removed,
    /// in favicons.sqlite) of every roaming profile; the bookmarks stay. A database
    /// that does not open, or is locked, is left untouched and reported to the trace.
    void ClearPlacesHistory();
    /// `ClearPlacesHistory`, then downloads.sqlite and formhistory.sqlite go.
    void DeleteFirefoxHistory();
    /// Empties the "Cache" and "cache2" folders of every local profile folder.
    void DeleteFirefoxCache();
    void DeleteFirefoxCookies();
    void DeleteFirefoxPasswords();

    /// Whether a per-item Firefox action may run; shows "MSGBOX_FireFoxIsNotInstalled"
    /// or "MSGBOX_CloseFFAndClear" through `show` when not.
    bool FirefoxGuard(const TShowMessageByKey& show);

  private:
    bool FileExists(const std::string& path);
    bool FolderExists(const std::string& path);
    std::string RegistryPath(const std::string& storedPath);
    void ClearPlacesOf(const std::string& profile);

    TPlatform p_;
    ISettingsStore& settings_;
    TFolderCleaner& folders_;
    IPlacesHistory& places_;
};

}  // namespace tallow
