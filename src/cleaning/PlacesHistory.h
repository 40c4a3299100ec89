// The history inside Firefox's places database, removed row by row so that the
// bookmarks, which the same file holds, stay.
#pragma once

#include <cstdint>
#include <string>

namespace tallow {

enum class TPlacesOutcome {
    kCleaned,       // the history is gone
    kNotADatabase,  // the file does not open as a database: left untouched
    kLocked,        // another program holds the database: left untouched
    kNotPlaces,     // a database without the places tables: left untouched
    kFailed,        // a step failed: every change rolled back
};

struct TPlacesResult {
    TPlacesOutcome outcome = TPlacesOutcome::kFailed;
    /// SQLite's message of the failure, or a note on a cleaned database (an icon
    /// database left as it was, a compaction that failed); empty otherwise.
    std::string detail;
    /// The history rows of the places database removed (counting: that would be).
    std::uint64_t rows = 0;
};

/// The outcome's name for the debug trace ("cleaned", "not a database" ...).
const char* PlacesOutcomeText(TPlacesOutcome outcome);

class IPlacesHistory {
  public:
    virtual ~IPlacesHistory() = default;
    /// Removes the browsing history from the places database at `places` and the icons
    /// of the pages removed from the icon database at `favicons` (empty: none); both
    /// paths UTF-8. Places a bookmark or keyword points to stay, without visits.
    virtual TPlacesResult ClearHistory(const std::string& places, const std::string& favicons) = 0;
    /// What `ClearHistory` would remove, found by its own statements in a transaction
    /// that is rolled back: the outcome it would have and the rows it would remove.
    /// Neither file changes.
    virtual TPlacesResult CountHistory(const std::string& places, const std::string& favicons) = 0;
};

/// The history clean through SQLite: every visit, the places nothing else keeps and
/// what hangs on them go in one transaction; the freed pages are overwritten
/// (secure_delete) and the files compacted (VACUUM).
class TSqlitePlacesHistory : public IPlacesHistory {
  public:
    TPlacesResult ClearHistory(const std::string& places, const std::string& favicons) override;
    TPlacesResult CountHistory(const std::string& places, const std::string& favicons) override;

  private:
    /// The clean; with `commit` false its transaction is rolled back instead.
    TPlacesResult Run(const std::string& places, const std::string& favicons, bool commit);
};

}  // namespace tallow
