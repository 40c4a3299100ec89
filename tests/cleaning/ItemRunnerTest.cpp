// Previews and cleans of single items: a preview counts what the clean then
// removes, on the same fake services, and removes nothing itself.
#include <gtest/gtest.h>

#include <functional>

#include "CleaningFakes.h"
#include "cleaning/Catalogue.h"
#include "cleaning/ItemRunner.h"

namespace tallow {

void PrintTo(const TItemTally& t, std::ostream* os) {
    *os << "{" << t.entries << " entries, " << t.bytes << " bytes, " << ItemStatusText(t.status) << "}";
}

namespace {

const std::string kTemp = "C:\\Users\\me\\AppData\\Local\\Temp\\";
const std::string kLocal = "C:\\Users\\me\\AppData\\Local\\";
const std::string kRoaming = "C:\\Users\\me\\AppData\\Roaming\\";
const std::string kCache = kLocal + "Microsoft\\Windows\\INetCache\\";
const std::string kProfile = kRoaming + "Mozilla\\Firefox\\Profiles\\abc.default\\";
const std::string kLocalProfile = kLocal + "Mozilla\\Firefox\\Profiles\\abc.default\\";
const std::string kChrome = kLocal + "Google\\Chrome\\User Data\\";
const std::string kFirefoxExe = "C:\\Program Files\\Mozilla Firefox\\firefox.exe";

class ItemRunnerTest : public ::testing::Test {
  protected:
    TCleaningFakes fakes;
    TPlatform platform = fakes.Platform();

    void SetUp() override {
        fakes.settings.shellFolders["Cache"] = kCache;
        fakes.settings.shellFolders["AppData"] = kRoaming;
        fakes.settings.shellFolders["Local AppData"] = kLocal;
    }
    // Adds `path` with every folder above it; a trailing backslash makes a folder.
    void Add(const std::string& path, std::uint64_t size = 0, std::uint32_t attributes = file_attr::kArchive) {
        for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
            fakes.files.AddFolder(path.substr(0, at));
        if (path.back() != '\\')
            fakes.files.AddFile(path, attributes, false, size);
    }
    void InstallFirefox() {
        Add(kFirefoxExe);
        fakes.settings.values["FireFoxPath"] = kFirefoxExe;
    }
    std::set<std::string> Tree() const { return fakes.files.Below("C:\\"); }
    // Preview, check that it changed nothing, then clean: both tallies.
    std::pair<TItemTally, TItemTally> PreviewThenClean(int item) {
        const std::set<std::string> before = Tree();
        TItemTally preview = MakeItemRunner(platform, fakes.settings)->Preview(item);
        EXPECT_EQ(Tree(), before) << CatalogueItemName(item) << ": the preview changed the tree";
        return {preview, MakeItemRunner(platform, fakes.settings)->Clean(item)};
    }
};

struct TFolderCase {
    int item;
    std::vector<std::pair<std::string, std::uint64_t>> removed;  // files and their sizes
    std::vector<std::string> kept;                               // files that stay
};

TEST_F(ItemRunnerTest, FolderItemsPreviewTheFilesAndSizesTheirCleanRemoves) {
    InstallFirefox();
    const TFolderCase cases[] = {
        {kItemTempFolder, {{kTemp + "a.tmp", 100}, {kTemp + "sub\\b.tmp", 2000}, {kTemp + "sub\\deep\\c", 3}}, {}},
        {kItemIECache, {{kCache + "IE5\\x.htm", 512}, {kCache + "y.js", 64}}, {}},
        {kItemFFCache,
         {{kLocalProfile + "cache2\\entries\\E1", 4096}, {kLocalProfile + "Cache\\old", 10}},
         {kLocalProfile + "other\\keep"}},
        {kItemFFCookies,
         {{kProfile + "cookies.sqlite", 700}, {kProfile + "cookies.sqlite-wal", 30}},
         {kProfile + "places.sqlite"}},
        {kItemFFPasswords, {{kProfile + "logins.json", 9}, {kProfile + "signons.sqlite", 11}}, {kProfile + "key4.db"}},
        {kItemChromeCache,
         {{kChrome + "Default\\Cache\\Cache_Data\\f_01", 1000}, {kChrome + "ShaderCache\\s", 5}},
         {kChrome + "Default\\Bookmarks"}},
        {kItemChromeHistory,
         {{kChrome + "Default\\History", 800}, {kChrome + "Default\\History-journal", 8}},
         {kChrome + "Default\\Web Data"}},
        {kItemChromeCookies, {{kChrome + "Default\\Network\\Cookies", 77}}, {kChrome + "Default\\Preferences"}},
        {kItemChromePasswords, {{kChrome + "Default\\Login Data", 66}}, {}},
    };
    for (const TFolderCase& c : cases) {
        SCOPED_TRACE(CatalogueItemName(c.item));
        Add(kChrome + "Default\\Preferences");
        TItemTally expected;
        for (const auto& [path, size] : c.removed) {
            Add(path, size);
            CountRemoved(expected, size);
        }
        for (const std::string& path : c.kept)
            Add(path, 1);
        auto [preview, clean] = PreviewThenClean(c.item);
        EXPECT_EQ(preview, expected);
        EXPECT_EQ(clean, expected);
        for (const auto& [path, size] : c.removed)
            EXPECT_FALSE(fakes.files.Exists(path)) << path;
        for (const std::string& path : c.kept)
            EXPECT_TRUE(fakes.files.Exists(path)) << path;
    }
}

}  // namespace
}  // namespace tallow
