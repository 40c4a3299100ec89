// The settings store as its users see it: typed reads and writes by key, the
// message boxes' show-again memory, and the program's folders. `TCLSettings`
// is the program's store; tests pass a fake.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/SettingLists.h"

namespace tallow {

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;

    /// The value of `name` (keys ignore case); empty when no layer holds it.
    virtual std::string ReadString(const std::string& name) const = 0;
    virtual void WriteString(const std::string& name, const std::string& value) = 0;
    /// Writes every name=value pair, in order, with one save of the settings file.
    virtual void WriteStrings(const std::vector<std::pair<std::string, std::string>>& values) = 0;
    /// Decimal, or hexadecimal after '$' or "0x"; any other text reads as 0.
    virtual int ReadInteger(const std::string& name) const = 0;
    virtual void WriteInteger(const std::string& name, int value) = 0;
    /// Unreadable text reads as 0.
    virtual double ReadFloat(const std::string& name) const = 0;
    virtual void WriteFloat(const std::string& name, double value) = 0;
    /// ReadInteger(name) != 0; written as "1" or "0".
    virtual bool ReadBool(const std::string& name) const = 0;
    virtual void WriteBool(const std::string& name, bool value) = 0;

    /// Whether message-box module `module` may still be shown (default true).
    virtual bool GetShowAgain(int module) const = 0;
    virtual void SetShowAgain(int module, bool value) = 0;
    /// The dialog result remembered for `module` (default 1).
    virtual int GetShowAgainResult(int module) const = 0;
    virtual void SetShowAgainResult(int module, int result) = 0;

    /// True when Group Policy fixes setting `name`: reads answer the policy's value
    /// and writes of it are dropped, so the window offers no way to change it.
    virtual bool FixedByPolicy(const std::string& name) const {
        (void)name;
        return false;
    }

    /// Saves the writes not yet on disk; false when they could not be saved.
    virtual bool Flush() = 0;
    /// The program's start count before this start.
    virtual int RunTimes() const = 0;
    /// Age in whole days of the installation; 0 when unknown.
    virtual int InstallAgeDays() const = 0;
    /// The program folder, long form, with a trailing backslash.
    virtual std::string ExeDir() const = 0;
    /// A shell folder of the user ("Cache", "AppData", "Local AppData"); empty when unknown.
    virtual std::string ShellFolder(const std::string& name) const = 0;

    /// The engine's two lists, layered around the files (nullptr: none). Not owned;
    /// the engine that hands them in takes them back before it ends.
    virtual void SetSettingLists(ISettingLists* lists) = 0;
};

}  // namespace tallow
