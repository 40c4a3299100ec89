// Previews and cleans of single items on the system: what a preview counts is what
// the clean then removes, and a preview changes no file.
#include <windows.h>

#include <gtest/gtest.h>

#include "cleaning/Catalogue.h"
#include "cleaning/ItemRunner.h"
#include "cleaning_win/WinTestSupport.h"

namespace tallow::wintest {
namespace {

const char* const kMozilla = "SOFTWARE\\Mozilla\\Mozilla Firefox";

// Every file below `folder` with its content.
std::map<std::string, std::string> Contents(const std::string& folder) {
    std::map<std::string, std::string> contents;
    for (const std::string& path : TreeBelow(folder))
        contents[path] = ReadTextFile(folder + path);
    return contents;
}

// The temporary folder and a Firefox profile made here: sizes from the listing, the
// real browser's history rows counted inside its database, Firefox in use, and a
// preview that leaves every byte as it was.
TEST(ItemRunnerWinTest, PreviewCountsWhatTheCleanRemovesAndChangesNothing) {
    TScratchFolder scratch("runner");
    const std::string temp = scratch.Path() + "temp\\";
    const std::string roaming = scratch.Path() + "Roaming\\";
    const std::string profile = roaming + "Mozilla\\Firefox\\Profiles\\t1.default\\";
    const std::string cache = scratch.Path() + "Local\\Mozilla\\Firefox\\Profiles\\t1.default\\cache2\\";
    for (const std::string& folder :
         {temp, temp + "sub\\", roaming, roaming + "Mozilla\\", roaming + "Mozilla\\Firefox\\",
          roaming + "Mozilla\\Firefox\\Profiles\\", profile, scratch.Path() + "Local\\",
          scratch.Path() + "Local\\Mozilla\\", scratch.Path() + "Local\\Mozilla\\Firefox\\",
          scratch.Path() + "Local\\Mozilla\\Firefox\\Profiles\\",
          scratch.Path() + "Local\\Mozilla\\Firefox\\Profiles\\t1.default\\", cache, cache + "entries\\"})
        MakeFolder(folder);
    WriteTextFile(temp + "a.tmp", "12345");
    WriteTextFile(temp + "sub\\b.tmp", std::string(70000, 'b'));
    WriteTextFile(cache + "entries\\0A1B", "cached");
    WriteTextFile(profile + "cookies.sqlite", std::string(300, 'c'));
    WriteTextFile(profile + "cookies.sqlite-wal", "w");
    for (const char* name : {"places.sqlite", "favicons.sqlite"})
        ASSERT_TRUE(
            CopyFileA((ProgramFolder() + "test-fixtures\\firefox\\" + name).c_str(), (profile + name).c_str(), FALSE));
    SetRegistryString(true, kMozilla, "CurrentVersion", "3.6 (en-US)");
    SetRegistryString(true, std::string(kMozilla) + "\\3.6 (en-US)\\Main", "PathToExe", "C:\\nowhere\\firefox.exe");
    TFakeSettings settings = TestSettings();
    settings.shellFolders["AppData"] = roaming;
    settings.shellFolders["Local AppData"] = scratch.Path() + "Local";
    TTempVariable tempIsOurs(temp);

    const struct {
        int item;
        TItemTally expected;  // entries 0: counted, not known here
    } cases[] = {
        {kItemTempFolder, {2, 5 + 70000, TItemStatus::kOk}},
        {kItemFFCache, {1, 6, TItemStatus::kOk}},
        {kItemFFCookies, {2, 301, TItemStatus::kOk}},
        {kItemFFHistory, {0, 0, TItemStatus::kOk}},
    };
    {
        // Firefox running: its items are in use and keep their files.
        THelperProcess firefox("mozilla-window");
        ASSERT_TRUE(firefox.Ready());
        EXPECT_EQ(MakeItemRunner(TestPlatform(false), settings)->Preview(kItemFFCookies).status, TItemStatus::kInUse);
        EXPECT_EQ(MakeItemRunner(TestPlatform(false), settings)->Clean(kItemFFCookies).status, TItemStatus::kInUse);
        EXPECT_TRUE(PathExists(profile + "cookies.sqlite"));
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(CatalogueItemName(c.item));
        const auto before = Contents(scratch.Path());
        const TItemTally preview = MakeItemRunner(TestPlatform(false), settings)->Preview(c.item);
        EXPECT_EQ(Contents(scratch.Path()), before) << "the preview changed a file";
        const TItemTally clean = MakeItemRunner(TestPlatform(false), settings)->Clean(c.item);
        EXPECT_EQ(clean, preview);
        if (c.expected.entries)
            EXPECT_EQ(preview, c.expected);
        else
            EXPECT_GT(preview.entries, 10u) << "the fixture's history rows";
        EXPECT_EQ(MakeItemRunner(TestPlatform(false), settings)->Preview(c.item).entries, 0u) << "all gone";
    }
    EXPECT_TRUE(TreeBelow(temp).empty());
    EXPECT_TRUE(settings.writes.empty());
    DeleteRegistryTree(true, kMozilla);
}

}  // namespace
}  // namespace tallow::wintest
