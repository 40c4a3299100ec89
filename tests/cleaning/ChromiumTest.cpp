// The Chromium browsers: finding their profiles, what each item removes, what it
// never touches, and browsers in use; then the items over the files the real
// browser wrote (tests/fixtures/chromium).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "CleaningFakes.h"
#include "cleaning/CleaningActions.h"

namespace tallow {
namespace {

namespace fs = std::filesystem;
using Paths = std::set<std::string>;
using Strings = std::vector<std::string>;

const std::string kLocal = "C:\\Users\\me\\AppData\\Local\\";
const std::string kRoaming = "C:\\Users\\me\\AppData\\Roaming\\";
const std::string kChrome = kLocal + "Google\\Chrome\\User Data\\";
const std::string kEdge = kLocal + "Microsoft\\Edge\\User Data\\";

class ChromiumTest : public ::testing::Test {
  protected:
    TCleaningFakes fakes;
    TFolderCleaner folders{fakes.files, fakes.systemFolders};
    TChromium chromium{fakes.Platform(), fakes.settings, folders};

    void SetUp() override {
        fakes.settings.shellFolders["Local AppData"] = kLocal;
        fakes.settings.shellFolders["AppData"] = kRoaming;
    }
    // Adds `path` with every folder above it; a trailing backslash makes a folder.
    void Add(const std::string& path, bool locked = false) {
        for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
            fakes.files.AddFolder(path.substr(0, at));
        if (path.back() != '\\')
            fakes.files.AddFile(path, file_attr::kArchive, locked);
    }
    void Profile(const std::string& folder) { Add(folder + "Preferences"); }
};

//--- Discovery ------------------------------------------------------------------

// A browser found: name, lock file, top folders, profiles, cache folders.
using TBrowserFields = std::tuple<std::string, std::string, Strings, Strings, Strings>;
std::vector<TBrowserFields> Fields(const std::vector<TChromiumBrowser>& browsers) {
    std::vector<TBrowserFields> fields;
    for (const TChromiumBrowser& b : browsers)
        fields.emplace_back(b.name, b.lockFile, b.topFolders, b.profiles, b.cacheFolders);
    return fields;
}

struct TDiscoveryCase {
    const char* label;
    Strings paths;  // files (and folders ending in '\')
    std::vector<TBrowserFields> expected;
};

TEST_F(ChromiumTest, FindsEachBrowsersProfilesInEveryLayout) {
    const std::string opera = kRoaming + "Opera Software\\Opera Stable\\";
    const std::string operaLocal = kLocal + "Opera Software\\Opera Stable\\";
    const std::string gx = kRoaming + "Opera Software\\Opera GX Stable\\";
    const std::string gxLocal = kLocal + "Opera Software\\Opera GX Stable\\";
    const std::string brave = kLocal + "BraveSoftware\\Brave-Browser\\User Data\\";
    const std::string canary = kLocal + "Google\\Chrome SxS\\User Data\\";
    const TDiscoveryCase cases[] = {
        {"Chrome: Default, numbered and guest profiles; no others",
         {kChrome + "Default\\Preferences", kChrome + "Profile 1\\Preferences", kChrome + "Profile 12\\Preferences",
          kChrome + "Guest Profile\\Preferences", kChrome + "System Profile\\Preferences",
          kChrome + "Profile x\\Preferences", kChrome + "Profile 2\\History", kChrome + "Crashpad\\Preferences",
          kChrome + "Local State"},
         {{"Google Chrome",
           kChrome + "lockfile",
           {kChrome},
           {kChrome + "Default\\", kChrome + "Guest Profile\\", kChrome + "Profile 1\\", kChrome + "Profile 12\\"},
           {kChrome + "Default\\", kChrome + "Guest Profile\\", kChrome + "Profile 1\\", kChrome + "Profile 12\\"}}}},
        {"Edge and a Chrome channel, Brave; a user-data folder without profiles is no browser",
         {kEdge + "Profile 3\\Preferences", canary + "Default\\Preferences", brave + "Default\\Preferences",
          kLocal + "Vivaldi\\User Data\\Local State"},
         {{"Google Chrome Canary", canary + "lockfile", {canary}, {canary + "Default\\"}, {canary + "Default\\"}},
          {"Microsoft Edge", kEdge + "lockfile", {kEdge}, {kEdge + "Profile 3\\"}, {kEdge + "Profile 3\\"}},
          {"Brave", brave + "lockfile", {brave}, {brave + "Default\\"}, {brave + "Default\\"}}}},
        {"Opera in its folder, Opera GX in Default; their caches below Local AppData",
         {opera + "Preferences", operaLocal, gx + "Default\\Preferences", gxLocal + "Default\\"},
         {{"Opera", opera + "lockfile", {opera, operaLocal}, {opera}, {opera, operaLocal}},
          {"Opera GX",
           gx + "Default\\lockfile",
           {gx, gxLocal},
           {gx + "Default\\"},
           {gx + "Default\\", gxLocal + "Default\\"}}}},
    };
    for (const TDiscoveryCase& c : cases) {
        SCOPED_TRACE(c.label);
        fakes.files.nodes.clear();
        for (const std::string& path : c.paths)
            Add(path);
        EXPECT_EQ(Fields(chromium.Browsers()), c.expected);
    }
}

TEST_F(ChromiumTest, LinkedProfilesAndMissingShellFoldersFindNothing) {
    Add("D:\\elsewhere\\Preferences");
    Add(kChrome);
    fakes.files.AddLink(kChrome + "Default", "D:\\elsewhere");
    EXPECT_TRUE(chromium.Browsers().empty()) << "a profile that is a link is never entered";
    Profile(kEdge + "Default\\");
    Profile(kEdge + "Profile 1\\");
    EXPECT_EQ(chromium.BrowserNames(), std::vector<std::string>{"Microsoft Edge"});
    fakes.settings.shellFolders.clear();
    EXPECT_TRUE(chromium.Browsers().empty());
}

//--- What each item removes -------------------------------------------------------

// A user-data folder: the files each item removes, with their journals, in the order
// of TChromiumItem, then the files that always stay (relative to the user-data
// folder; a trailing backslash makes a folder).
const Strings kFiles[] = {
    {"Default\\History", "Default\\History-journal", "Default\\History-wal", "Default\\Visited Links",
     "Default\\Top Sites", "Default\\Top Sites-journal", "Default\\Shortcuts", "Default\\Network Action Predictor",
     "Default\\History Provider Cache", "Default\\Favicons", "Default\\Favicons-wal", "Default\\Favicons-shm",
     "Default\\Archived History", "Default\\History Index 2012-06", "Default\\History Index 2012-06-journal",
     "Default\\Sessions\\Session_1", "Default\\Sessions_Encrypted\\Tabs_1"},
    {"Default\\Cache\\Cache_Data\\f_000001", "Default\\Cache\\Cache_Data\\index", "Default\\Code Cache\\js\\",
     "Default\\Code Cache\\js\\index", "Default\\GPUCache\\data_0", "Default\\DawnCache\\data_1",
     "Default\\DawnWebGPUCache\\index", "Default\\DawnGraphiteCache\\index", "Default\\Media Cache\\f_1",
     "ShaderCache\\data_0", "GrShaderCache\\data_0", "GraphiteDawnCache\\data_0", "GPUPersistentCache\\cache.db"},
    {"Default\\Network\\Cookies", "Default\\Network\\Cookies-journal", "Default\\Cookies", "Default\\Extension Cookies",
     "Default\\Extension Cookies-journal"},
    {"Default\\Login Data", "Default\\Login Data-journal", "Default\\Login Data For Account",
     "Default\\Login Data For Account-wal"},
    {"Default\\Preferences", "Default\\Secure Preferences", "Default\\Bookmarks", "Default\\Bookmarks.bak",
     "Default\\Web Data", "Default\\Web Data-journal", "Default\\Extensions\\abc\\manifest.json",
     "Default\\Local Extension Settings\\abc\\000003.log", "Default\\Web Applications\\app.json",
     "Default\\Network\\Network Persistent State", "Default\\History.old", "Local State", "Last Version"}};

TEST_F(ChromiumTest, EachItemRemovesItsFilesWithTheirJournalsAndNothingElse) {
    for (int item = 0; item < 4; ++item) {
        SCOPED_TRACE(item);
        fakes.files.nodes.clear();
        for (const Strings& files : kFiles)
            for (const std::string& file : files)
                Add(kChrome + file);
        Paths expected = fakes.files.Below(kChrome);
        for (std::string file : kFiles[item])
            expected.erase(kChrome + (file.back() == '\\' ? file.substr(0, file.size() - 1) : file));
        EXPECT_TRUE(chromium.Clean(static_cast<TChromiumItem>(item)).empty());
        EXPECT_EQ(fakes.files.Below(kChrome), expected);
    }
}

//--- Browsers in use, and files in use -----------------------------------------

TEST_F(ChromiumTest, BrowsersHoldingTheirLockFileAreLeftAloneAndNamedOnceAndADatabaseInUseKeepsItsJournal) {
    const std::string opera = kRoaming + "Opera Software\\Opera Stable\\";
    for (const std::string& profile : {kChrome + "Default\\", kEdge + "Default\\", kEdge + "Profile 1\\", opera}) {
        Profile(profile);
        Add(profile + "Cookies");
    }
    Add(kChrome + "lockfile");  // left by a browser that ended: not held
    Add(kEdge + "lockfile", true);
    Add(opera + "lockfile", true);
    Add(kChrome + "Default\\History", true);  // held by another program
    Add(kChrome + "Default\\History-wal");
    Add(kChrome + "Default\\Top Sites-journal");  // left behind by a database already gone

    TCleaningKit kit(fakes.Platform(), fakes.settings);
    std::vector<std::string> shown;
    auto show = [&](const std::string& key, const std::vector<std::string>& args) {
        shown.push_back(key + (args.empty() ? "" : " " + args[0]));
    };
    kit.actions.ItemButtonClick(kItemChromeCookies, show);
    kit.actions.RunAction(kItemChromeHistory);
    EXPECT_EQ(shown, std::vector<std::string>{"MSGBOX_CloseBrowsersAndClear Microsoft Edge, Opera"});
    EXPECT_EQ(kit.actions.TakeSkippedPrograms(), (std::vector<std::string>{"Microsoft Edge", "Opera"}));
    EXPECT_TRUE(kit.actions.TakeSkippedPrograms().empty());
    EXPECT_EQ(fakes.files.Exists(kChrome + "Default\\Cookies"), false);
    EXPECT_TRUE(fakes.files.Exists(kEdge + "Profile 1\\Cookies") && fakes.files.Exists(opera + "Cookies"));
    EXPECT_TRUE(fakes.files.Exists(kChrome + "Default\\History-wal"));
    EXPECT_FALSE(fakes.files.Exists(kChrome + "Default\\Top Sites-journal"));

    fakes.files.nodes[kEdge + "lockfile"].locked = false;
    fakes.files.nodes[opera + "lockfile"].locked = false;
    kit.actions.ItemButtonClick(kItemChromeCookies, show);
    EXPECT_EQ(shown.back(), "MSGBOX_Cleared");
    EXPECT_FALSE(fakes.files.Exists(kEdge + "Profile 1\\Cookies") || fakes.files.Exists(opera + "Cookies"));
}

//--- The files the real browser wrote --------------------------------------------

// The items over the fixture's folders and files, added to the fake file tree as a
// Chrome user-data folder: the cleaners only ever list and delete, so a file that
// is still there is as the browser wrote it.
TEST_F(ChromiumTest, ItemsRemoveTheirFilesFromTheProfileTheRealBrowserWroteAndLeaveTheRest) {
    const char* source = std::getenv("TALLOW_SOURCE_DIR");
    ASSERT_TRUE(source);
    const fs::path fixture = fs::path(source) / "tests" / "fixtures" / "chromium";
    Paths written;  // the fixture's files, relative with '\' separators
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(fixture)) {
        std::string relative = fs::relative(entry.path(), fixture).string();
        std::replace(relative.begin(), relative.end(), '/', '\\');
        Add(kChrome + relative + (entry.is_directory() ? "\\" : ""));
        if (entry.is_regular_file())
            written.insert(relative);
    }
    ASSERT_TRUE(written.count("Default\\History") && written.count("Default\\Cookies") &&
                written.count("Default\\Web Data"));
    // What the four items remove of it, as the fixture's script keeps it.
    Paths removed;
    for (const std::string& file : written) {
        for (const char* prefix :
             {"Default\\History", "Default\\Top Sites", "Default\\Favicons", "Default\\Cookies", "Default\\Login Data",
              "Default\\Sessions", "Default\\Cache\\Cache_Data\\", "Default\\Code Cache\\", "GPUPersistentCache\\"}) {
            if (file.rfind(prefix, 0) == 0)
                removed.insert(file);
        }
    }
    ASSERT_GE(removed.size(), 15u);

    ASSERT_EQ(chromium.BrowserNames(), Strings{"Google Chrome"});
    for (int item = 0; item < 4; ++item)
        EXPECT_TRUE(chromium.Clean(static_cast<TChromiumItem>(item)).empty());
    for (const std::string& file : written)
        EXPECT_EQ(fakes.files.Exists(kChrome + file), !removed.count(file)) << file;
    for (const char* folder : {"Default\\Sessions", "Default\\Cache\\Cache_Data", "Default\\Code Cache"})
        EXPECT_TRUE(fakes.files.Exists(kChrome + folder)) << folder << " itself stays";
}

}  // namespace
}  // namespace tallow
