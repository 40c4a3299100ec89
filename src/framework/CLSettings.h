// The settings store: one process-wide object that answers setting keys from
// layered INI files and the engine's lists, and keeps the user's settings file.
//
// Lookup order (the first holder of a key wins, even with an empty value): the
// engine's override list, Group Policy (PolicySettings.h, read once at
// creation), setting.dat, oem.const.dat, const.dat, the engine's default list.
// Writes go to setting.dat only and are saved at once (except while saves are
// deferred, see DeferSaves); a write of a key that a policy fixes is dropped,
// so the file keeps what it held. Each save
// replaces the file in one step, so a failed save leaves the old file intact
// (and the debug trace says so). A save takes the file as it is on disk and
// lays this store's writes over it, so stores of other processes on the same
// file lose nothing to each other; lines of the file that hold no key stay.
//
// Settings files are read as ANSI text; one that starts with a UTF-8 or
// UTF-16 byte-order mark is converted to ANSI when read, and a save writes it
// back as ANSI text without a mark, which the program and every editor read.
// A settings file larger than 1 MiB, or one that cannot be read, is not
// parsed and never rewritten: its keys count as empty and writes stay in
// memory until the program ends. A write that would make the file larger than
// that is refused: the file and the store stay as they were.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/IniDocument.h"
#include "framework/PolicySettings.h"
#include "framework/SettingsStore.h"
#include "platform/Platform.h"

namespace tallow {

class TCLSettings : public ISettingsStore {
  public:
    /// Creates the store: reads the constant files, decides between the
    /// per-user and the all-users folder, opens (or creates) setting.dat and
    /// counts this start in "RunTimes". The services must outlive the store;
    /// `lists` are the engine's lists (nullptr: none yet, see SetSettingLists).
    /// With `deferSaves` the store starts as after `DeferSaves`, so that even
    /// the count of this start waits for `SaveDeferred`.
    explicit TCLSettings(const TPlatform& platform, ISettingLists* lists = nullptr, bool deferSaves = false);
    /// Saves what `DeferSaves` still holds.
    ~TCLSettings() override;
    TCLSettings(const TCLSettings&) = delete;
    TCLSettings& operator=(const TCLSettings&) = delete;

    /// The value of `name` by the lookup order; empty (and the trace line
    /// "Setting Not Found :" + name, tag "CLSettings") when no layer has it.
    std::string ReadString(const std::string& name) const override;
    /// Sets name=value in section "setting" of setting.dat and saves the file;
    /// nothing when a policy fixes `name`.
    void WriteString(const std::string& name, const std::string& value) override;
    /// Sets every pair in section "setting" and saves the file once.
    void WriteStrings(const std::vector<std::pair<std::string, std::string>>& values) override;

    /// Decimal, or hexadecimal after '$' or "0x"; any other text reads as 0.
    int ReadInteger(const std::string& name) const override;
    void WriteInteger(const std::string& name, int value) override;
    /// General format, 15 significant digits, the locale's decimal separator;
    /// unreadable text reads as 0.
    double ReadFloat(const std::string& name) const override;
    void WriteFloat(const std::string& name, double value) override;
    /// ReadInteger(name) != 0; written as "1" or "0".
    bool ReadBool(const std::string& name) const override;
    void WriteBool(const std::string& name, bool value) override;
    /// Date-times are day counts since 1899-12-30, stored as floats.
    double ReadDateTime(const std::string& name) const { return ReadFloat(name); }
    void WriteDateTime(const std::string& name, double value) { WriteFloat(name, value); }

    /// Whether message-box module `module` may still be shown (default true).
    bool GetShowAgain(int module) const override;
    void SetShowAgain(int module, bool value) override;
    /// The dialog result remembered for `module` (default 1).
    int GetShowAgainResult(int module) const override;
    void SetShowAgainResult(int module, int result) override;

    /// Saves this store's writes into setting.dat as it is on disk now, and
    /// takes the merged file as the store's content; false (nothing changed on
    /// disk, the writes kept for the next save) when the file could not be
    /// read back or replaced, or is kept in memory only.
    bool Flush() override;

    /// Keeps the following writes in memory, readable at once but not saved,
    /// until `SaveDeferred` or the store's end: a start that writes several
    /// keys before its window shows saves the file once, after it shows.
    void DeferSaves();
    /// Saves the writes held since `DeferSaves` in one save, as one batch (one
    /// that would take the file over its cap is taken back whole), and saves
    /// each write at once again from then on.
    void SaveDeferred();

    /// Age in whole days of the oldest of ExeDir, UserDir and CommonDir; 0 when
    /// no creation time can be read.
    int InstallAgeDays() const override;

    bool FixedByPolicy(const std::string& name) const override { return policies_.Fixes(name); }

    bool AllUsers() const { return allUsers_; }
    /// The start count as read at creation, before this start's increment
    /// (which stops at 2147483647).
    int RunTimes() const override { return runTimes_; }
    std::string ExeDir() const override { return exeDir_; }
    /// The user's shell folder first, then the machine's (GetShellFolder).
    std::string ShellFolder(const std::string& name) const override { return platform_.shellFolders->Folder(name); }
    void SetSettingLists(ISettingLists* lists) override { lists_ = lists; }
    const std::string& SettingsDir() const { return settingsDir_; }
    const std::string& UserDir() const { return userDir_; }
    const std::string& CommonDir() const { return commonDir_; }
    const std::string& ConfigName() const { return configName_; }

  private:
    bool DecideAllUsers();
    void SelectSettingsDir(bool allUsers);
    std::string SettingsFile() const { return settingsDir_ + "setting.dat"; }
    struct TPendingWrite {
        std::string section;
        std::string key;
        std::string value;
    };
    enum class SaveResult { Saved, Failed, TooLarge };

    void Store(const std::string& section, const std::string& key, const std::string& value);
    /// Sets the writes in memory and saves them in one go; a batch that would take
    /// the file over its cap is taken back whole.
    void StoreAll(const std::vector<TPendingWrite>& writes);
    SaveResult Save();

    const TPlatform& platform_;
    ISettingLists* lists_ = nullptr;
    TPolicySettings policies_;
    bool allUsers_ = false;
    TIniDocument constants_;
    TIniDocument oem_;
    TIniDocument settings_;
    std::vector<TPendingWrite> pending_;  // writes not yet in the file, in order
    bool held_ = false;                   // setting.dat is kept in memory only
    bool deferring_ = false;              // writes wait for SaveDeferred
    size_t deferredMark_ = 0;             // pending_ and settings_ when deferring began
    TIniDocument beforeDeferring_;
    std::string exeDir_;
    std::string settingsDir_;
    std::string userDir_;
    std::string commonDir_;
    int runTimes_ = 0;
    std::string configName_;
};

/// The process-wide store over `SystemPlatform()`, created on the first call.
TCLSettings& AppSettings();
/// The process-wide store, once created, saves nothing until its
/// `SaveDeferred` (or its release); when it exists already, it defers from now.
void DeferAppSettingsSaves();
/// Frees the process-wide store; a later AppSettings() creates a new one.
void ReleaseAppSettings();

/// The program's folder in long form with a trailing backslash.
std::string GetExeDir();
/// A shell folder ("AppData", "Local AppData", "Cache"): current user first,
/// then the machine; empty when unreadable.
std::string GetShellFolder(const std::string& name);
/// A shell folder of the machine ("Common AppData"); empty when unreadable.
std::string GetCommonShellFolder(const std::string& name);

/// The program folder computed from the services (what GetExeDir returns).
std::string ComputeExeDir(const IProcessInfo& process, const IFiles& files);
/// The program path with every '\', ':' and '/' replaced by '_'.
std::string MangleConfigName(const std::string& programPath);
/// Creates `folder` with its parents and asks whether the user may write there.
bool CanWriteFolder(IFiles& files, ISecurity& security, const std::string& folder);

}  // namespace tallow
