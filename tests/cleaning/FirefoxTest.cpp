// Finding Firefox, its profile folders, and what each Firefox action deletes.
#include <gtest/gtest.h>

#include "CleaningFakes.h"
#include "cleaning/Firefox.h"
#include "fakes/TraceCapture.h"

namespace tallow {
namespace {

using Paths = std::set<std::string>;

class FirefoxTest : public ::testing::Test {
  protected:
    TCleaningFakes fakes;
    TFolderCleaner folders{fakes.files, fakes.systemFolders};
    TFakePlacesHistory places;
    TFirefox firefox{fakes.Platform(), fakes.settings, folders, places};
    std::vector<std::string> shown;
    TShowMessageByKey show = [this](const std::string& key) { shown.push_back(key); };

    const std::string roaming = "C:\\Users\\me\\AppData\\Roaming";
    const std::string local = "C:\\Users\\me\\AppData\\Local";
    const std::string profiles = roaming + "\\Mozilla\\Firefox\\Profiles\\";
    const std::string localProfiles = local + "\\Mozilla\\Firefox\\Profiles\\";

    void SetUp() override {
        fakes.settings.shellFolders["AppData"] = roaming;
        fakes.settings.shellFolders["Local AppData"] = local;
    }

    void MozillaKey(const std::string& exe,
                    RegistryView view = RegistryView::Own,
                    const std::string& version = "3.6 (en-US)") {
        fakes.registry.Set(RegistryRoot::LocalMachine, "SOFTWARE\\Mozilla\\Mozilla Firefox", "CurrentVersion", version,
                           view);
        fakes.registry.Set(RegistryRoot::LocalMachine, "SOFTWARE\\Mozilla\\Mozilla Firefox\\" + version + "\\Main",
                           "PathToExe", exe, view);
    }

    void Profile(const std::string& folder, std::initializer_list<const char*> names) {
        fakes.files.AddFolder(profiles);
        fakes.files.AddFolder(folder);
        for (const char* name : names)
            fakes.files.AddFile(folder + name);
    }
};

TEST_F(FirefoxTest, StoredPathWinsWhileItsFileExists) {
    fakes.files.AddFile("D:\\FF\\firefox.exe");
    fakes.settings.values["FireFoxPath"] = "D:\\FF\\firefox.exe";
    MozillaKey("C:\\Mozilla\\firefox.exe");
    EXPECT_EQ(firefox.FindFirefoxPath(), "D:\\FF\\firefox.exe");
    EXPECT_TRUE(fakes.settings.writes.empty());
}

TEST_F(FirefoxTest, RegistryPathIsStoredOnlyWhenItsFileExists) {
    MozillaKey("C:\\Mozilla\\firefox.exe");
    EXPECT_EQ(firefox.FindFirefoxPath(), "C:\\Mozilla\\firefox.exe");
    EXPECT_TRUE(firefox.IsFirefoxInstalled()) << "a missing program file still counts as installed";
    EXPECT_TRUE(fakes.settings.writes.empty());

    fakes.files.AddFile("C:\\Mozilla\\firefox.exe");
    EXPECT_EQ(firefox.FindFirefoxPath(), "C:\\Mozilla\\firefox.exe");
    EXPECT_EQ(fakes.settings.writes, std::vector<std::string>{"FireFoxPath=C:\\Mozilla\\firefox.exe"});
}

TEST_F(FirefoxTest, FirefoxPlusKeyWinsOverTheMozillaKey) {
    MozillaKey("C:\\Mozilla\\firefox.exe");
    fakes.files.AddFile("C:\\Mozilla\\firefox.exe");
    fakes.registry.Set(RegistryRoot::CurrentUser, "Software\\Firefox Plus", "", "E:\\Plus");
    fakes.files.AddFile("E:\\Plus\\Firefox Plus.exe");
    EXPECT_EQ(firefox.FindFirefoxPath(), "E:\\Plus\\Firefox Plus.exe");
    EXPECT_EQ(fakes.settings.writes, std::vector<std::string>{"FireFoxPath=E:\\Plus\\Firefox Plus.exe"});
}

TEST_F(FirefoxTest, MozillaKeyIsReadFromThe32BitViewElseFromThe64BitView) {
    MozillaKey("C:\\Program Files\\Mozilla Firefox\\firefox.exe", RegistryView::Bits64, "120.0 (x64 en-US)");
    EXPECT_EQ(firefox.FindFirefoxPath(), "C:\\Program Files\\Mozilla Firefox\\firefox.exe");

    MozillaKey("C:\\Program Files (x86)\\Mozilla Firefox\\firefox.exe");
    EXPECT_EQ(firefox.FindFirefoxPath(), "C:\\Program Files (x86)\\Mozilla Firefox\\firefox.exe");
}

TEST_F(FirefoxTest, MainKeyWithoutPathToExeEmptiesThePathAndNoMainKeyKeepsTheStoredText) {
    const std::string mainKey = "SOFTWARE\\Mozilla\\Mozilla Firefox\\3.6 (en-US)\\Main";
    fakes.settings.values["FireFoxPath"] = "D:\\gone\\firefox.exe";
    fakes.registry.Set(RegistryRoot::LocalMachine, "SOFTWARE\\Mozilla\\Mozilla Firefox", "CurrentVersion",
                       "3.6 (en-US)");
    EXPECT_EQ(firefox.FindFirefoxPath(), "D:\\gone\\firefox.exe");

    fakes.registry.AddKey(RegistryRoot::LocalMachine, mainKey);
    EXPECT_EQ(firefox.FindFirefoxPath(), "");
    EXPECT_FALSE(firefox.IsFirefoxInstalled());

    fakes.registry.Set(RegistryRoot::LocalMachine, mainKey, "Install Directory", "C:\\Mozilla");
    EXPECT_EQ(firefox.FindFirefoxPath(), "") << "another value does not make PathToExe";
}

TEST_F(FirefoxTest, WithoutSettingOrRegistryFirefoxIsNotInstalledUnlessAStoredTextRemains) {
    EXPECT_EQ(firefox.FindFirefoxPath(), "");
    EXPECT_FALSE(firefox.FirefoxGuard(show));
    EXPECT_EQ(shown, std::vector<std::string>{"MSGBOX_FireFoxIsNotInstalled"});

    fakes.settings.values["FireFoxPath"] = "D:\\gone\\firefox.exe";
    EXPECT_TRUE(firefox.IsFirefoxInstalled());
    EXPECT_TRUE(fakes.settings.writes.empty());
}

TEST_F(FirefoxTest, GuardRefusesWhileAFirefoxWindowExists) {
    fakes.settings.values["FireFoxPath"] = "D:\\FF\\firefox.exe";
    fakes.windows.windows[0x50] = {"SomeOtherClass", {}};
    EXPECT_FALSE(firefox.IsFirefoxRunning());
    EXPECT_TRUE(firefox.FirefoxGuard(show));
    EXPECT_TRUE(shown.empty());

    fakes.windows.windows[0x60] = {"MozillaUIWindowClass", {}};
    EXPECT_TRUE(firefox.IsFirefoxRunning());
    EXPECT_FALSE(firefox.FirefoxGuard(show));
    EXPECT_EQ(shown, std::vector<std::string>{"MSGBOX_CloseFFAndClear"});
}

TEST_F(FirefoxTest, HistoryCookiesAndPasswordsDeleteTheirFilesFromTheOneProfile) {
    const std::string p = profiles + "abcd.default\\";
    Profile(p, {"places.sqlite", "places.sqlite-journal", "downloads.sqlite", "formhistory.sqlite", "cookies.sqlite",
                "cookies.sqlite-journal", "signons.sqlite", "prefs.js"});
    EXPECT_EQ(firefox.FirefoxProfileFolder(false), p);

    firefox.DeleteFirefoxHistory();
    EXPECT_EQ(fakes.files.Below(p),
              (Paths{profiles + "abcd.default", p + "places.sqlite", p + "places.sqlite-journal", p + "cookies.sqlite",
                     p + "cookies.sqlite-journal", p + "signons.sqlite", p + "prefs.js"}))
        << "the places database holds the bookmarks too: its history is cleaned inside it";
    firefox.DeleteFirefoxCookies();
    firefox.DeleteFirefoxPasswords();
    EXPECT_EQ(fakes.files.Below(p),
              (Paths{profiles + "abcd.default", p + "places.sqlite", p + "places.sqlite-journal", p + "prefs.js"}));
}

TEST_F(FirefoxTest, TodaysFilesGoWithTheirItemAndOtherProfileFilesStay) {
    const std::string p = profiles + "abcd.default-release\\";
    Profile(p, {"places.sqlite", "places.sqlite-wal", "places.sqlite-shm", "formhistory.sqlite-wal", "cookies.sqlite",
                "cookies.sqlite-wal", "cookies.sqlite-shm", "logins.json", "logins-backup.json", "logins.db",
                "logins.db-journal", "logins.db-wal", "logins.db-shm", "key4.db", "cert9.db", "prefs.js",
                "webappsstore.sqlite-wal", "extensions\\addon.xpi"});
    fakes.files.AddFolder(p + "extensions");
    const std::string cache = localProfiles + "abcd.default-release\\";
    fakes.files.AddFolder(localProfiles);
    fakes.files.AddFolder(cache);
    fakes.files.AddFolder(cache + "cache2");
    fakes.files.AddFolder(cache + "cache2\\entries");
    fakes.files.AddFile(cache + "cache2\\entries\\0A1B");
    fakes.files.AddFile(cache + "cache2\\index");
    fakes.files.AddFile(cache + "startupCache.4.little");
    const Paths others = {profiles + "abcd.default-release",
                          p + "places.sqlite",
                          p + "places.sqlite-wal",
                          p + "places.sqlite-shm",
                          p + "key4.db",
                          p + "cert9.db",
                          p + "prefs.js",
                          p + "webappsstore.sqlite-wal",
                          p + "extensions",
                          p + "extensions\\addon.xpi"};

    firefox.DeleteProfileFile("cookies.sqlite");  // the clear-all run's cookie action
    EXPECT_FALSE(fakes.files.Exists(p + "cookies.sqlite-wal"));
    EXPECT_FALSE(fakes.files.Exists(p + "cookies.sqlite-shm"));
    firefox.DeleteFirefoxHistory();
    firefox.DeleteFirefoxPasswords();
    EXPECT_EQ(fakes.files.Below(p), others);

    firefox.DeleteFirefoxCache();
    EXPECT_EQ(fakes.files.Below(cache),
              (Paths{cache.substr(0, cache.size() - 1), cache + "cache2", cache + "startupCache.4.little"}));
}

TEST_F(FirefoxTest, EveryProfileIsCleanedWhenThereAreSeveral) {
    Profile(profiles + "one.default\\", {"places.sqlite", "cookies.sqlite"});
    Profile(profiles + "two.work\\", {"places.sqlite"});
    fakes.files.AddFile(profiles + "places.sqlite");  // a file beside the profiles is no profile
    EXPECT_EQ(firefox.FirefoxProfileFolders(false).size(), 2u);
    EXPECT_EQ(firefox.FirefoxProfileFolder(false), "");

    firefox.DeleteProfileFile("places.sqlite");
    EXPECT_FALSE(fakes.files.Exists(profiles + "one.default\\places.sqlite"));
    EXPECT_FALSE(fakes.files.Exists(profiles + "two.work\\places.sqlite"));
    EXPECT_TRUE(fakes.files.Exists(profiles + "one.default\\cookies.sqlite"));
    EXPECT_TRUE(fakes.files.Exists(profiles + "places.sqlite"));
}

TEST_F(FirefoxTest, WithoutProfileFoldersTheProfilesFolderItselfIsUsedAndWithoutOneNothing) {
    EXPECT_TRUE(firefox.FirefoxProfileFolders(false).empty());
    EXPECT_EQ(firefox.FirefoxProfileFolder(false), "");
    EXPECT_EQ(firefox.FirefoxCacheFolder(), "");

    Profile(profiles, {"places.sqlite"});
    EXPECT_EQ(firefox.FirefoxProfileFolder(false), profiles);
    firefox.DeleteFirefoxHistory();
    EXPECT_EQ(places.calls, (std::vector<std::pair<std::string, std::string>>{{profiles + "places.sqlite", ""}}));

    fakes.settings.shellFolders.clear();
    EXPECT_TRUE(firefox.FirefoxProfileFolders(true).empty());
}

// The history is cleaned inside places.sqlite of each profile, with the icons of
// favicons.sqlite where there is one; whatever the database answers, its files stay,
// and every answer but a plain success reaches the trace.
TEST_F(FirefoxTest, HistoryIsCleanedInsideThePlacesDatabaseWhichNeverGoes) {
    struct Case {
        TPlacesOutcome outcome;
        const char* detail;
        const char* traced;  // nullptr: no trace line
    };
    const Case cases[] = {
        {TPlacesOutcome::kCleaned, "", nullptr},
        {TPlacesOutcome::kCleaned, "not compacted: disk full", "cleaned: not compacted: disk full"},
        {TPlacesOutcome::kLocked, "database is locked", "locked: database is locked"},
        {TPlacesOutcome::kNotADatabase, "file is not a database", "not a database: file is not a database"},
        {TPlacesOutcome::kNotPlaces, "no table moz_places", "no places tables: no table moz_places"},
        {TPlacesOutcome::kFailed, "disk I/O error", "failed: disk I/O error"},
    };
    const std::string one = profiles + "one.default\\", two = profiles + "two.work\\", three = profiles + "three\\";
    for (const Case& c : cases) {
        fakes.files.nodes.clear();
        places.calls.clear();
        places.answer = {c.outcome, c.detail};
        Profile(one,
                {"places.sqlite", "places.sqlite-wal", "favicons.sqlite", "downloads.sqlite", "formhistory.sqlite"});
        Profile(two, {"places.sqlite"});
        Profile(three, {"formhistory.sqlite"});
        ScopedTraceCapture trace;

        firefox.DeleteFirefoxHistory();
        EXPECT_EQ(places.calls, (std::vector<std::pair<std::string, std::string>>{
                                    {one + "places.sqlite", one + "favicons.sqlite"}, {two + "places.sqlite", ""}}))
            << c.detail;
        EXPECT_EQ(fakes.files.Below(profiles),
                  (Paths{profiles.substr(0, profiles.size() - 1), one.substr(0, one.size() - 1), one + "places.sqlite",
                         one + "places.sqlite-wal", one + "favicons.sqlite", two.substr(0, two.size() - 1),
                         two + "places.sqlite", three.substr(0, three.size() - 1)}))
            << c.detail;
        std::vector<std::string> lines;
        for (const auto& line : trace.lines)
            lines.push_back(line.tag + " " + line.text);
        if (c.traced) {
            EXPECT_EQ(lines, (std::vector<std::string>{"Firefox " + one + "places.sqlite: " + c.traced,
                                                       "Firefox " + two + "places.sqlite: " + c.traced}));
        } else {
            EXPECT_TRUE(lines.empty()) << lines.front();
        }
    }
}

TEST_F(FirefoxTest, CacheLosesItsContentsAndSubfoldersButStays) {
    const std::string cache = localProfiles + "abcd.default\\Cache";
    fakes.files.AddFolder(localProfiles);
    fakes.files.AddFolder(localProfiles + "abcd.default");
    fakes.files.AddFolder(cache);
    fakes.files.AddFile(cache + "\\_CACHE_MAP_");
    fakes.files.AddFolder(cache + "\\0");
    fakes.files.AddFile(cache + "\\0\\A1B2");
    fakes.files.AddFile(localProfiles + "abcd.default\\keep.me");
    EXPECT_EQ(firefox.FirefoxCacheFolder(), cache + "\\");

    firefox.DeleteFirefoxCache();
    EXPECT_EQ(fakes.files.Below(localProfiles),
              (Paths{localProfiles.substr(0, localProfiles.size() - 1), localProfiles + "abcd.default", cache,
                     localProfiles + "abcd.default\\keep.me"}));
}

}  // namespace
}  // namespace tallow
