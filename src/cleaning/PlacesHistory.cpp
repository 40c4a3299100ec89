#include "cleaning/PlacesHistory.h"

#include <sqlite3.h>

#include "cleaning/SqliteDatabase.h"

namespace tallow {
namespace {

// A running browser holds the database for as long as it runs: waiting longer
// would only delay the answer.
constexpr int kBusyMs = 300;

// The places a bookmark or a keyword points to: they stay, everything else goes.
constexpr const char* kKeptPlaces =
    "SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL"
    " UNION SELECT place_id FROM moz_keywords WHERE place_id IS NOT NULL";

struct TStep {
    const char* table;  // the step runs only when the main schema has this table
    const char* sql;
};

// In this order: visits and what records them, the places nobody keeps, then the
// rows that pointed to those places. Tables differ between browser versions.
const TStep kHistorySteps[] = {
    {"moz_historyvisits", "DELETE FROM moz_historyvisits"},
    {"moz_historyvisits_extra", "DELETE FROM moz_historyvisits_extra"},
    {"moz_places_metadata", "DELETE FROM moz_places_metadata"},
    {"moz_places_metadata_search_queries", "DELETE FROM moz_places_metadata_search_queries"},
    {"moz_newtab_shortcuts_interaction", "DELETE FROM moz_newtab_shortcuts_interaction"},
    {"moz_annos", "DELETE FROM moz_annos WHERE place_id NOT IN (SELECT id FROM moz_places)"},
    {"moz_inputhistory", "DELETE FROM moz_inputhistory WHERE place_id NOT IN (SELECT id FROM moz_places)"},
    {"moz_places_extra", "DELETE FROM moz_places_extra WHERE place_id NOT IN (SELECT id FROM moz_places)"},
    {"moz_origins",
     "DELETE FROM moz_origins WHERE id NOT IN (SELECT origin_id FROM moz_places"
     " WHERE origin_id IS NOT NULL)"},
};

// The icons of pages that are no longer places; an icon of a site's root (its
// favicon.ico) goes with the last place of its origin.
const char* const kIconSteps[] = {
    "DELETE FROM favicons.moz_pages_w_icons WHERE page_url NOT IN (SELECT url FROM main.moz_places"
    " WHERE url IS NOT NULL)",
    "DELETE FROM favicons.moz_icons_to_pages WHERE page_id NOT IN (SELECT id FROM favicons.moz_pages_w_icons)",
    "DELETE FROM favicons.moz_icons WHERE id NOT IN (SELECT icon_id FROM favicons.moz_icons_to_pages)"
    " AND (root = 0 OR NOT EXISTS (SELECT 1 FROM main.moz_origins o"
    " WHERE substr(icon_url, 1, length(o.prefix || o.host) + 1) = o.prefix || o.host || '/'))",
};
const char* const kIconStepsWithoutOrigins =
    "DELETE FROM favicons.moz_icons WHERE id NOT IN (SELECT icon_id FROM favicons.moz_icons_to_pages)";

TPlacesResult Result(TPlacesOutcome outcome, const std::string& detail = std::string(), std::uint64_t rows = 0) {
    return TPlacesResult{outcome, detail, rows};
}

// What the first read of a database tells about it.
TPlacesOutcome OutcomeOfFirstRead(int code) {
    switch (code) {
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            return TPlacesOutcome::kNotADatabase;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return TPlacesOutcome::kLocked;
        default:
            return TPlacesOutcome::kFailed;
    }
}

// The bookmarked places left: no visit, no last visit, their frecency to be
// computed again by the browser.
std::string ResetKeptPlacesSql(TSqliteDatabase& db) {
    std::string sql = "UPDATE moz_places SET visit_count = 0, last_visit_date = NULL, frecency = -1";
    if (db.HasColumn("moz_places", "recalc_frecency"))
        sql += ", recalc_frecency = 1";
    return sql;
}

// The deletions, whose rows are counted in `rows`, then the reset of the places kept.
bool RunHistorySteps(TSqliteDatabase& db, std::uint64_t& rows) {
    const long long before = db.TotalChanges();
    if (!db.Execute(
            std::string("DELETE FROM moz_places WHERE id NOT IN (") +
            (db.HasTable("main", "moz_keywords") ? kKeptPlaces : "SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL") +
            ")"))
        return false;
    for (const TStep& step : kHistorySteps) {
        if (db.HasTable("main", step.table) && !db.Execute(step.sql))
            return false;
    }
    rows = static_cast<std::uint64_t>(db.TotalChanges() - before);
    return db.Execute(ResetKeptPlacesSql(db));
}

bool RunIconSteps(TSqliteDatabase& db) {
    bool origins = db.HasTable("main", "moz_origins");
    for (const char* sql : kIconSteps) {
        if (!origins && sql == kIconSteps[2])
            sql = kIconStepsWithoutOrigins;
        if (!db.Execute(sql))
            return false;
    }
    return true;
}

// Attaches the icon database when it is one with the icon tables; false (and
// detached) otherwise, with the reason in `note`.
bool AttachIcons(TSqliteDatabase& db, const std::string& favicons, std::string& note) {
    if (favicons.empty())
        return false;
    if (!db.ExecuteWith("ATTACH DATABASE ?1 AS favicons", favicons)) {
        note = "favicons.sqlite left as it is: " + db.ErrorMessage();
        return false;
    }
    for (const char* table : {"moz_icons", "moz_pages_w_icons", "moz_icons_to_pages"}) {
        if (!db.HasTable("favicons", table)) {
            note = "favicons.sqlite left as it is: " +
                   (db.ErrorCode() ? db.ErrorMessage() : std::string("no table ") + table);
            db.Execute("DETACH DATABASE favicons");
            return false;
        }
    }
    return true;
}

}  // namespace

const char* PlacesOutcomeText(TPlacesOutcome outcome) {
    switch (outcome) {
        case TPlacesOutcome::kCleaned:
            return "cleaned";
        case TPlacesOutcome::kNotADatabase:
            return "not a database";
        case TPlacesOutcome::kLocked:
            return "locked";
        case TPlacesOutcome::kNotPlaces:
            return "no places tables";
        case TPlacesOutcome::kFailed:
            break;
    }
    return "failed";
}

TPlacesResult TSqlitePlacesHistory::ClearHistory(const std::string& places, const std::string& favicons) {
    return Run(places, favicons, true);
}

TPlacesResult TSqlitePlacesHistory::CountHistory(const std::string& places, const std::string& favicons) {
    return Run(places, favicons, false);
}

TPlacesResult TSqlitePlacesHistory::Run(const std::string& places, const std::string& favicons, bool commit) {
    // Opening a file as a database plays back a journal beside it: a file that is no
    // database is judged before, so that nothing of it or beside it changes.
    if (!HasDatabaseHeader(places))
        return Result(TPlacesOutcome::kNotADatabase, "no database header");
    TSqliteDatabase db(places, kBusyMs);
    // The first read: a file that is no database, or a database another program
    // holds, fails here, before anything is written.
    if (db.QueryInteger("SELECT count(*) FROM sqlite_master", -1) < 0)
        return Result(OutcomeOfFirstRead(db.ErrorCode()), db.ErrorMessage());
    for (const char* table : {"moz_places", "moz_historyvisits", "moz_bookmarks"}) {
        if (!db.HasTable("main", table))
            return Result(TPlacesOutcome::kNotPlaces, std::string("no table ") + table);
    }
    std::string note;
    // Deleted rows are overwritten with zeros, in this database and in those attached.
    db.Execute("PRAGMA secure_delete = ON");
    bool icons = AttachIcons(db, favicons, note);
    if (!db.Execute("BEGIN IMMEDIATE"))
        return Result(OutcomeOfFirstRead(db.ErrorCode()), db.ErrorMessage());
    std::uint64_t rows = 0;
    if (!RunHistorySteps(db, rows) || (icons && !RunIconSteps(db))) {
        std::string message = db.ErrorMessage();
        db.Execute("ROLLBACK");
        return Result(TPlacesOutcome::kFailed, message);
    }
    if (!commit) {
        db.Execute("ROLLBACK");
        return Result(TPlacesOutcome::kCleaned, note, rows);
    }
    if (!db.Execute("COMMIT")) {
        std::string message = db.ErrorMessage();
        db.Execute("ROLLBACK");
        return Result(TPlacesOutcome::kFailed, message);
    }
    // Compacting drops the freed pages, so the file keeps nothing of the rows.
    if (!db.Execute("VACUUM main") || (icons && !db.Execute("VACUUM favicons")))
        note += (note.empty() ? "" : "; ") + std::string("not compacted: ") + db.ErrorMessage();
    return Result(TPlacesOutcome::kCleaned, note, rows);
}

}  // namespace tallow
