// TSqliteDatabase: one connection to an existing SQLite database file, closed by
// its destructor. The cleaners change browser databases through it.
#pragma once

#include <string>

struct sqlite3;

namespace tallow {

/// `text` (UTF-16 where wchar_t has 16 bits, code points where it has 32) as UTF-8,
/// the form SQLite takes file names in; an unpaired surrogate becomes U+FFFD.
std::string WideToUtf8(const std::wstring& text);

/// Whether the file `utf8Path` begins with the header of an SQLite database, read
/// through SQLite's own file layer without opening the file as a database: nothing
/// is written, and no journal of the file is played back.
bool HasDatabaseHeader(const std::string& utf8Path);

class TSqliteDatabase {
  public:
    /// Opens the file `utf8Path` for reading and writing; never creates it. SQLite
    /// reads nothing yet: a file that is no database, or is locked, shows at the first
    /// statement. A locked database is waited for `busyMs` at most.
    TSqliteDatabase(const std::string& utf8Path, int busyMs);
    ~TSqliteDatabase();
    TSqliteDatabase(const TSqliteDatabase&) = delete;
    TSqliteDatabase& operator=(const TSqliteDatabase&) = delete;

    /// Runs `sql` (one or more statements). True on success; otherwise the code and
    /// message of the failure are kept.
    bool Execute(const std::string& sql);
    /// Runs the single statement `sql` with `text` bound to its first parameter.
    bool ExecuteWith(const std::string& sql, const std::string& text);
    /// The first column of the first row of `sql` as an integer; `otherwise` when the
    /// statement fails or yields no row.
    long long QueryInteger(const std::string& sql, long long otherwise);
    /// Whether the schema `schema` ("main", or an attached name) has a table `table`.
    bool HasTable(const std::string& schema, const std::string& table);
    /// Whether `table` of the main schema has the column `column`.
    bool HasColumn(const std::string& table, const std::string& column);

    /// Rows inserted, changed or deleted since the connection opened (triggers included).
    long long TotalChanges() const;

    /// SQLite's primary result code of the last failure (0: none).
    int ErrorCode() const { return errorCode_; }
    const std::string& ErrorMessage() const { return errorMessage_; }

  private:
    bool Fail(int code);

    sqlite3* db_ = nullptr;
    int errorCode_ = 0;
    std::string errorMessage_;
};

}  // namespace tallow
