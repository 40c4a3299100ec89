// The plain walk that deletes cookie, history and normal entries, and its trace lines.
#include <gtest/gtest.h>

#include "CleaningFakes.h"
#include "cleaning/uCC.h"
#include "diagnostics/TraceSender.h"
#include "fakes/TraceCapture.h"

namespace tallow {
namespace {

const std::string kRule(51, '=');

class PurgeUrlCacheTest : public ::testing::Test {
  protected:
    TCleaningFakes fakes;
    TCleaners cleaners{fakes.Platform(), fakes.settings};

    std::vector<std::string> PurgeAndTrace() {
        DebugTrace().Enabled = true;
        ScopedTraceCapture capture;
        cleaners.PurgeUrlCache();
        std::vector<std::string> lines;
        for (const auto& line : capture.lines)
            lines.push_back(line.text);
        return lines;
    }
};

TEST_F(PurgeUrlCacheTest, OneEntryTracesEveryStepInOrder) {
    fakes.urlCache.entries = {{"http://visited.example/page", cache_entry::kNormal}};
    EXPECT_EQ(PurgeAndTrace(), (std::vector<std::string>{"FindFirstUrlCacheEntry", "GetMem", "FindFirstUrlCacheEntry",
                                                         kRule, "Delete --- http://visited.example/page", "Repeat",
                                                         "FreeMem", "FindNextUrlCacheEntry", "GetMem", "repeat end",
                                                         "FreeMem", "FindCloseUrlCache"}));
    EXPECT_TRUE(fakes.urlCache.entries.empty());
    EXPECT_EQ(fakes.urlCache.closed.size(), 1u);
    EXPECT_NE(fakes.urlCache.closed[0], 0u);
}

TEST_F(PurgeUrlCacheTest, DeletesCookieHistoryAndNormalEntriesAndTracesEveryEntry) {
    fakes.urlCache.entries = {{"http://n/", cache_entry::kNormal},
                              {"Cookie:me@c/", cache_entry::kCookie},
                              {"Visited: me@h/", cache_entry::kUrlHistory},
                              {"http://sticky/", cache_entry::kSticky},
                              {"http://locked/", cache_entry::kNormal, /*locked=*/true},
                              {"http://sticky-normal/", cache_entry::kSticky | cache_entry::kNormal}};
    std::vector<std::string> lines = PurgeAndTrace();

    EXPECT_EQ(fakes.urlCache.deleted,
              (std::vector<std::string>{"http://n/", "Cookie:me@c/", "Visited: me@h/", "http://sticky-normal/"}));
    EXPECT_TRUE(fakes.urlCache.HasEntry("http://sticky/"));
    EXPECT_TRUE(fakes.urlCache.HasEntry("http://locked/"));
    std::vector<std::string> deleteLines;
    for (const std::string& line : lines) {
        if (line.rfind("Delete --- ", 0) == 0)
            deleteLines.push_back(line.substr(11));
    }
    EXPECT_EQ(deleteLines, (std::vector<std::string>{"http://n/", "Cookie:me@c/", "Visited: me@h/", "http://sticky/",
                                                     "http://locked/", "http://sticky-normal/"}));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kRule), 6);
    EXPECT_EQ(fakes.urlCache.closed.size(), 1u);
    EXPECT_TRUE(fakes.urlCache.contractBreaches.empty()) << fakes.urlCache.contractBreaches.front();
}

TEST_F(PurgeUrlCacheTest, EmptyCacheWritesOnlyTheClosingLines) {
    EXPECT_EQ(PurgeAndTrace(), (std::vector<std::string>{"FindFirstUrlCacheEntry", "GetMem", "FindFirstUrlCacheEntry",
                                                         "repeat end", "FreeMem", "FindCloseUrlCache"}));
    EXPECT_EQ(fakes.urlCache.closed, std::vector<UrlCacheHandle>{0});
}

}  // namespace
}  // namespace tallow
