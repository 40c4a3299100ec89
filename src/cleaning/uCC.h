// The cleaning routines: system files, Windows history and Internet Explorer.
//
// Every routine absorbs its own failures, except `ClearClipboard`, which raises
// EClipboardError("Cannot open clipboard") when another program holds the clipboard.
#pragma once

#include <stdexcept>
#include <string>

#include "cleaning/FolderCleaner.h"
#include "framework/SettingsStore.h"
#include "platform/Platform.h"

namespace tallow {

class EClipboardError : public std::runtime_error {
  public:
    EClipboardError() : std::runtime_error("Cannot open clipboard") {}
};

class TCleaners {
  public:
    /// The cleaners over `platform` (copied; the services it points to must outlive
    /// the cleaners) and `settings` (must outlive them).
    TCleaners(const TPlatform& platform, ISettingsStore& settings);

    // System files and Windows history.
    void ClearClipboard();
    void EmptyRecycleBin();
    void EmptyTempFolder();
    void ClearRecentDocuments();  // res\c3.bat
    void ClearRunHistory();       // res\c1.bat

    // Internet Explorer.
    void RunIEHistoryScript();  // res\c2.bat
    void DeleteIECache();
    /// Walks the whole URL cache (plain enumeration, no pattern) and deletes every
    /// cookie, history and normal entry, tracing each step.
    void PurgeUrlCache();
    /// Item 4: `PurgeUrlCache`, then the saved form passwords (the values of
    /// IntelliForms\Storage2) and the site credentials WinInet keeps in the user's
    /// credential store. Other programs' credentials stay.
    void DeleteIEPasswords();

    // Helpers.
    /// Starts `file` (relative: below the program folder) with the command line
    /// `"file" parameters` in the file's own folder. True when the process was created.
    bool StartProgram(const std::string& file, const std::string& parameters, bool hidden, int timeoutMs, bool wait);
    bool DeleteFolderContents(const std::string& folder, bool recursive);

    TFolderCleaner& FolderCleaner() { return folders_; }

  private:
    void StartScript(const std::string& name);
    /// The application's window at the moment of the call: clipboard owner and
    /// parent of the recycle bin's windows. The main window of this process
    /// (class "TfrmMain"), else the thread's active window; 0 for none.
    WindowHandle ApplicationWindow() const;

    TPlatform p_;
    ISettingsStore& settings_;
    TFolderCleaner folders_;
};

/// `text` without leading and trailing blanks and control characters.
std::string TrimBlanks(const std::string& text);

}  // namespace tallow
