// Group Policy over the settings layers: which holder of a key wins, and that a
// key a policy fixes never reaches setting.dat.
#include <gtest/gtest.h>

#include <map>

#include "fakes/FakePlatform.h"
#include "framework/CLSettings.h"
#include "framework/SettingLists.h"

namespace tallow {
namespace {

const char kExeDir[] = "C:\\Tools\\";
const char kSettingFile[] = "C:\\ProgramData\\C__Tools_cleaner.exe\\setting.dat";
const char kPolicy[] = "Software\\Policies\\Tallowmere";

class TOverwriteList : public ISettingLists {
  public:
    std::map<std::string, std::string> overwrite;
    std::optional<std::string> FindOverwrite(const std::string& name) const override {
        auto it = overwrite.find(name);
        return it == overwrite.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::optional<std::string> FindDefault(const std::string&) const override { return std::nullopt; }
};

class PolicySettingsTest : public testing::Test {
  protected:
    PolicySettingsTest() {
        fake.process.moduleFileName = std::string(kExeDir) + "cleaner.exe";
        fake.files.CreateFolders(kExeDir);
        fake.shellFolders.user["AppData"] = "C:\\Users\\me\\AppData\\Roaming";
        fake.shellFolders.common["Common AppData"] = "C:\\ProgramData";
        fake.security.writable.insert("C:\\ProgramData\\C__Tools_cleaner.exe\\");
        fake.files.CreateFolders("C:\\ProgramData\\C__Tools_cleaner.exe");
    }
    TFakePlatform fake;
};

TEST_F(PolicySettingsTest, PolicySitsBelowTheWindowsOverridesAndAboveEveryFile) {
    // Each row: where key "K" is held, and the holder whose value is read.
    struct Row {
        const char* overwrite;  // nullptr: not held there
        const char* machine;
        const char* user;
        const char* settingDat;
        const char* oemDat;
        const char* constDat;
        const char* expected;
    };
    const Row rows[] = {
        {"window", "machine", "user", "file", "oem", "const", "window"},
        {nullptr, "machine", "user", "file", "oem", "const", "machine"},
        {nullptr, nullptr, "user", "file", "oem", "const", "user"},
        {nullptr, "", "user", "file", "oem", "const", ""},  // an empty policy value still fixes the key
        {nullptr, nullptr, "user", nullptr, "oem", nullptr, "user"},
        {nullptr, nullptr, "user", nullptr, nullptr, "const", "user"},
        {nullptr, nullptr, nullptr, "file", "oem", "const", "file"},
        {nullptr, nullptr, nullptr, nullptr, "oem", "const", "oem"},
    };
    for (const Row& row : rows) {
        fake.registry.values.clear();
        if (row.machine)
            fake.registry.Set(RegistryRoot::LocalMachine, kPolicy, "k", row.machine);
        if (row.user)
            fake.registry.Set(RegistryRoot::CurrentUser, kPolicy, "K", row.user);
        fake.files.files[kSettingFile] = row.settingDat ? std::string("[setting]\nK=") + row.settingDat + "\n" : " ";
        fake.files.files[std::string(kExeDir) + "const.dat"] =
            row.constDat ? std::string("[setting]\nk=") + row.constDat + "\n" : "";
        fake.files.files[std::string(kExeDir) + "oem.const.dat"] =
            row.oemDat ? std::string("[setting]\nK=") + row.oemDat + "\n" : "";
        TOverwriteList lists;
        if (row.overwrite)
            lists.overwrite["K"] = row.overwrite;
        TCLSettings settings(fake.Platform(), &lists);
        EXPECT_EQ(settings.ReadString("K"), row.expected) << "expected " << row.expected;
        EXPECT_EQ(settings.FixedByPolicy("k"), row.machine || row.user) << row.expected;
    }
}

TEST_F(PolicySettingsTest, AKeyAPolicyFixesIsNeverWrittenBackAndNoStoredSettingIsLost) {
    fake.registry.Set(RegistryRoot::LocalMachine, kPolicy, "Update.BeginAuto", "0");
    fake.registry.Set(RegistryRoot::CurrentUser, kPolicy, "Language", "German");
    fake.registry.Set(RegistryRoot::CurrentUser, kPolicy, "", "the key's default value names no setting");
    fake.files.files[kSettingFile] = "[setting]\nUpdate.BeginAuto=1\nLanguage=French\nSkin=Blue\n";
    TCLSettings settings(fake.Platform());
    const std::string afterStart = *fake.files.ReadFile(kSettingFile);

    settings.WriteBool("Update.BeginAuto", true);
    settings.WriteString("LANGUAGE", "Spanish");
    EXPECT_EQ(*fake.files.ReadFile(kSettingFile), afterStart) << "writes of fixed keys leave the file as it was";
    settings.WriteStrings({{"Language", "Spanish"}, {"Skin", "Green"}});

    const std::string file = *fake.files.ReadFile(kSettingFile);
    EXPECT_NE(file.find("Update.BeginAuto=1"), std::string::npos) << file;
    EXPECT_NE(file.find("Language=French"), std::string::npos) << file;
    EXPECT_NE(file.find("Skin=Green"), std::string::npos) << file;
    EXPECT_FALSE(settings.ReadBool("Update.BeginAuto"));
    EXPECT_EQ(settings.ReadString("Language"), "German");
    EXPECT_EQ(settings.ReadString("Skin"), "Green");
    EXPECT_FALSE(settings.FixedByPolicy("Skin"));
    EXPECT_FALSE(settings.FixedByPolicy(""));
}

}  // namespace
}  // namespace tallow
