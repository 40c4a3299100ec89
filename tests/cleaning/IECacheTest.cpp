// The URL cache component: filter masks, search patterns and the deleting walk.
#include <gtest/gtest.h>

#include "CleaningFakes.h"
#include "cleaning/IECache.h"

namespace tallow {
namespace {

TEST(IECacheFilterTest, MaskFollowsEveryAssignmentOfTheSet) {
    TFakeUrlCache fake;
    TIECache cache(fake);
    EXPECT_EQ(cache.FilterOptions().SetValue(), 125u);
    EXPECT_EQ(cache.FilterMask(), 0x300035u);

    cache.SetFilterOptions({});
    EXPECT_EQ(cache.FilterMask(), 0u);
    cache.SetFilterOptions({TFilterOption::COOKIE_ENTRY});
    EXPECT_EQ(cache.FilterMask(), 0x100000u);
    cache.SetFilterOptions(TFilterOptions::FromSetValue(0x1FF));
    EXPECT_EQ(cache.FilterMask(), 0x330037u);
    cache.SetFilterOptions({TFilterOption::STABLE_ENTRY, TFilterOption::SPARSE_ENTRY, TFilterOption::OCX_ENTRY});
    EXPECT_EQ(cache.FilterMask(), 0x30002u);
}

TEST(IECacheWalkTest, PassesThePatternOfEachSearchPatternAndTheMask) {
    TFakeUrlCache fake;
    TIECache cache(fake);
    cache.SetFilterOptions({TFilterOption::URLHISTORY_ENTRY});
    for (TSearchPattern p :
         {TSearchPattern::spAll, TSearchPattern::spCookies, TSearchPattern::spHistory, TSearchPattern::spUrl}) {
        cache.SetSearchPattern(p);
        cache.RemoveMatchingEntries();
    }
    // Two calls per walk: the size query and the real call.
    ASSERT_EQ(fake.patterns.size(), 8u);
    EXPECT_EQ(fake.patterns[0], std::nullopt);
    EXPECT_EQ(fake.patterns[1], std::nullopt);
    EXPECT_EQ(fake.patterns[3], std::optional<std::string>("Cookie:"));
    EXPECT_EQ(fake.patterns[5], std::optional<std::string>("Visited:"));
    EXPECT_EQ(fake.patterns[7], std::optional<std::string>(""));
    for (std::uint32_t filter : fake.filters)
        EXPECT_EQ(filter, 0x200000u);
}

TEST(IECacheWalkTest, DeletesEveryMatchingEntryThenEndsOn259AndClosesOnce) {
    TFakeUrlCache fake;
    const std::string longUrl = "http://c.example/very/long/" + std::string(3000, 'x');
    fake.entries = {{"Visited: me@http://a.example/", cache_entry::kUrlHistory},
                    {"Cookie:me@b.example/", cache_entry::kCookie},
                    {longUrl, cache_entry::kNormal},
                    {"http://sparse.example/", cache_entry::kSparse}};
    TIECache cache(fake);

    ASSERT_EQ(cache.BeginEntryWalk(0), 0u);
    EXPECT_EQ(cache.CurrentEntryUrl(), "Visited: me@http://a.example/");
    EXPECT_EQ(cache.RemoveCacheEntry(cache.CurrentEntryUrl()), 0u);
    EXPECT_EQ(cache.CurrentEntryUrl(), "");
    EXPECT_EQ(cache.ContinueEntryWalk(), 0u);
    EXPECT_EQ(cache.ContinueEntryWalk(), 0u);
    EXPECT_EQ(cache.ContinueEntryWalk(), 259u);
    UrlCacheHandle walk = cache.WalkHandle();

    fake.entries.insert(fake.entries.begin(), {"Cookie:me@d.example/", cache_entry::kCookie});
    fake.entries.push_back({"Cookie:me@e.example/", cache_entry::kCookie});
    fake.closed.clear();
    cache.RemoveMatchingEntries();

    ASSERT_EQ(fake.closed.size(), 2u);
    EXPECT_EQ(fake.closed[0], walk) << "a walk left open is closed before the next one begins";
    EXPECT_NE(fake.closed[1], 0u);
    EXPECT_EQ(fake.deleted, (std::vector<std::string>{"Visited: me@http://a.example/", "Cookie:me@d.example/",
                                                      "Cookie:me@b.example/", longUrl, "Cookie:me@e.example/"}));
    EXPECT_TRUE(fake.HasEntry("http://sparse.example/"));
    EXPECT_EQ(cache.WalkHandle(), 0u);
    EXPECT_TRUE(fake.contractBreaches.empty()) << fake.contractBreaches.front();
}

TEST(IECacheWalkTest, LockedEntriesStayEmptyCacheStillClosesAndSilentFailuresEndTheWalk) {
    TFakeUrlCache fake;
    fake.entries = {{"http://a/", cache_entry::kNormal, /*locked=*/true}, {"http://b/", cache_entry::kNormal}};
    TIECache cache(fake);
    cache.RemoveMatchingEntries();
    EXPECT_EQ(fake.deleted, std::vector<std::string>{"http://b/"});
    EXPECT_TRUE(fake.HasEntry("http://a/"));

    fake.entries.clear();
    fake.closed.clear();
    cache.RemoveMatchingEntries();
    EXPECT_EQ(fake.closed, std::vector<UrlCacheHandle>{0});

    // A system that fails without an error code must not make a failure look like an entry.
    fake.failWithoutErrorCode = true;
    fake.entries = {{"http://c/", cache_entry::kNormal, true}};
    cache.RemoveMatchingEntries();
    EXPECT_EQ(cache.BeginEntryWalk(0), 0u);
    EXPECT_NE(cache.ContinueEntryWalk(), 0u);
    EXPECT_NE(cache.RemoveCacheEntry("http://c/"), 0u);
}

TEST(IECacheWalkTest, WithoutWinInetEveryOperationDoesNothingUntilTheLibraryIsFound) {
    TFakeUrlCache fake;
    fake.libraryFound = false;
    fake.entries = {{"http://a/", cache_entry::kNormal}};
    TIECache cache(fake);
    EXPECT_EQ(cache.BeginEntryWalk(0), 2u);
    EXPECT_EQ(cache.ContinueEntryWalk(), 2u);
    EXPECT_EQ(cache.RemoveCacheEntry("http://a/"), 0u);
    cache.RemoveMatchingEntries();
    EXPECT_TRUE(fake.patterns.empty());
    EXPECT_TRUE(fake.closed.empty());
    EXPECT_TRUE(fake.HasEntry("http://a/"));

    fake.libraryFound = true;
    EXPECT_TRUE(cache.LibraryFound());
    int queries = fake.libraryQueries;
    fake.libraryFound = false;
    EXPECT_TRUE(cache.LibraryFound()) << "once found, it stays found";
    EXPECT_EQ(fake.libraryQueries, queries);
    cache.RemoveMatchingEntries();
    EXPECT_FALSE(fake.HasEntry("http://a/"));
}

}  // namespace
}  // namespace tallow
