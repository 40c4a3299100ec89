// The history clean through SQLite on the profile files the real browser wrote
// (tests/fixtures/firefox, see make_firefox_fixture.sh).
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cleaning/PlacesHistory.h"

namespace tallow {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The rows of `sql` on the database at `path`, each row's columns joined by '|'.
Rows Query(const fs::path& path, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    Rows rows;
    sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        rows.push_back(std::string("error: ") + sqlite3_errmsg(db));
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const unsigned char* text = sqlite3_column_text(stmt, i);
            row += (i ? "|" : "") + (text ? std::string(reinterpret_cast<const char*>(text)) : "NULL");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

class PlacesHistoryTest : public ::testing::Test {
  protected:
    fs::path places, favicons;
    TSqlitePlacesHistory history;

    void SetUp() override {
        const char* tmp = std::getenv("TALLOW_TEST_TMP");
        const char* source = std::getenv("TALLOW_SOURCE_DIR");
        ASSERT_TRUE(tmp && source);
        const fs::path dir = fs::path(tmp) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        places = dir / "places.sqlite";
        favicons = dir / "favicons.sqlite";
        for (const fs::path& file : {places, favicons})
            fs::copy_file(fs::path(source) / "tests/fixtures/firefox" / file.filename(), file);
    }

    TPlacesResult Clear() { return history.ClearHistory(places.string(), favicons.string()); }
};

constexpr const char* kBookmarks = "SELECT id, type, fk, parent, position, title, guid FROM moz_bookmarks";
constexpr const char* kBookmarked = "(SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL)";

TEST_F(PlacesHistoryTest, VisitsGoBookmarksStayAndNoByteKeepsAnAddressOnlyVisited) {
    const Rows bookmarks = Query(places, kBookmarks);
    const std::string unbookmarked = std::string(" FROM moz_places WHERE id NOT IN ") + kBookmarked;
    const Rows kept = Query(places, std::string("SELECT url FROM moz_places WHERE id IN ") + kBookmarked);
    const Rows gone =
        Query(places, "SELECT url" + unbookmarked + " UNION ALL SELECT title" + unbookmarked + " AND title <> ''");
    Rows keptIcons;
    for (const std::string& url : Query(favicons, "SELECT page_url FROM moz_pages_w_icons"))
        if (std::find(kept.begin(), kept.end(), url) != kept.end())
            keptIcons.push_back(url);
    // The fixture holds what the test is about: visits, pages only visited (their
    // addresses readable in the file), icons of both kinds and a download's notes.
    ASSERT_GT(Query(places, "SELECT count(*) FROM moz_historyvisits"), Rows{"0"});
    ASSERT_GE(gone.size(), 10u);
    ASSERT_GE(keptIcons.size(), 2u);
    ASSERT_EQ(Query(places, "SELECT count(*) FROM moz_annos"), Rows{"2"});
    const std::string before = ReadBytes(places) + ReadBytes(favicons);
    for (const std::string& text : gone)
        ASSERT_NE(before.find(text), std::string::npos) << text;

    // A count runs the clean's statements and rolls them back: no byte changes.
    const Rows visits = Query(places, "SELECT count(*) FROM moz_historyvisits");
    const Rows visitedOnly = Query(places, "SELECT count(*)" + unbookmarked);
    const TPlacesResult counted = history.CountHistory(places.string(), favicons.string());
    EXPECT_EQ(counted.outcome, TPlacesOutcome::kCleaned) << counted.detail;
    EXPECT_GE(counted.rows, std::stoull(visits[0]) + std::stoull(visitedOnly[0]));
    EXPECT_TRUE(ReadBytes(places) + ReadBytes(favicons) == before);

    TPlacesResult result = Clear();
    EXPECT_EQ(result.outcome, TPlacesOutcome::kCleaned) << result.detail;
    EXPECT_EQ(result.detail, "");
    EXPECT_EQ(result.rows, counted.rows);

    EXPECT_EQ(Query(places, kBookmarks), bookmarks);
    EXPECT_EQ(Query(places, "SELECT url FROM moz_places"), kept);
    EXPECT_EQ(Query(places, "SELECT count(*) FROM moz_historyvisits"), Rows{"0"});
    EXPECT_EQ(Query(places, "SELECT DISTINCT visit_count, last_visit_date, frecency FROM moz_places"),
              Rows{"0|NULL|-1"});
    EXPECT_EQ(Query(places, "SELECT count(*) FROM moz_annos"), Rows{"0"}) << "the download's notes were orphaned";
    EXPECT_EQ(Query(places, "SELECT count(*) FROM moz_origins WHERE id NOT IN (SELECT origin_id FROM moz_places)"),
              Rows{"0"});
    EXPECT_EQ(Query(places, "SELECT count(*) FROM moz_origins WHERE host LIKE 'localhost:%'"), Rows{"0"});
    EXPECT_EQ(Query(favicons, "SELECT page_url FROM moz_pages_w_icons"), keptIcons);
    EXPECT_EQ(Query(favicons,
                    "SELECT count(*) FROM moz_icons WHERE icon_url LIKE '%/icons/alpha.png' OR icon_url "
                    "LIKE '%/icons/beta.png'"),
              Rows{"0"});
    EXPECT_EQ(Query(favicons,
                    "SELECT count(*) FROM moz_icons WHERE icon_url LIKE '%/icons/bookmarked.png' OR "
                    "(root = 1 AND icon_url LIKE 'http://127.0.0.1:%')"),
              Rows{"2"})
        << "the bookmarked page's icon and its site's root icon stay";
    for (const fs::path& file : {places, favicons}) {
        EXPECT_EQ(Query(file, "PRAGMA integrity_check"), Rows{"ok"}) << file;
        EXPECT_FALSE(fs::exists(file.string() + "-wal") && fs::file_size(file.string() + "-wal") > 0) << file;
    }
    const std::string after = ReadBytes(places) + ReadBytes(favicons);
    for (const std::string& text : gone)
        EXPECT_EQ(after.find(text), std::string::npos) << text;
    for (const std::string& url : kept)
        EXPECT_NE(after.find(url), std::string::npos) << url;

    EXPECT_EQ(history.CountHistory(places.string(), favicons.string()).rows, 0u);
    EXPECT_EQ(Clear().outcome, TPlacesOutcome::kCleaned) << "a second clean finds nothing and fails nothing";
    EXPECT_EQ(Query(places, kBookmarks), bookmarks);
}

// A file the clean cannot read as places, or cannot have to itself, keeps every byte.
TEST_F(PlacesHistoryTest, WhatIsNoPlacesDatabaseOrIsHeldStaysByteForByte) {
    const std::string fixture = ReadBytes(places);
    const struct {
        const char* name;
        std::string bytes;
        bool held;
        TPlacesOutcome outcome;
    } cases[] = {
        {"garbage", std::string(40000, 'x') + "moz_places", false, TPlacesOutcome::kNotADatabase},
        {"header overwritten", "Not a database!" + fixture.substr(15), false, TPlacesOutcome::kNotADatabase},
        {"another database", ReadBytes(favicons), false, TPlacesOutcome::kNotPlaces},
        {"held by the browser", fixture, true, TPlacesOutcome::kLocked},
    };
    for (const auto& c : cases) {
        WriteBytes(places, c.bytes);
        sqlite3* holder = nullptr;
        if (c.held) {
            // The browser keeps its database in exclusive locking mode while it runs.
            ASSERT_EQ(sqlite3_open_v2(places.string().c_str(), &holder, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
            ASSERT_EQ(
                sqlite3_exec(holder, "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE", nullptr, nullptr, nullptr),
                SQLITE_OK);
        }
        // Opening such a file as a database would play back a journal beside it.
        const fs::path journal = places.string() + "-journal";
        fs::remove(journal);
        const bool noDatabase = c.outcome == TPlacesOutcome::kNotADatabase;
        if (noDatabase)
            WriteBytes(journal, "a journal that is no journal");
        const std::string iconsBefore = ReadBytes(favicons);

        EXPECT_EQ(history.CountHistory(places.string(), favicons.string()).outcome, c.outcome) << c.name;
        TPlacesResult result = Clear();
        EXPECT_EQ(result.outcome, c.outcome) << c.name << ": " << result.detail;
        EXPECT_FALSE(result.detail.empty()) << c.name;
        EXPECT_TRUE(ReadBytes(places) == c.bytes) << c.name;
        EXPECT_TRUE(ReadBytes(favicons) == iconsBefore) << c.name;
        if (noDatabase) {
            EXPECT_EQ(ReadBytes(journal), "a journal that is no journal") << c.name;
        }
        sqlite3_close(holder);
    }
}

}  // namespace
}  // namespace tallow
