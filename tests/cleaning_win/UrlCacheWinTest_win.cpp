// The URL cache cleaners against the system's WinInet cache, filled by the test.
#include <windows.h>

#include <objbase.h>
#include <wincred.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <map>

#include "cleaning/CleaningActions.h"
#include "cleaning_win/WinTestSupport.h"
#include "diagnostics/TraceSender.h"
#include "fakes/TraceCapture.h"

namespace tallow::wintest {
namespace {

const std::string kRule(51, '=');
const char* const kNormalUrl = "http://tallow.test/page.html";
const char* const kCookieUrl = "Cookie:tester@tallow.test/";
const char* const kHistoryUrl = "Visited: tester@http://tallow.test/visited.html";
const char* const kStickyUrl = "http://tallow.test/sticky.css";

bool AddEntry(const char* url, DWORD type) {
    char file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryA(url, 0, "htm", file, 0))
        return false;
    WriteTextFile(file, "<html></html>");
    FILETIME never = {};
    return CommitUrlCacheEntryA(url, file, never, never, type, nullptr, 0, nullptr, nullptr) != FALSE;
}

// Every entry in the cache (URL and type), read with the system's plain walk and a
// generous buffer.
std::map<std::string, DWORD> CacheEntries() {
    std::map<std::string, DWORD> entries;
    alignas(8) char buffer[16384];
    auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer);
    DWORD size = sizeof buffer;
    HANDLE walk = FindFirstUrlCacheEntryA(nullptr, entry, &size);
    if (!walk)
        return entries;
    do {
        entries[entry->lpszSourceUrlName] = entry->CacheEntryType;
        size = sizeof buffer;
    } while (FindNextUrlCacheEntryA(walk, entry, &size));
    FindCloseUrlCache(walk);
    return entries;
}

std::set<std::string> CacheUrls() {
    std::set<std::string> urls;
    for (const auto& [url, type] : CacheEntries())
        urls.insert(url);
    return urls;
}

// The URLs whose type has none of the cookie, history and normal flags: the ones a
// purge keeps. The system decides the stored types: Wine, for one, adds the normal
// flag to every entry of the content container, sticky ones included.
std::set<std::string> KeptByPurge() {
    std::set<std::string> kept;
    for (const auto& [url, type] : CacheEntries()) {
        if (!(type & (COOKIE_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY)))
            kept.insert(url);
    }
    return kept;
}

const char* const kIntelliForms = "Software\\Microsoft\\Internet Explorer\\IntelliForms";

bool AddCredential(const wchar_t* target, DWORD type) {
    CREDENTIALW credential = {};
    credential.Type = type;
    credential.TargetName = const_cast<wchar_t*>(target);
    credential.UserName = const_cast<wchar_t*>(L"tester");
    BYTE secret[] = {'p', 'w'};
    credential.CredentialBlob = secret;
    credential.CredentialBlobSize = sizeof secret;
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    return CredWriteW(&credential, 0) != FALSE;
}

bool HasCredential(const wchar_t* target, DWORD type) {
    PCREDENTIALW credential = nullptr;
    if (!CredReadW(target, type, 0, &credential))
        return false;
    CredFree(credential);
    return true;
}

// The number of values of a key of the current user; -1 without the key.
int ValueCount(const std::string& key) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return -1;
    DWORD count = 0;
    RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(h);
    return int(count);
}

void EmptyCache() {
    for (const std::string& url : CacheUrls())
        DeleteUrlCacheEntryA(url.c_str());
}

class UrlCacheWinTest : public ::testing::Test {
  protected:
    TFakeSettings settings = TestSettings();
    TCleaningKit kit{TestPlatform(), settings};

    void SetUp() override {
        EmptyCache();
        ASSERT_TRUE(CacheUrls().empty());
        ASSERT_TRUE(AddEntry(kNormalUrl, NORMAL_CACHE_ENTRY));
        ASSERT_TRUE(AddEntry(kCookieUrl, COOKIE_CACHE_ENTRY));
        ASSERT_TRUE(AddEntry(kHistoryUrl, URLHISTORY_CACHE_ENTRY));
        ASSERT_TRUE(AddEntry(kStickyUrl, STICKY_CACHE_ENTRY));
        ASSERT_EQ(CacheUrls().size(), 4u);
    }
    void TearDown() override { EmptyCache(); }

    std::vector<std::string> PurgeAndTrace() {
        DebugTrace().Enabled = true;
        ScopedTraceCapture capture;
        kit.cleaners.PurgeUrlCache();
        std::vector<std::string> lines;
        for (const auto& line : capture.lines)
            lines.push_back(line.text);
        return lines;
    }
};

TEST_F(UrlCacheWinTest, PurgeDeletesNormalCookieAndHistoryEntriesKeepsStickyAndTracesInOrder) {
    EXPECT_EQ(CacheEntries()[kCookieUrl] & COOKIE_CACHE_ENTRY, DWORD(COOKIE_CACHE_ENTRY));
    EXPECT_EQ(CacheEntries()[kHistoryUrl] & URLHISTORY_CACHE_ENTRY, DWORD(URLHISTORY_CACHE_ENTRY));
    std::set<std::string> kept = KeptByPurge();
    EXPECT_TRUE(kept.empty() || kept == std::set<std::string>{kStickyUrl});
    std::vector<std::string> lines = PurgeAndTrace();

    EXPECT_EQ(CacheUrls(), kept);
    const std::vector<std::string> opening = {"FindFirstUrlCacheEntry", "GetMem", "FindFirstUrlCacheEntry"};
    const std::vector<std::string> closing = {"repeat end", "FreeMem", "FindCloseUrlCache"};
    ASSERT_EQ(lines.size(), opening.size() + 4 * 6 + closing.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3), opening);
    std::set<std::string> traced;
    for (std::size_t block = 0; block < 4; ++block) {
        auto at = lines.begin() + 3 + block * 6;
        ASSERT_EQ(at[1].rfind("Delete --- ", 0), 0u) << at[1];
        traced.insert(at[1].substr(11));
        EXPECT_EQ(std::vector<std::string>(at, at + 6),
                  (std::vector<std::string>{kRule, at[1], "Repeat", "FreeMem", "FindNextUrlCacheEntry", "GetMem"}));
    }
    EXPECT_EQ(traced, (std::set<std::string>{kNormalUrl, kCookieUrl, kHistoryUrl, kStickyUrl}));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()), closing);
}

// The passwords item purges what the cookies item purges, and also removes the
// form passwords and WinInet's credentials from the system's stores; another
// program's credential and other form data stay.
TEST_F(UrlCacheWinTest, PasswordsItemPurgesLikeCookiesAndTakesIEsStoredPasswords) {
    std::set<std::string> kept = KeptByPurge();
    kit.actions.RunAction(kItemIECookies);
    EXPECT_EQ(CacheUrls(), kept);

    EmptyCache();
    SetUp();
    const wchar_t* const wininet = L"Microsoft_WinInet_tallow.test:80/Realm";
    const wchar_t* const other = L"TallowTest:other-program";
    ASSERT_TRUE(AddCredential(wininet, CRED_TYPE_GENERIC));
    ASSERT_TRUE(AddCredential(other, CRED_TYPE_GENERIC));
    for (const char* name : {"5A1B2C3D4E", "6F7A8B9C0D"})
        SetRegistryString(false, kIntelliForms + std::string("\\Storage2"), name, "encrypted");
    SetRegistryString(false, kIntelliForms + std::string("\\Storage1"), "q", "search words");
    ASSERT_EQ(ValueCount(kIntelliForms + std::string("\\Storage2")), 2);

    kit.actions.RunAction(kItemIEPasswords);
    EXPECT_EQ(CacheUrls(), kept);
    EXPECT_FALSE(HasCredential(wininet, CRED_TYPE_GENERIC));
    EXPECT_TRUE(HasCredential(other, CRED_TYPE_GENERIC));
    EXPECT_EQ(ValueCount(kIntelliForms + std::string("\\Storage2")), 0) << "the values go, the key stays";
    EXPECT_EQ(ValueCount(kIntelliForms + std::string("\\Storage1")), 1);
    CredDeleteW(other, CRED_TYPE_GENERIC, 0);
    DeleteRegistryTree(false, kIntelliForms);
}

TEST_F(UrlCacheWinTest, EmptyCacheWritesOnlyTheClosingLines) {
    EmptyCache();
    EXPECT_EQ(PurgeAndTrace(), (std::vector<std::string>{"FindFirstUrlCacheEntry", "GetMem", "FindFirstUrlCacheEntry",
                                                         "repeat end", "FreeMem", "FindCloseUrlCache"}));
}

TEST(UrlHistoryWinTest, HistoryObjectComesWithComAndItsAbsenceIsHarmless) {
    TUrlHistory withoutCom(DefaultPlatform().urlHistory);
    withoutCom.Loaded();  // COM not initialised on this thread: no object, and no failure
    EXPECT_EQ(withoutCom.HistoryStore(), nullptr);
    withoutCom.ClearHistoryStore();

    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        TUrlHistory history(DefaultPlatform().urlHistory);
        history.Loaded();
        EXPECT_NE(history.HistoryStore(), nullptr);
        history.ClearHistoryStore();
    }
    CoUninitialize();
}

TEST(IECacheWinTest, WinInetOffersWhatTheCacheComponentNeeds) {
    TIECache cache(*DefaultPlatform().urlCache);
    EXPECT_TRUE(cache.LibraryFound());
    cache.RemoveMatchingEntries();
    EXPECT_EQ(cache.WalkHandle(), 0u);
}

}  // namespace
}  // namespace tallow::wintest
