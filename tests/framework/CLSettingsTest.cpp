#include "framework/CLSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "diagnostics/TraceSender.h"
#include "fakes/FakePlatform.h"
#include "fakes/TraceCapture.h"
#include "framework/SettingLists.h"
#include "platform/AtomicFile.h"

namespace tallow {
namespace {

const char kExe[] = "C:\\Tools\\cleaner.exe";
const char kUserDir[] = "C:\\Users\\me\\AppData\\Roaming\\C__Tools_cleaner.exe\\";
const char kCommonDir[] = "C:\\ProgramData\\C__Tools_cleaner.exe\\";
const char kUserFlag[] = "C:\\Users\\me\\AppData\\Roaming\\C__Tools_cleaner.exe\\UserFlag.ini";

class TFakeLists : public ISettingLists {
  public:
    std::map<std::string, std::string> overwrite, defaults;
    std::optional<std::string> FindOverwrite(const std::string& name) const override { return Find(overwrite, name); }
    std::optional<std::string> FindDefault(const std::string& name) const override { return Find(defaults, name); }

  private:
    static std::optional<std::string> Find(const std::map<std::string, std::string>& m, const std::string& name) {
        auto it = m.find(name);
        return it == m.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
};

class SettingsTest : public testing::Test {
  protected:
    SettingsTest() {
        fake.process.moduleFileName = kExe;
        fake.files.CreateFolders("C:\\Tools");
        fake.shellFolders.user["AppData"] = "C:\\Users\\me\\AppData\\Roaming";
        fake.shellFolders.common["Common AppData"] = "C:\\ProgramData";
        fake.security.writable.insert(kCommonDir);
    }

    std::unique_ptr<TCLSettings> Create(ISettingLists* lists = nullptr) {
        return std::make_unique<TCLSettings>(fake.Platform(), lists);
    }
    std::string SettingFile(bool allUsers = true) {
        return std::string(allUsers ? kCommonDir : kUserDir) + "setting.dat";
    }
    std::string Flag() { return fake.files.ReadFile(kUserFlag).value_or("<none>"); }
    // Every temporary name a rewrite of `path` may use fails half-way.
    void BlockRewrites(const std::string& path) {
        for (int attempt = 0; attempt < kAtomicWriteAttempts; ++attempt) {
            fake.files.unwritable.insert(AtomicTemporaryName(path, fake.process.processId, attempt));
        }
    }

    TFakePlatform fake;
};

//--- Creation ----------------------------------------------------------------------------------------

TEST_F(SettingsTest, FirstStartCreatesTheFlagAndASettingsFileCountingOneStart) {
    auto settings = Create();
    EXPECT_TRUE(settings->AllUsers());
    EXPECT_EQ(settings->SettingsDir(), kCommonDir);
    EXPECT_EQ(settings->UserDir(), kUserDir);
    EXPECT_EQ(settings->ConfigName(), "C__Tools_cleaner.exe");
    EXPECT_EQ(settings->ExeDir(), "C:\\Tools\\");
    EXPECT_EQ(settings->RunTimes(), 0);
    EXPECT_EQ(TIniDocument::Parse(Flag()).Find("Flag", "AllUsers"), "1");
    EXPECT_EQ(TIniDocument::Parse(*fake.files.ReadFile(SettingFile())).Find("setting", "RunTimes"), "1");

    // setting.dat came into being holding one space, then took the counter.
    std::vector<std::string> contents;
    for (const auto& [path, content] : fake.files.writes) {
        if (path == AtomicTemporaryName(SettingFile(), fake.process.processId, 0)) {
            contents.push_back(content);
        }
    }
    ASSERT_EQ(contents.size(), 2u);
    EXPECT_EQ(contents[0], " ");

    settings = Create();
    EXPECT_EQ(settings->RunTimes(), 1);
    EXPECT_EQ(settings->ReadInteger("RunTimes"), 2);
}

TEST_F(SettingsTest, ConfigPathSettingNamesTheFolder) {
    fake.files.files["C:\\Tools\\const.dat"] = "[setting]\nApp.ConfigPath=MyCleaner\n";
    auto settings = Create();
    EXPECT_EQ(settings->ConfigName(), "MyCleaner");
    EXPECT_EQ(settings->UserDir(), "C:\\Users\\me\\AppData\\Roaming\\MyCleaner\\");
    EXPECT_EQ(settings->CommonDir(), "C:\\ProgramData\\MyCleaner\\");
}

TEST_F(SettingsTest, MissingShellFoldersGiveFoldersAtTheDriveRoot) {
    fake.shellFolders.user.clear();
    fake.shellFolders.common.clear();
    auto settings = Create();
    EXPECT_EQ(settings->UserDir(), "\\C__Tools_cleaner.exe\\");
    EXPECT_EQ(settings->CommonDir(), "\\C__Tools_cleaner.exe\\");
}

TEST(SettingsNames, ProgramPathIsMangledIntoOneFolderName) {
    EXPECT_EQ(MangleConfigName("C:\\Tools\\cleaner.exe"), "C__Tools_cleaner.exe");
    EXPECT_EQ(MangleConfigName("\\\\srv/My Apps\\Cleaner.EXE"), "__srv_My Apps_Cleaner.EXE");
}

//--- The all-users decision -------------------------------------------------------------------------

TEST_F(SettingsTest, WithoutAFlagTheAllUsersFolderIsChosenWhenWritableAndRemembered) {
    auto writable = Create();
    EXPECT_TRUE(writable->AllUsers());
    EXPECT_EQ(TIniDocument::Parse(Flag()).Find("Flag", "AllUsers"), "1");

    fake.files.files.clear();
    fake.security.writable.clear();
    auto readOnly = Create();
    EXPECT_FALSE(readOnly->AllUsers());
    EXPECT_EQ(readOnly->SettingsDir(), kUserDir);
    EXPECT_EQ(TIniDocument::Parse(Flag()).Find("Flag", "AllUsers"), "0");
    EXPECT_TRUE(fake.files.Exists(std::string(kUserDir) + "setting.dat"));
}

TEST_F(SettingsTest, AStoredAllUsersFlagHoldsOnlyWhileTheFolderStaysWritable) {
    fake.files.CreateFolders(kUserDir);
    const std::string stored = "[Flag]\r\nAllUsers=yes\r\n";  // not an integer: reads as true
    fake.files.files[kUserFlag] = stored;
    EXPECT_TRUE(Create()->AllUsers());
    EXPECT_EQ(Flag(), stored);  // unchanged

    fake.security.writable.clear();
    auto settings = Create();
    EXPECT_FALSE(settings->AllUsers());
    EXPECT_EQ(TIniDocument::Parse(Flag()).Find("Flag", "AllUsers"), "0");

    fake.security.writable.insert(kCommonDir);  // a later start with a writable folder keeps 0
    EXPECT_FALSE(Create()->AllUsers());
}

TEST_F(SettingsTest, AllUsersTableStoredFalseIsNotTested) {
    fake.files.CreateFolders(kUserDir);
    fake.files.files[kUserFlag] = "[flag]\nallusers=0\n";
    auto settings = Create();
    EXPECT_FALSE(settings->AllUsers());
    EXPECT_TRUE(fake.security.asked.empty());
    EXPECT_EQ(Flag(), "[flag]\nallusers=0\n");
}

TEST_F(SettingsTest, UnsavableFlagStillKeepsTheDecision) {
    fake.security.writable.clear();
    BlockRewrites(kUserFlag);
    auto settings = Create();
    EXPECT_FALSE(settings->AllUsers());  // the re-read would say true (absent)
}

//--- Lookup order ------------------------------------------------------------------------------------

TEST_F(SettingsTest, FirstHolderOfAKeyWinsThroughAllFiveLayers) {
    TFakeLists lists;
    fake.files.files["C:\\Tools\\const.dat"] = "[setting]\na=const\nb=const\nc=const\nd=const\n";
    fake.files.files["C:\\Tools\\oem.const.dat"] = "[setting]\na=oem\nb=oem\nc=oem\n";
    auto settings = Create(&lists);
    settings->WriteString("a", "user");
    settings->WriteString("b", "user");
    lists.overwrite["a"] = "override";
    lists.defaults = {{"a", "default"}, {"d", "default"}, {"e", "default"}};

    EXPECT_EQ(settings->ReadString("a"), "override");
    EXPECT_EQ(settings->ReadString("b"), "user");
    EXPECT_EQ(settings->ReadString("c"), "oem");
    EXPECT_EQ(settings->ReadString("d"), "const");
    EXPECT_EQ(settings->ReadString("e"), "default");
    EXPECT_EQ(settings->ReadString("f"), "");

    settings->WriteString("a", "written later");
    EXPECT_EQ(settings->ReadString("a"), "override");
    settings->SetSettingLists(nullptr);
    EXPECT_EQ(settings->ReadString("a"), "written later");
    EXPECT_EQ(settings->ReadString("e"), "");
}

TEST_F(SettingsTest, EmptyValueHidesLowerLayers) {
    TFakeLists lists;
    lists.defaults["Key"] = "default";
    fake.files.files["C:\\Tools\\const.dat"] = "[setting]\nKey=const\n";
    auto settings = Create(&lists);
    settings->WriteString("key", "");
    DebugTrace().Enabled = true;
    ScopedTraceCapture trace;
    EXPECT_EQ(settings->ReadString("KEY"), "");
    EXPECT_TRUE(trace.lines.empty());
}

TEST_F(SettingsTest, MissingKeyIsTracedWithTheStoresTag) {
    auto settings = Create();
    DebugTrace().Enabled = true;
    ScopedTraceCapture trace;
    EXPECT_EQ(settings->ReadString("No.Such"), "");
    EXPECT_EQ(settings->ReadInteger("No.Such"), 0);
    ASSERT_EQ(trace.lines.size(), 2u);
    EXPECT_EQ(trace.lines[0].text, "Setting Not Found :No.Such");
    EXPECT_EQ(trace.lines[0].tag, "CLSettings");
}

TEST_F(SettingsTest, SettingsOfAnotherUserFolderArePickedUpFromTheFile) {
    fake.files.CreateFolders(kCommonDir);
    fake.files.files[SettingFile()] = "[SETTING]\nSkin=Blue\nRunTimes=41\n[ShowAgain]\n3=0\n";
    auto settings = Create();
    EXPECT_EQ(settings->ReadString("skin"), "Blue");
    EXPECT_EQ(settings->RunTimes(), 41);
    EXPECT_FALSE(settings->GetShowAgain(3));
}

//--- Typed values ------------------------------------------------------------------------------------

TEST_F(SettingsTest, TypedReadsFollowTheIntegerRules) {
    auto settings = Create();
    const std::map<std::string, int> integers = {{"abc", 0}, {"$1F", 31}, {"0x1f", 31}, {"  -7", -7}, {"", 0}};
    for (const auto& [text, value] : integers) {
        settings->WriteString("n", text);
        EXPECT_EQ(settings->ReadInteger("n"), value) << text;
    }
    settings->WriteString("b", "true");
    EXPECT_FALSE(settings->ReadBool("b"));
    settings->WriteString("b", "2");
    EXPECT_TRUE(settings->ReadBool("b"));
    settings->WriteBool("b", true);
    EXPECT_EQ(settings->ReadString("b"), "1");
    settings->WriteInteger("i", -12);
    EXPECT_EQ(settings->ReadString("i"), "-12");
}

TEST_F(SettingsTest, FloatsAndDatesUseTheLocaleSeparator) {
    fake.locale.separator = ',';
    auto settings = Create();
    settings->WriteDateTime("Update.LastDate", 46000.75);
    EXPECT_EQ(settings->ReadString("Update.LastDate"), "46000,75");
    EXPECT_EQ(settings->ReadDateTime("Update.LastDate"), 46000.75);
    settings->WriteString("f", "1.5");
    EXPECT_EQ(settings->ReadFloat("f"), 0.0);
}

//--- Show-again memory ------------------------------------------------------------------------------

TEST_F(SettingsTest, ShowAgainMemoryDefaultsAndPersists) {
    auto settings = Create();
    EXPECT_TRUE(settings->GetShowAgain(12));
    EXPECT_EQ(settings->GetShowAgainResult(12), 1);
    settings->SetShowAgain(12, false);
    settings->SetShowAgainResult(12, 7);
    settings->WriteString("12", "0");  // another section: no effect on module 13
    EXPECT_TRUE(settings->GetShowAgain(13));

    auto reopened = Create();
    EXPECT_FALSE(reopened->GetShowAgain(12));
    EXPECT_EQ(reopened->GetShowAgainResult(12), 7);
}

//--- Atomic saves ------------------------------------------------------------------------------------

TEST_F(SettingsTest, FailedSaveLeavesTheOldFileIntact) {
    auto settings = Create();
    settings->WriteString("Skin", "Blue");
    const std::string before = *fake.files.ReadFile(SettingFile());

    BlockRewrites(SettingFile());
    DebugTrace().Enabled = true;
    ScopedTraceCapture trace;
    settings->WriteString("Skin", "Green");
    EXPECT_FALSE(settings->Flush());
    EXPECT_EQ(fake.files.ReadFile(SettingFile()), before);
    for (int attempt = 0; attempt < kAtomicWriteAttempts; ++attempt) {
        EXPECT_FALSE(fake.files.Exists(AtomicTemporaryName(SettingFile(), fake.process.processId, attempt)));
    }
    EXPECT_EQ(settings->ReadString("Skin"), "Green");  // memory keeps the newer value
    ASSERT_FALSE(trace.lines.empty());
    EXPECT_EQ(trace.lines[0].text, "Settings not saved: the settings file cannot be replaced: " + SettingFile());
    DebugTrace().Enabled = false;

    fake.files.unwritable.clear();
    fake.files.failReplace = true;
    settings->SetShowAgain(1, false);
    EXPECT_EQ(fake.files.ReadFile(SettingFile()), before);

    fake.files.failReplace = false;
    EXPECT_TRUE(settings->Flush());
    EXPECT_EQ(Create()->ReadString("Skin"), "Green");
}

TEST_F(SettingsTest, LeftOverTemporaryFilesDoNotBlockASave) {
    auto settings = Create();
    const std::string stale = AtomicTemporaryName(SettingFile(), fake.process.processId, 0);
    const std::string next = AtomicTemporaryName(SettingFile(), fake.process.processId, 1);
    fake.files.folders.insert(stale);  // a folder of that name cannot be cleared: the next name is taken
    fake.files.files[next] = "left by a writer that died";
    settings->WriteString("Skin", "Blue");
    EXPECT_EQ(Create()->ReadString("Skin"), "Blue");
    EXPECT_FALSE(fake.files.files.count(next));
}

//--- Damaged, foreign and large files ----------------------------------------------------------------

TEST_F(SettingsTest, ByteOrderMarksAndUtf16FilesKeepEveryKeyThroughASave) {
    const std::string utf8 = "\xEF\xBB\xBF; note\r\n[setting]\r\nSkin=Caf\xC3\xA9\r\nRunTimes=4\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[setting]\r\nApp.Name=Tallow\r\nOwn=1\r\njunk line\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    utf16 += std::string("[\0s\0]\0\r\0\n\0k\0=\0\x42\x26", 16);  // U+2642 has no byte in the code page
    fake.files.files[SettingFile()] = utf8;
    fake.files.files["C:\\Tools\\const.dat"] = utf16;
    auto settings = Create();
    EXPECT_EQ(settings->RunTimes(), 4);
    EXPECT_EQ(settings->ReadString("Skin"), "Caf\xE9");
    EXPECT_EQ(settings->ReadString("App.Name"), "Tallow");
    settings->WriteString("New", "1");

    const std::string saved = *fake.files.ReadFile(SettingFile());
    EXPECT_EQ(saved, "; note\r\n\r\n[setting]\r\nSkin=Caf\xE9\r\nRunTimes=5\r\nNew=1\r\n");

    fake.files.files[SettingFile()] = utf16;  // a UTF-16 setting.dat is written back as ANSI text
    settings = Create();
    EXPECT_EQ(*fake.files.ReadFile(SettingFile()),
              "[setting]\r\nApp.Name=Tallow\r\nOwn=1\r\njunk line\r\nRunTimes=1\r\n\r\n[s]\r\nk=?\r\n");
}

TEST_F(SettingsTest, SettingsFileAboveOneMebibyteIsNeitherParsedNorRewritten) {
    const std::string filler = "\r\n;" + std::string(1 << 20, 'x');
    fake.files.files[SettingFile()] = "[setting]\r\nSkin=Blue\r\n" + filler;
    fake.files.files["C:\\Tools\\const.dat"] = "[setting]\r\nSkin=Plain\r\n";
    DebugTrace().Enabled = true;
    ScopedTraceCapture trace;
    auto settings = Create();
    DebugTrace().Enabled = false;
    EXPECT_EQ(settings->ReadString("Skin"), "Plain");  // the large file's keys count as empty
    settings->WriteString("Skin", "Green");
    EXPECT_EQ(settings->ReadString("Skin"), "Green");  // kept in memory
    EXPECT_FALSE(settings->Flush());
    EXPECT_EQ(fake.files.ReadFile(SettingFile()), "[setting]\r\nSkin=Blue\r\n" + filler);
    EXPECT_TRUE(std::any_of(trace.lines.begin(), trace.lines.end(),
                            [](const auto& line) { return line.text.find("larger than 1 MiB") != std::string::npos; }));

    fake.files.files[SettingFile()] = "[setting]\r\nSkin=Blue\r\n;" + std::string((1 << 20) - 23, 'x');
    ASSERT_EQ(fake.files.files[SettingFile()].size(), size_t(1) << 20);  // exactly the limit is read
    EXPECT_EQ(Create()->ReadString("Skin"), "Blue");
}

TEST_F(SettingsTest, BatchesSaveOnceAndAWriteOverTheCapIsRefusedWhole) {
    auto settings = Create();
    const size_t before = fake.files.writes.size();
    settings->WriteStrings({{"Banner.Top", "Sale"}, {"Update.Days", "30"}, {"URL.support", "http://s/"}});
    EXPECT_EQ(fake.files.writes.size(), before + 1) << "one rewrite for the whole batch";
    EXPECT_EQ(Create()->ReadString("Update.Days"), "30");
    const std::string saved = *fake.files.ReadFile(SettingFile());

    DebugTrace().Enabled = true;
    ScopedTraceCapture trace;
    const std::string big(600 * 1024, 'v');
    settings->WriteStrings({{"Banner.Top", "Changed"}, {"Pad1", big}, {"Pad2", big}});
    settings->WriteString("Pad", std::string(1 << 20, 'w'));
    DebugTrace().Enabled = false;
    EXPECT_EQ(fake.files.ReadFile(SettingFile()), saved) << "the file stays as it was";
    EXPECT_EQ(settings->ReadString("Banner.Top"), "Sale") << "the refused batch is taken back whole";
    EXPECT_EQ(settings->ReadString("Pad"), "");
    EXPECT_EQ(std::count_if(
                  trace.lines.begin(), trace.lines.end(),
                  [](const auto& line) { return line.text.find("would be larger than 1 MiB") != std::string::npos; }),
              2);

    settings->WriteString("Pad1", big);  // within the cap alone: saved, and later writes go on
    settings->WriteString("Skin", "Blue");
    EXPECT_EQ(Create()->ReadString("Skin"), "Blue");
    EXPECT_EQ(Create()->ReadString("Pad1"), big);
}

// A start defers its writes and saves them once its window is up: readable at
// once, one rewrite for all of them, a too-large batch taken back whole, and a
// store that ends while deferring saves what it holds.
TEST_F(SettingsTest, DeferredWritesAreReadAtOnceAndSavedInOneGo) {
    const std::string big(600 * 1024, 'v');
    auto settings = std::make_unique<TCLSettings>(fake.Platform(), nullptr, true);
    const size_t start = fake.files.writes.size();
    settings->WriteString("Skin", "Blue");
    settings->WriteString("Language", "German");
    EXPECT_EQ(settings->ReadString("Skin"), "Blue");
    EXPECT_EQ(fake.files.writes.size(), start) << "nothing saved while deferring, the start's count included";
    EXPECT_EQ(fake.files.ReadFile(SettingFile()).value_or("").find("RunTimes"), std::string::npos);
    settings->SaveDeferred();
    EXPECT_EQ(fake.files.writes.size(), start + 1);
    auto other = Create();
    EXPECT_EQ(other->ReadString("Language"), "German");
    EXPECT_EQ(other->RunTimes(), 1);
    other.reset();

    const std::string saved = *fake.files.ReadFile(SettingFile());
    settings->DeferSaves();
    settings->WriteString("Skin", "Gray");
    settings->WriteString("Pad1", big);
    settings->WriteString("Pad2", big);
    settings->SaveDeferred();
    EXPECT_EQ(fake.files.ReadFile(SettingFile()), saved);
    EXPECT_EQ(settings->ReadString("Skin"), "Blue") << "the refused batch is taken back whole";
    EXPECT_EQ(settings->ReadString("Pad1"), "");

    settings->WriteString("Later", "1");
    EXPECT_EQ(Create()->ReadString("Later"), "1") << "after SaveDeferred each write saves at once";
    settings->DeferSaves();
    settings->WriteString("AtTheEnd", "1");
    EXPECT_TRUE(settings->Flush()) << "a Flush saves what is held";
    settings->WriteString("Last", "1");
    settings.reset();
    auto reread = Create();
    EXPECT_EQ(reread->ReadString("AtTheEnd"), "1");
    EXPECT_EQ(reread->ReadString("Last"), "1") << "the store's end saves what it still held";
}

TEST_F(SettingsTest, RunTimesStopsAtTheLargestInteger) {
    fake.files.files[SettingFile()] = "[setting]\r\nRunTimes=2147483647\r\n";
    auto settings = Create();
    EXPECT_EQ(settings->RunTimes(), 2147483647);
    EXPECT_EQ(settings->ReadInteger("RunTimes"), 2147483647);
    EXPECT_EQ(Create()->RunTimes(), 2147483647);
}

TEST_F(SettingsTest, TwoStoresOnOneFileLoseNoWrite) {
    auto first = Create();
    auto second = Create();  // a second instance with App.Multiple
    first->WriteString("A", "1");
    second->WriteString("B", "2");
    first->SetShowAgain(3, false);
    second->WriteString("A.Too", "x");
    first->WriteString("C", "3");
    auto reopened = Create();
    EXPECT_EQ(reopened->RunTimes(), 2);
    for (const char* key : {"A", "B", "A.Too", "C"}) {
        EXPECT_FALSE(reopened->ReadString(key).empty()) << key;
    }
    EXPECT_FALSE(reopened->GetShowAgain(3));
    EXPECT_EQ(first->ReadString("A.Too"), "x");  // a save takes in the other store's keys
}

//--- Install age -------------------------------------------------------------------------------------

TEST_F(SettingsTest, InstallAgeIsTheOldestReadableFolder) {
    auto settings = Create();
    EXPECT_EQ(settings->InstallAgeDays(), 0);  // no creation time readable

    fake.clock.now = 1000.25;
    fake.files.creationTimes["C:\\Tools"] = 990.5;                                                 // 9.75 days
    fake.files.creationTimes[std::string(kUserDir).substr(0, strlen(kUserDir) - 1)] = 970.0;       // 30.25
    fake.files.creationTimes[std::string(kCommonDir).substr(0, strlen(kCommonDir) - 1)] = 1012.0;  // -11.75
    EXPECT_EQ(settings->InstallAgeDays(), 30);
    fake.files.creationTimes.erase(std::string(kUserDir).substr(0, strlen(kUserDir) - 1));
    EXPECT_EQ(settings->InstallAgeDays(), 11);  // the absolute difference counts
}

TEST(FileTimes, DatesConvertAndTimesThatNameNoDateAreUnreadable) {
    EXPECT_EQ(FileTimeToDays(125911584000000000ull), 36526.0);  // 2000-01-01 00:00
    EXPECT_EQ(FileTimeToDays(125911584000000000ull + 432000000000ull), 36526.5);
    EXPECT_DOUBLE_EQ(*FileTimeToDays(1), -109205.0);  // just after 1601-01-01
    EXPECT_FALSE(FileTimeToDays(0).has_value());      // "not set" would age the install 400 years
    EXPECT_FALSE(FileTimeToDays(0x8000000000000000ull).has_value());
    EXPECT_FALSE(FileTimeToDays(~0ull).has_value());
}

//--- Process-wide store -----------------------------------------------------------------------------

TEST_F(SettingsTest, AppSettingsIsOneStoreUntilReleased) {
    TCLSettings& first = AppSettings();
    EXPECT_EQ(&first, &AppSettings());
    EXPECT_EQ(GetExeDir(), "C:\\Tools\\");
    EXPECT_EQ(GetShellFolder("AppData"), "C:\\Users\\me\\AppData\\Roaming");
    EXPECT_EQ(GetCommonShellFolder("AppData"), "");
    ReleaseAppSettings();
    EXPECT_EQ(AppSettings().RunTimes(), 1);
    ReleaseAppSettings();
}

TEST(ShellFolders, CurrentUserFirstThenTheMachine) {
    TFakeRegistry registry;
    const std::string key = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    registry.Set(RegistryRoot::CurrentUser, key, "AppData", "");
    registry.Set(RegistryRoot::LocalMachine, key, "AppData", "M:\\AppData");
    registry.Set(RegistryRoot::CurrentUser, key, "Cache", "U:\\Cache");
    registry.Set(RegistryRoot::LocalMachine, key, "Cache", "M:\\Cache");
    TRegistryShellFolders folders(registry);
    EXPECT_EQ(folders.Folder("AppData"), "M:\\AppData");
    EXPECT_EQ(folders.Folder("Cache"), "U:\\Cache");
    EXPECT_EQ(folders.CommonFolder("Cache"), "M:\\Cache");
    EXPECT_EQ(folders.Folder("Nothing"), "");
}

}  // namespace
}  // namespace tallow
