// The settings the cleaners read, copied once, so that a worker thread can clean or
// preview without touching the program's settings store, and without storing.
#pragma once

#include <map>
#include <string>

#include "framework/SettingsStore.h"

namespace tallow {

/// A store that answers from a copy of the values the cleaners read (the stored
/// Firefox path, the shell folders and the program folder), taken when it is built.
/// Writes change the copy only; nothing reaches the source store or the disk.
/// Build it on the thread that owns `source`; use it on one thread at a time.
class TSettingsSnapshot : public ISettingsStore {
  public:
    explicit TSettingsSnapshot(const ISettingsStore& source);

    std::string ReadString(const std::string& name) const override;
    void WriteString(const std::string& name, const std::string& value) override;
    void WriteStrings(const std::vector<std::pair<std::string, std::string>>& values) override;
    int ReadInteger(const std::string& name) const override;
    void WriteInteger(const std::string& name, int value) override { WriteString(name, std::to_string(value)); }
    double ReadFloat(const std::string& name) const override;
    void WriteFloat(const std::string& name, double value) override { WriteString(name, std::to_string(value)); }
    bool ReadBool(const std::string& name) const override { return ReadInteger(name) != 0; }
    void WriteBool(const std::string& name, bool value) override { WriteString(name, value ? "1" : "0"); }

    bool GetShowAgain(int) const override { return true; }
    void SetShowAgain(int, bool) override {}
    int GetShowAgainResult(int) const override { return 1; }
    void SetShowAgainResult(int, int) override {}

    bool Flush() override { return true; }
    int RunTimes() const override { return 0; }
    int InstallAgeDays() const override { return 0; }
    std::string ExeDir() const override { return exeDir_; }
    std::string ShellFolder(const std::string& name) const override;
    void SetSettingLists(ISettingLists*) override {}

  private:
    static std::string Key(const std::string& name);

    std::map<std::string, std::string> values_;        // by lower-case name
    std::map<std::string, std::string> shellFolders_;  // by lower-case name
    std::string exeDir_;
};

}  // namespace tallow
