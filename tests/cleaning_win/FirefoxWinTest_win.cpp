// The Firefox cleaners against the system's registry, files and windows.
#include <windows.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "cleaning/CleaningActions.h"
#include "cleaning_win/WinTestSupport.h"

namespace tallow::wintest {
namespace {

const char* const kMozilla = "SOFTWARE\\Mozilla\\Mozilla Firefox";
const char* const kPlus = "Software\\Firefox Plus";
const char* const kHistoryFiles[] = {"places.sqlite", "places.sqlite-journal", "downloads.sqlite",
                                     "formhistory.sqlite"};

// The machine's keys in one registry view, whatever this test program's own view is.
void SetMachineString(REGSAM view, const std::string& key, const char* name, const std::string& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
    RegCloseKey(h);
}

void DeleteMachineTree(REGSAM view, const char* key) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS | view, &h) != ERROR_SUCCESS)
        return;
    RegDeleteTreeA(h, nullptr);
    RegCloseKey(h);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, view, 0);
}

// The rows of `sql` on the database at `path` (ANSI), columns joined by '|'.
std::vector<std::string> Query(const std::string& path, const std::string& sql) {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char utf8[4 * MAX_PATH] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_open_v2(utf8, &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::string row;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                const unsigned char* text = sqlite3_column_text(stmt, i);
                row += (i ? "|" : "") + (text ? std::string(reinterpret_cast<const char*>(text)) : "NULL");
            }
            rows.push_back(row);
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

// Places and icons the real browser wrote, copied into `profile`.
void CopyFixtureProfile(const std::string& profile) {
    for (const char* name : {"places.sqlite", "favicons.sqlite"}) {
        ASSERT_TRUE(
            CopyFileA((ProgramFolder() + "test-fixtures\\firefox\\" + name).c_str(), (profile + name).c_str(), FALSE))
            << name;
    }
}

class FirefoxWinTest : public ::testing::Test {
  protected:
    TScratchFolder scratch{"firefox"};
    TFakeSettings settings = TestSettings();
    TCleaningKit kit{TestPlatform(false), settings};
    std::string profile;
    std::vector<std::string> shown;
    TShowMessageByKey show = [this](const std::string& key) { shown.push_back(key); };

    void SetUp() override {
        settings.shellFolders["AppData"] = scratch.Path() + "Roaming";
        settings.shellFolders["Local AppData"] = scratch.Path() + "Local";
        for (const char* folder :
             {"Roaming", "Roaming\\Mozilla", "Roaming\\Mozilla\\Firefox", "Roaming\\Mozilla\\Firefox\\Profiles",
              "Local", "Local\\Mozilla", "Local\\Mozilla\\Firefox", "Local\\Mozilla\\Firefox\\Profiles",
              "Local\\Mozilla\\Firefox\\Profiles\\t1.default", "Local\\Mozilla\\Firefox\\Profiles\\t1.default\\Cache",
              "Local\\Mozilla\\Firefox\\Profiles\\t1.default\\Cache\\0A"})
            MakeFolder(scratch.Path() + folder);
        profile = scratch.Path() + "Roaming\\Mozilla\\Firefox\\Profiles\\t1.default\\";
        MakeFolder(profile);
        FillProfile();
    }
    void TearDown() override {
        DeleteRegistryTree(true, kMozilla);
        DeleteMachineTree(KEY_WOW64_32KEY, kMozilla);
        DeleteMachineTree(KEY_WOW64_64KEY, kMozilla);
        DeleteRegistryTree(false, kPlus);
    }

    void FillProfile() {
        for (const char* name : kHistoryFiles)
            WriteTextFile(profile + name, "x");
        for (const char* name : {"cookies.sqlite", "cookies.sqlite-journal", "signons.sqlite", "prefs.js"})
            WriteTextFile(profile + name, "x");
    }
    void MozillaKey(const std::string& exe) {
        SetRegistryString(true, kMozilla, "CurrentVersion", "3.6 (en-US)");
        SetRegistryString(true, std::string(kMozilla) + "\\3.6 (en-US)\\Main", "PathToExe", exe);
    }
};

TEST_F(FirefoxWinTest, RegistryDecidesTheProgramAndOnlyAnExistingFileIsStored) {
    EXPECT_FALSE(kit.firefox.IsFirefoxInstalled());
    const std::string exe = scratch.Path() + "Mozilla Firefox\\firefox.exe";
    MozillaKey(exe);
    EXPECT_EQ(kit.firefox.FindFirefoxPath(), exe);
    EXPECT_TRUE(kit.firefox.IsFirefoxInstalled());
    EXPECT_TRUE(settings.writes.empty()) << "a missing program file is not stored";

    MakeFolder(scratch.Path() + "Mozilla Firefox");
    WriteTextFile(exe, "MZ");
    MakeFolder(scratch.Path() + "Plus");
    WriteTextFile(scratch.Path() + "Plus\\Firefox Plus.exe", "MZ");
    SetRegistryString(false, kPlus, "", scratch.Path() + "Plus");
    EXPECT_EQ(kit.firefox.FindFirefoxPath(), scratch.Path() + "Plus\\Firefox Plus.exe");
    EXPECT_EQ(settings.values["FireFoxPath"], scratch.Path() + "Plus\\Firefox Plus.exe");
}

TEST_F(FirefoxWinTest, MozillaKeyOnlyInThe64BitViewCountsAndThe32BitViewComesFirst) {
    const std::string main64 = std::string(kMozilla) + "\\120.0 (x64 en-US)\\Main";
    SetMachineString(KEY_WOW64_64KEY, kMozilla, "CurrentVersion", "120.0 (x64 en-US)");
    SetMachineString(KEY_WOW64_64KEY, main64, "PathToExe", "C:\\Program Files\\Mozilla Firefox\\firefox.exe");
    HKEY key = nullptr;
    ASSERT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMozilla, 0, KEY_READ | KEY_WOW64_32KEY, &key), ERROR_SUCCESS)
        << "the system keeps the two views apart";
    EXPECT_EQ(kit.firefox.FindFirefoxPath(), "C:\\Program Files\\Mozilla Firefox\\firefox.exe");
    EXPECT_TRUE(kit.firefox.IsFirefoxInstalled());

    const std::string main32 = std::string(kMozilla) + "\\52.0 (x86 en-US)\\Main";
    SetMachineString(KEY_WOW64_32KEY, kMozilla, "CurrentVersion", "52.0 (x86 en-US)");
    SetMachineString(KEY_WOW64_32KEY, main32, "PathToExe", "C:\\Program Files (x86)\\Mozilla Firefox\\firefox.exe");
    EXPECT_EQ(kit.firefox.FindFirefoxPath(), "C:\\Program Files (x86)\\Mozilla Firefox\\firefox.exe");
}

// Each item on today's profile files; the history item cleans the real browser's
// places database inside the file, in a profile whose folder name the ANSI code page
// holds only as a non-ASCII letter, and every bookmark survives.
TEST_F(FirefoxWinTest, EachItemRemovesTodaysFilesAndLeavesTheKeysPrefsAndBookmarks) {
    MozillaKey("C:\\nowhere\\firefox.exe");
    for (const char* name : {"cookies.sqlite-wal", "cookies.sqlite-shm", "logins.json", "logins-backup.json",
                             "logins.db", "logins.db-journal", "logins.db-wal", "key4.db"})
        WriteTextFile(profile + name, "x");
    const std::string accented = scratch.Path() +
                                 "Roaming\\Mozilla\\Firefox\\Profiles\\t2.d\xE9"
                                 "faut\\";
    MakeFolder(accented);
    for (const std::string& p : {profile, accented})
        CopyFixtureProfile(p);
    const std::string bookmarks =
        "SELECT b.id, b.parent, b.title, p.url FROM moz_bookmarks b JOIN moz_places p ON p.id = b.fk";
    const std::vector<std::string> bookmarked = Query(accented + "places.sqlite", bookmarks);
    ASSERT_GE(bookmarked.size(), 6u);
    ASSERT_NE(Query(accented + "places.sqlite", "SELECT count(*) FROM moz_historyvisits"),
              std::vector<std::string>{"0"});
    const std::string cache2 = scratch.Path() + "Local\\Mozilla\\Firefox\\Profiles\\t1.default\\cache2\\";
    MakeFolder(cache2);
    MakeFolder(cache2 + "entries");
    WriteTextFile(cache2 + "entries\\0A1B", "c");
    WriteTextFile(cache2 + "index", "i");

    for (int item : {kItemFFHistory, kItemFFCache, kItemFFCookies, kItemFFPasswords})
        kit.actions.ItemButtonClick(item, show);
    EXPECT_EQ(shown, std::vector<std::string>(4, "MSGBOX_Cleared"));
    EXPECT_EQ(TreeBelow(profile), (std::set<std::string>{"favicons.sqlite", "key4.db", "places.sqlite", "prefs.js"}));
    for (const std::string& p : {profile, accented}) {
        EXPECT_EQ(Query(p + "places.sqlite", bookmarks), bookmarked) << p;
        EXPECT_EQ(Query(p + "places.sqlite", "SELECT count(*) FROM moz_historyvisits"), std::vector<std::string>{"0"});
        EXPECT_EQ(Query(p + "places.sqlite", "SELECT count(*) FROM moz_places WHERE url LIKE '%visited-only%'"),
                  std::vector<std::string>{"0"});
        EXPECT_EQ(Query(p + "favicons.sqlite", "PRAGMA integrity_check"), std::vector<std::string>{"ok"});
    }
    EXPECT_TRUE(PathExists(cache2));
    EXPECT_TRUE(TreeBelow(cache2).empty());
}

// A places.sqlite that is no database stays as it is; the button still removes the
// downloads and form history, the run touches neither.
TEST_F(FirefoxWinTest, HistoryButtonDeletesDownloadsAndFormsTheRunNeitherAndNoPlacesGo) {
    MozillaKey("C:\\nowhere\\firefox.exe");
    kit.actions.ItemButtonClick(kItemFFHistory, show);
    EXPECT_EQ(shown, std::vector<std::string>{"MSGBOX_Cleared"});
    for (const char* name : {"downloads.sqlite", "formhistory.sqlite"})
        EXPECT_FALSE(PathExists(profile + name)) << name;
    EXPECT_EQ(ReadTextFile(profile + "places.sqlite"), "x");
    EXPECT_TRUE(PathExists(profile + "places.sqlite-journal"));
    EXPECT_TRUE(PathExists(profile + "cookies.sqlite"));

    FillProfile();
    kit.actions.RunAction(kItemFFHistory);
    EXPECT_EQ(ReadTextFile(profile + "places.sqlite"), "x");
    EXPECT_TRUE(PathExists(profile + "places.sqlite-journal"));
    EXPECT_TRUE(PathExists(profile + "downloads.sqlite"));
    EXPECT_TRUE(PathExists(profile + "formhistory.sqlite"));
}

TEST_F(FirefoxWinTest, CacheLosesItsContentsButStays) {
    const std::string cache = scratch.Path() + "Local\\Mozilla\\Firefox\\Profiles\\t1.default\\Cache\\";
    WriteTextFile(cache + "_CACHE_MAP_", "m");
    WriteTextFile(cache + "0A\\1234", "c");
    kit.actions.RunAction(kItemFFCache);
    EXPECT_TRUE(PathExists(cache));
    EXPECT_TRUE(TreeBelow(cache).empty());
}

// The clear-all run over the real actions, with a window that ticks what the test says.
class TTickedWindow : public IClearAllWindow {
  public:
    std::set<int> ticked;
    std::vector<std::string> messages;
    int max = 0, value = 0;
    bool IsItemTicked(int item) override { return ticked.count(item) > 0; }
    int GaugeMax() override { return max; }
    void SetGaugeMax(int v) override { max = v; }
    int GaugeValue() override { return value; }
    void SetGaugeValue(int v) override { value = v; }
    void SetGaugeVisible(bool) override {}
    void SetTimerEnabled(bool) override {}
    bool AskYesNo(const std::string&) override { return true; }
    void ShowMessage(const std::string& key) override { messages.push_back(key); }
    void ProcessMessages() override {}
};

TEST_F(FirefoxWinTest, RunningFirefoxRefusesButtonsAndRunsExceptForPasswordsAlone) {
    MozillaKey("C:\\nowhere\\firefox.exe");
    THelperProcess firefox("mozilla-window");
    ASSERT_TRUE(firefox.Ready());
    EXPECT_TRUE(kit.firefox.IsFirefoxRunning());

    kit.actions.ItemButtonClick(kItemFFCookies, show);
    EXPECT_EQ(shown, std::vector<std::string>{"MSGBOX_CloseFFAndClear"});
    EXPECT_TRUE(PathExists(profile + "cookies.sqlite"));

    TTickedWindow window;
    TClearAllRun run(window, kit.actions);
    for (int item : {kItemFFHistory, kItemFFCache, kItemFFCookies}) {
        window.ticked = {item, kItemFFPasswords};
        window.messages.clear();
        run.Run();
        EXPECT_EQ(window.messages, std::vector<std::string>{"MSGBOX_CloseFFAndClear"});
        EXPECT_TRUE(PathExists(profile + "signons.sqlite"));
    }
    window.ticked = {kItemFFPasswords};
    window.messages.clear();
    run.Run();
    EXPECT_EQ(window.messages, std::vector<std::string>{"MSGBOX_CLEARALLCLEARED"});
    EXPECT_FALSE(PathExists(profile + "signons.sqlite"));
    EXPECT_EQ(window.value, 100);
}

}  // namespace
}  // namespace tallow::wintest
