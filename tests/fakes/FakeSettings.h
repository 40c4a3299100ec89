// The settings store in memory: plain data a test fills and inspects. Keys
// ignore case, as in the program's store; the engine's lists are only recorded.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "framework/SettingsStore.h"

namespace tallow {

class TFakeSettings : public ISettingsStore {
  public:
    std::map<std::string, std::string, TNoCaseLess> values;
    /// Keys that Group Policy fixes (FixedByPolicy); their values are in `values`.
    std::set<std::string, TNoCaseLess> fixedByPolicy;
    bool FixedByPolicy(const std::string& name) const override { return fixedByPolicy.count(name) != 0; }
    std::map<std::string, std::string, TNoCaseLess> shellFolders;
    std::map<int, bool> showAgain;
    std::map<int, int> showAgainResult;
    std::vector<std::string> writes;  // every write as "name=value", in order
    std::string exeDir = "C:\\Program Files\\Tallowmere\\";
    int runTimes = 0;
    int installAgeDays = 0;
    int flushes = 0;
    int batches = 0;  // WriteStrings calls: one save each
    ISettingLists* lists = nullptr;

    std::string ReadString(const std::string& name) const override;
    void WriteString(const std::string& name, const std::string& value) override;
    void WriteStrings(const std::vector<std::pair<std::string, std::string>>& pairs) override;
    int ReadInteger(const std::string& name) const override;
    void WriteInteger(const std::string& name, int value) override { WriteString(name, std::to_string(value)); }
    double ReadFloat(const std::string& name) const override;
    void WriteFloat(const std::string& name, double value) override { WriteString(name, std::to_string(value)); }
    bool ReadBool(const std::string& name) const override { return ReadInteger(name) != 0; }
    void WriteBool(const std::string& name, bool value) override { WriteString(name, value ? "1" : "0"); }

    bool GetShowAgain(int module) const override;
    void SetShowAgain(int module, bool value) override { showAgain[module] = value; }
    int GetShowAgainResult(int module) const override;
    void SetShowAgainResult(int module, int result) override { showAgainResult[module] = result; }

    bool Flush() override { return ++flushes, true; }
    int RunTimes() const override { return runTimes; }
    int InstallAgeDays() const override { return installAgeDays; }
    std::string ExeDir() const override { return exeDir; }
    std::string ShellFolder(const std::string& name) const override;
    void SetSettingLists(ISettingLists* l) override { lists = l; }
};

}  // namespace tallow
