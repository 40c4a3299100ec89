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
    // Preview, check that it changed no file, then clean: both tallies.
    std::pair<TItemTally, TItemTally> PreviewThenClean(int item) {
        const std::set<std::string> before = Tree();
        TItemTally preview = TItemRunner(platform, fakes.settings, &places).Preview(item);
        EXPECT_EQ(Tree(), before) << CatalogueItemName(item) << ": the preview changed the tree";
        return {preview, TItemRunner(platform, fakes.settings, &places).Clean(item)};
    }
    void Value(const std::string& key, const std::string& name) {
        fakes.registry.Set(RegistryRoot::CurrentUser, key, name, "x");
    }
    std::uint64_t Values(const std::string& key) {
        return fakes.registry.CountValues(RegistryRoot::CurrentUser, key, true);
    }

    TFakePlacesHistory places;
    std::uint64_t historyEntries = 0;
    int historyClears = 0;
};

TItemTally Tally(std::uint64_t entries, std::uint64_t bytes = 0, TItemStatus status = TItemStatus::kOk) {
    return TItemTally{entries, bytes, status};
}

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
        EXPECT_GT(expected.bytes, 0u);
        EXPECT_EQ(preview, expected);
        EXPECT_EQ(clean, expected);
        for (const auto& [path, size] : c.removed)
            EXPECT_FALSE(fakes.files.Exists(path)) << path;
        for (const std::string& path : c.kept)
            EXPECT_TRUE(fakes.files.Exists(path)) << path;
    }
}

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const std::string kIE = "Software\\Microsoft\\Internet Explorer\\";

// The scripts are counted by what they delete, and only a clean starts them.
TEST_F(ItemRunnerTest, ScriptItemsPreviewTheValuesAndShortcutsTheirScriptsDelete) {
    platform.urlHistory = [this] { return std::make_unique<TFakeUrlHistoryStore>(historyClears, &historyEntries); };
    Value(kExplorer + "RunMRU", "a");
    Value(kExplorer + "RunMRU", "MRUList");
    Value(kExplorer + "RunMRU\\Sub", "kept");  // the script deletes values, not subkeys
    Value(kExplorer + "RecentDocs", "0");
    Value(kExplorer + "RecentDocs\\.txt", "0");
    Value(kExplorer + "RecentDocs\\.txt", "1");
    const std::string recent = kRoaming + "Microsoft\\Windows\\Recent\\";
    Add(recent + "a.lnk", 300);
    Add(recent + "B.LNK", 200);
    Add(recent + "desktop.ini", 50);
    Add(recent + "AutomaticDestinations\\x.lnk", 7);
    Value(kIE + "TypedURLs", "url1");
    Value(kIE + "TypedURLs", "url2");
    Value(kIE + "TypedURLsTime", "url1");
    Value(kIE + "IntelliForms\\Storage1", "h");
    Value(kIE + "IntelliForms\\Storage2", "password form: another item's");
    historyEntries = 4;
    const struct {
        int item;
        const char* script;
        TItemTally expected;
    } cases[] = {
        {kItemRunHistory, "c1.bat", Tally(2)},
        {kItemRecentDocuments, "c3.bat", Tally(2 + 3, 500)},
        {kItemIEHistory, "c2.bat", Tally(4 + 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        fakes.starter.started.clear();
        EXPECT_EQ(TItemRunner(platform, fakes.settings).Preview(c.item), c.expected);
        EXPECT_TRUE(fakes.starter.started.empty()) << "a preview started a program";
        EXPECT_EQ(TItemRunner(platform, fakes.settings).Clean(c.item), c.expected);
        ASSERT_EQ(fakes.starter.started.size(), 1u);
        EXPECT_EQ(fakes.starter.started[0].application, fakes.settings.exeDir + "res\\" + c.script);
    }
    EXPECT_EQ(Values(kExplorer + "RunMRU") + Values("Software\\Microsoft\\Internet Explorer"), 3u + 5u)
        << "the scripts' work is theirs";

    // Under Wine the script leaves the history alone, and so does its count.
    fakes.registry.AddKey(RegistryRoot::CurrentUser, "Software\\Wine");
    EXPECT_EQ(TItemRunner(platform, fakes.settings).Preview(kItemIEHistory), Tally(4));
    // A script that does not start removes nothing.
    fakes.starter.result = false;
    EXPECT_EQ(TItemRunner(platform, fakes.settings).Clean(kItemRunHistory), Tally(0));
}

TEST_F(ItemRunnerTest, CacheRegistryAndSystemItemsPreviewWhatTheirCleanRemoves) {
    auto entry = [](const std::string& url, std::uint32_t type, std::uint64_t size) {
        return TFakeUrlCache::Entry{url, type, false, size};
    };
    auto fill = [&] {
        fakes.urlCache.entries = {entry("Cookie:me@site/", cache_entry::kCookie, 120),
                                  entry("Visited:me@http://a/", cache_entry::kUrlHistory, 0),
                                  entry("http://a/logo.png", cache_entry::kNormal, 4000),
                                  entry("http://a/app", cache_entry::kSticky, 900)};  // stays
        Value(kIE + "IntelliForms\\Storage2", "h1");
        Value(kIE + "IntelliForms\\Storage2", "h2");
        fakes.credentials.credentials = {{L"Microsoft_WinInet_site:80/realm", 1}, {L"OtherProgram", 1}};
        fakes.clipboard.hasData = true;
        fakes.recycleBin.content = {12, 34567};
    };
    const struct {
        int item;
        TItemTally expected;
    } cases[] = {
        {kItemIECookies, Tally(3, 4120)},
        {kItemIEPasswords, Tally(3 + 2 + 1, 4120)},
        {kItemClipboard, Tally(1)},
        {kItemRecycleBin, Tally(12, 34567)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CatalogueItemName(c.item));
        fill();
        auto [preview, clean] = PreviewThenClean(c.item);
        EXPECT_EQ(preview, c.expected);
        EXPECT_EQ(clean, c.expected);
        // Run again, the clean finds nothing left.
        EXPECT_EQ(TItemRunner(platform, fakes.settings).Preview(c.item), Tally(0));
    }
    fill();
    TItemRunner(platform, fakes.settings).Clean(kItemIEPasswords);
    EXPECT_EQ(fakes.urlCache.entries.size(), 1u);
    EXPECT_TRUE(fakes.credentials.Holds(L"OtherProgram"));
}

TEST_F(ItemRunnerTest, APreviewChangesNothingAnywhereAndStoresNoSetting) {
    const std::string profiles = kRoaming + "Mozilla\\Firefox\\Profiles\\";
    fakes.registry.Set(RegistryRoot::LocalMachine, "SOFTWARE\\Mozilla\\Mozilla Firefox", "CurrentVersion", "9",
                       RegistryView::Own);
    fakes.registry.Set(RegistryRoot::LocalMachine, "SOFTWARE\\Mozilla\\Mozilla Firefox\\9\\Main", "PathToExe",
                       kFirefoxExe, RegistryView::Own);
    Add(kFirefoxExe);
    for (const std::string& file :
         {kTemp + "t", kCache + "c", kProfile + "places.sqlite", kProfile + "cookies.sqlite", kProfile + "logins.json",
          kLocalProfile + "cache2\\e", kChrome + "Default\\History", kChrome + "Default\\Preferences",
          kChrome + "Default\\Cache\\f", kChrome + "Default\\Cookies", kChrome + "Default\\Login Data",
          kRoaming + "Microsoft\\Windows\\Recent\\r.lnk"})
        Add(file, 10);
    fakes.urlCache.entries = {{"Cookie:me@site/", cache_entry::kCookie, false, 5}};
    Value(kIE + "IntelliForms\\Storage2", "h1");
    Value(kExplorer + "RunMRU", "a");
    Value(kIE + "TypedURLs", "u");
    fakes.credentials.credentials = {{L"Microsoft_WinInet_site", 1}};
    fakes.recycleBin.content = {1, 1};
    places.answer.rows = 3;

    const std::set<std::string> tree = Tree();
    const TFakeRegistry::Values values = fakes.registry.values;
    TItemRunner runner(platform, fakes.settings, &places);
    for (int item = 1; item <= kItemCount; ++item) {
        SCOPED_TRACE(CatalogueItemName(item));
        const TItemTally tally = runner.Preview(item);
        EXPECT_EQ(tally.status, TItemStatus::kOk);
        EXPECT_GT(tally.entries, 0u) << "the item has something to remove";
    }
    EXPECT_EQ(Tree(), tree);
    EXPECT_EQ(fakes.registry.values, values);
    EXPECT_EQ(fakes.urlCache.entries.size(), 1u);
    EXPECT_TRUE(fakes.urlCache.deleted.empty());
    EXPECT_EQ(fakes.credentials.credentials.size(), 1u);
    EXPECT_EQ(fakes.clipboard.emptied, 0);
    EXPECT_TRUE(fakes.recycleBin.emptiedWithParent.empty());
    EXPECT_TRUE(fakes.starter.started.empty());
    EXPECT_TRUE(places.calls.empty()) << "the places history was cleaned, not counted";
    EXPECT_TRUE(fakes.settings.writes.empty()) << "the Firefox path found was stored";
    EXPECT_EQ(fakes.files.OpenHandles(), 0u);
}

TEST_F(ItemRunnerTest, StatusesOfBrowsersMissingOrInUseAndOfFailures) {
    const std::string edge = kLocal + "Microsoft\\Edge\\User Data\\";
    TItemRunner runner(platform, fakes.settings, &places);
    for (int item : {kItemFFHistory, kItemFFCache, kItemFFCookies, kItemFFPasswords, kItemChromeHistory,
                     kItemChromeCache, kItemChromeCookies, kItemChromePasswords}) {
        EXPECT_EQ(runner.Preview(item), Tally(0, 0, TItemStatus::kNotInstalled)) << CatalogueItemName(item);
        EXPECT_EQ(runner.Clean(item), Tally(0, 0, TItemStatus::kNotInstalled)) << CatalogueItemName(item);
    }

    // Firefox running: the items that need it closed are left alone, the passwords go.
    InstallFirefox();
    TItemRunner firefox(platform, fakes.settings, &places);  // reads the settings now holding Firefox
    fakes.windows.windows[0x77] = {"MozillaUIWindowClass", {}};
    Add(kProfile + "cookies.sqlite", 10);
    Add(kProfile + "logins.json", 20);
    EXPECT_EQ(firefox.Preview(kItemFFCookies), Tally(0, 0, TItemStatus::kInUse));
    EXPECT_EQ(firefox.Clean(kItemFFCookies), Tally(0, 0, TItemStatus::kInUse));
    EXPECT_TRUE(fakes.files.Exists(kProfile + "cookies.sqlite"));
    EXPECT_EQ(firefox.Clean(kItemFFPasswords), Tally(1, 20));
    // Firefox closed, its places database still held by another program.
    fakes.windows.windows.clear();
    Add(kProfile + "places.sqlite", 1);
    places.answer = {TPlacesOutcome::kLocked, "database is locked", 0};
    EXPECT_EQ(firefox.Preview(kItemFFHistory), Tally(0, 0, TItemStatus::kInUse));
    places.answer = {TPlacesOutcome::kCleaned, "", 42};
    EXPECT_EQ(firefox.Preview(kItemFFHistory), Tally(42));
    EXPECT_EQ(firefox.Clean(kItemFFHistory), Tally(42));
    EXPECT_EQ(places.calls.size(), 1u);

    // Chrome in use: counted without it; Edge's cookies go.
    Add(kChrome + "Default\\Preferences");
    Add(kChrome + "Default\\Cookies", 5);
    fakes.files.AddFile(kChrome + "lockfile", file_attr::kArchive, true);
    Add(edge + "Default\\Preferences");
    Add(edge + "Default\\Cookies", 6);
    EXPECT_EQ(runner.Preview(kItemChromeCookies), Tally(1, 6, TItemStatus::kInUse));
    EXPECT_EQ(runner.Clean(kItemChromeCookies), Tally(1, 6, TItemStatus::kInUse));
    EXPECT_TRUE(fakes.files.Exists(kChrome + "Default\\Cookies"));

    // The clipboard held by another program; items outside the catalogue.
    fakes.clipboard.heldByOther = true;
    EXPECT_EQ(runner.Preview(kItemClipboard), Tally(0, 0, TItemStatus::kFailed));
    EXPECT_EQ(runner.Clean(kItemClipboard), Tally(0, 0, TItemStatus::kFailed));
    for (int item : {0, kItemCount + 1})
        EXPECT_EQ(runner.Preview(item).status, TItemStatus::kFailed);
    EXPECT_STREQ(ItemStatusText(TItemStatus::kInUse), "in use");
    EXPECT_STREQ(ItemStatusText(TItemStatus::kNotInstalled), "not installed");
}

// A file that cannot go is not counted: read-only, or held by another program.
TEST_F(ItemRunnerTest, FilesThatWouldStayAreNotCounted) {
    InstallFirefox();
    Add(kTemp + "ro.tmp", 40, file_attr::kReadOnly);
    Add(kTemp + "ok.tmp", 2);
    Add(kProfile + "cookies.sqlite", 70, file_attr::kReadOnly);
    fakes.files.AddFile(kProfile + "cookies.sqlite-wal", file_attr::kArchive, true, 9);
    Add(kProfile + "cookies.sqlite-shm", 3);
    for (int item : {kItemTempFolder, kItemFFCookies}) {
        auto [preview, clean] = PreviewThenClean(item);
        EXPECT_EQ(preview, clean) << CatalogueItemName(item);
    }
    EXPECT_EQ(TItemRunner(platform, fakes.settings).Preview(kItemTempFolder), Tally(0));
    EXPECT_EQ(TItemRunner(platform, fakes.settings).Preview(kItemFFCookies), Tally(0));
    EXPECT_TRUE(fakes.files.Exists(kTemp + "ro.tmp"));
}

}  // namespace
}  // namespace tallow
