// The cleaning routines and the actions behind the window's items.
#include <gtest/gtest.h>

#include "CleaningFakes.h"
#include "cleaning/CleaningActions.h"

namespace tallow {
namespace {

class CleanersTest : public ::testing::Test {
  protected:
    TCleaningFakes fakes;
    int historyClears = 0;
    int historyObjects = 0;
    bool historyAvailable = true;
    TCleaningKit kit{fakes.Platform([this]() -> std::unique_ptr<IUrlHistoryStore> {
                         ++historyObjects;
                         if (!historyAvailable)
                             return nullptr;
                         return std::make_unique<TFakeUrlHistoryStore>(historyClears);
                     }),
                     fakes.settings};
    std::vector<std::string> shown;
    TShowMessageByKey show = [this](const std::string& key) { shown.push_back(key); };

    std::vector<std::string> StartedScripts() {
        std::vector<std::string> scripts;
        for (const TProcessRequest& r : fakes.starter.started)
            scripts.push_back(r.application);
        return scripts;
    }
};

TEST_F(CleanersTest, ScriptsStartHiddenInTheirOwnFolderWithQuotedPathAndOneSpace) {
    kit.cleaners.ClearRunHistory();
    kit.cleaners.ClearRecentDocuments();
    kit.cleaners.RunIEHistoryScript();
    const std::string res = "C:\\Program Files\\Tallowmere\\res\\";
    EXPECT_EQ(StartedScripts(), (std::vector<std::string>{res + "c1.bat", res + "c3.bat", res + "c2.bat"}));
    const TProcessRequest& r = fakes.starter.started[0];
    EXPECT_EQ(r.commandLine, "\"" + res + "c1.bat\" ");
    EXPECT_EQ(r.workingFolder, res);
    EXPECT_TRUE(r.hidden);
    EXPECT_FALSE(r.wait);
    EXPECT_EQ(r.timeoutMs, -1);
}

TEST_F(CleanersTest, StartProgramResolvesRelativePathsAndReportsCreation) {
    EXPECT_TRUE(kit.cleaners.StartProgram("tools/x.exe", "-a b", false, 500, true));
    EXPECT_EQ(fakes.starter.started[0].application, "C:\\Program Files\\Tallowmere\\tools\\x.exe");
    EXPECT_EQ(fakes.starter.started[0].commandLine, "\"C:\\Program Files\\Tallowmere\\tools\\x.exe\" -a b");
    EXPECT_EQ(fakes.starter.started[0].workingFolder, "C:\\Program Files\\Tallowmere\\tools\\");

    fakes.starter.result = false;
    EXPECT_FALSE(kit.cleaners.StartProgram("D:\\other\\y.bat", "", true, -1, false));
    EXPECT_EQ(fakes.starter.started[1].application, "D:\\other\\y.bat");
    EXPECT_EQ(fakes.starter.started[1].workingFolder, "D:\\other\\");
}

TEST_F(CleanersTest, ClipboardHeldByAnotherProgramRaisesAndTheButtonShowsNoMessage) {
    kit.actions.ItemButtonClick(kItemClipboard, show);
    EXPECT_EQ(fakes.clipboard.emptied, 1);
    EXPECT_EQ(fakes.clipboard.closed, 1);
    EXPECT_EQ(fakes.clipboard.owner, 0x1234u);
    EXPECT_EQ(shown, std::vector<std::string>{"MSGBOX_Cleared"});

    fakes.clipboard.heldByOther = true;
    try {
        kit.actions.ItemButtonClick(kItemClipboard, show);
        FAIL() << "no error raised";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Cannot open clipboard");
    }
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(fakes.clipboard.emptied, 1);
}

TEST_F(CleanersTest, RecycleBinAndTempFolderUseTheApplicationWindowAndTheTrimmedTempPath) {
    kit.cleaners.EmptyRecycleBin();
    EXPECT_EQ(fakes.recycleBin.emptiedWithParent, std::vector<WindowHandle>{0x1234});

    fakes.systemFolders.temp = " \t C:\\Users\\me\\AppData\\Local\\Temp\\\r\n ";
    fakes.files.AddFolder("C:\\Users\\me\\AppData\\Local\\Temp");
    fakes.files.AddFile("C:\\Users\\me\\AppData\\Local\\Temp\\a.tmp");
    kit.actions.ItemButtonClick(kItemTempFolder, show);
    EXPECT_FALSE(fakes.files.Exists("C:\\Users\\me\\AppData\\Local\\Temp\\a.tmp"));
    EXPECT_TRUE(fakes.files.Exists("C:\\Users\\me\\AppData\\Local\\Temp"));

    // A temporary folder the system names as the profile, a root or nothing deletes nothing.
    fakes.files.AddFile("C:\\Users\\me\\ntuser.dat");
    for (const char* temp : {"C:\\Users\\me\\", "C:\\", "", "   "}) {
        fakes.systemFolders.temp = temp;
        fakes.files.AddFolder(temp);
        kit.cleaners.EmptyTempFolder();
    }
    EXPECT_TRUE(fakes.files.Exists("C:\\Users\\me\\ntuser.dat"));
}

TEST_F(CleanersTest, IECacheEmptiesTheCacheShellFolderOnly) {
    const std::string cache = "C:\\Users\\me\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files";
    fakes.files.AddFolder(cache);
    fakes.files.AddFolder(cache + "\\Content.IE5");
    fakes.files.AddFile(cache + "\\Content.IE5\\index.dat", file_attr::kArchive, /*locked=*/true);
    fakes.files.AddFile(cache + "\\Content.IE5\\page.htm");
    kit.cleaners.DeleteIECache();
    EXPECT_TRUE(fakes.files.listed.empty()) << "no Cache value: nothing";

    fakes.settings.shellFolders["Cache"] = cache;
    kit.actions.ItemButtonClick(kItemIECache, show);
    EXPECT_TRUE(fakes.files.Exists(cache + "\\Content.IE5\\index.dat"));
    EXPECT_FALSE(fakes.files.Exists(cache + "\\Content.IE5\\page.htm"));
}

TEST_F(CleanersTest, IEHistoryButtonClearsStoreAndCacheButTheRunOnlyStartsTheScript) {
    kit.UrlHistory1.Loaded();
    fakes.urlCache.entries = {{"Visited: me@http://a/", cache_entry::kUrlHistory}, {"http://b/", cache_entry::kNormal}};
    kit.actions.RunAction(kItemIEHistory);
    EXPECT_EQ(StartedScripts().size(), 1u);
    EXPECT_EQ(historyClears, 0);
    EXPECT_EQ(fakes.urlCache.entries.size(), 2u);
    EXPECT_EQ(kit.ich1.SearchPattern(), TSearchPattern::spAll);

    kit.actions.ItemButtonClick(kItemIEHistory, show);
    EXPECT_EQ(StartedScripts().size(), 2u);
    EXPECT_EQ(historyClears, 1);
    EXPECT_TRUE(fakes.urlCache.entries.empty());
    EXPECT_EQ(kit.ich1.SearchPattern(), TSearchPattern::spUrl);
    EXPECT_EQ(fakes.urlCache.patterns.back(), std::optional<std::string>(""));
    EXPECT_EQ(shown, std::vector<std::string>{"MSGBOX_Cleared"});
}

TEST_F(CleanersTest, WithoutAHistoryObjectTheWindowStillWorks) {
    historyAvailable = false;
    kit.UrlHistory1.Loaded();
    EXPECT_EQ(kit.UrlHistory1.HistoryStore(), nullptr);
    fakes.urlCache.entries = {{"http://b/", cache_entry::kNormal}};
    kit.actions.ClearIEHistory();
    EXPECT_TRUE(fakes.urlCache.entries.empty());
    EXPECT_EQ(historyClears, 0);
}

// The window opens without waiting for the history object: it is made on the
// first clean that needs it, once, and a failed attempt is not repeated.
TEST_F(CleanersTest, HistoryObjectIsMadeOnFirstUseOnlyOnce) {
    kit.actions.ClearIEHistory();
    EXPECT_EQ(historyObjects, 0) << "nothing before the window has loaded";
    kit.UrlHistory1.Loaded();
    EXPECT_EQ(historyObjects, 0) << "loading the window makes no object";
    kit.actions.ClearIEHistory();
    kit.actions.ClearIEHistory();
    EXPECT_EQ(historyObjects, 1);
    EXPECT_EQ(historyClears, 2);

    int attempts = 0;
    TUrlHistory failing([&attempts]() -> std::unique_ptr<IUrlHistoryStore> {
        ++attempts;
        return nullptr;
    });
    failing.Loaded();
    failing.ClearHistoryStore();
    EXPECT_EQ(failing.HistoryStore(), nullptr);
    EXPECT_EQ(attempts, 1);
}

TEST_F(CleanersTest, CookieAndPasswordItemsPurgeTheSameEntries) {
    for (int item : {kItemIECookies, kItemIEPasswords}) {
        fakes.urlCache.deleted.clear();
        fakes.urlCache.entries = {{"Cookie:me@a/", cache_entry::kCookie},
                                  {"http://s/", cache_entry::kSticky},
                                  {"http://n/", cache_entry::kNormal}};
        kit.actions.ItemButtonClick(item, show);
        EXPECT_EQ(fakes.urlCache.deleted, (std::vector<std::string>{"Cookie:me@a/", "http://n/"})) << item;
    }
}

TEST_F(CleanersTest, FirefoxButtonsAreGuardedAndTheRunUsesTheShorterActions) {
    const std::string p = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x.default\\";
    fakes.settings.shellFolders["AppData"] = "C:\\Users\\me\\AppData\\Roaming";
    fakes.files.AddFolder("C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles");
    fakes.files.AddFolder(p);
    for (const char* f : {"places.sqlite", "places.sqlite-journal", "downloads.sqlite", "formhistory.sqlite",
                          "cookies.sqlite", "cookies.sqlite-journal"})
        fakes.files.AddFile(p + f);

    kit.actions.ItemButtonClick(kItemFFHistory, show);
    EXPECT_EQ(shown, std::vector<std::string>{"MSGBOX_FireFoxIsNotInstalled"});
    EXPECT_TRUE(fakes.files.Exists(p + "places.sqlite"));

    kit.actions.RunAction(kItemFFHistory);
    kit.actions.RunAction(kItemFFCookies);
    EXPECT_TRUE(fakes.files.Exists(p + "places.sqlite")) << "no database: left as it is, never deleted";
    EXPECT_FALSE(fakes.files.Exists(p + "cookies.sqlite"));
    EXPECT_TRUE(fakes.files.Exists(p + "places.sqlite-journal"));
    EXPECT_TRUE(fakes.files.Exists(p + "downloads.sqlite"));
    EXPECT_TRUE(fakes.files.Exists(p + "cookies.sqlite-journal"));

    fakes.settings.values["FireFoxPath"] = "C:\\ff\\firefox.exe";
    shown.clear();
    kit.actions.ItemButtonClick(kItemFFHistory, show);
    EXPECT_EQ(shown, std::vector<std::string>{"MSGBOX_Cleared"});
    EXPECT_FALSE(fakes.files.Exists(p + "downloads.sqlite"));
}

}  // namespace
}  // namespace tallow
