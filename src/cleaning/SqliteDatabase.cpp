#include "cleaning/SqliteDatabase.h"

#include <sqlite3.h>

#include <cstring>
#include <vector>

namespace tallow {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// A prepared statement, finalized when it goes.
class TStatement {
  public:
    TStatement(sqlite3* db, const std::string& sql) {
        if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &stmt_, nullptr) != SQLITE_OK)
            stmt_ = nullptr;
    }
    ~TStatement() { sqlite3_finalize(stmt_); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;
    sqlite3_stmt* get() const { return stmt_; }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace

std::string WideToUtf8(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

bool HasDatabaseHeader(const std::string& utf8Path) {
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    if (!vfs)
        return false;
    std::vector<char> storage(vfs->szOsFile);
    auto* file = reinterpret_cast<sqlite3_file*>(storage.data());
    sqlite3_filename name = sqlite3_create_filename(utf8Path.c_str(), "", "", 0, nullptr);
    int outFlags = 0;
    bool header = false;
    if (vfs->xOpen(vfs, name, file, SQLITE_OPEN_READONLY | SQLITE_OPEN_MAIN_DB, &outFlags) == SQLITE_OK) {
        static const char kHeader[16] = "SQLite format 3";  // with its terminating zero
        char bytes[sizeof kHeader] = {};
        header = file->pMethods->xRead(file, bytes, sizeof bytes, 0) == SQLITE_OK &&
                 std::memcmp(bytes, kHeader, sizeof kHeader) == 0;
        file->pMethods->xClose(file);
    }
    sqlite3_free_filename(name);
    return header;
}

TSqliteDatabase::TSqliteDatabase(const std::string& utf8Path, int busyMs) {
    int code = sqlite3_open_v2(utf8Path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (code != SQLITE_OK) {
        Fail(code);
        sqlite3_close(db_);
        db_ = nullptr;
        return;
    }
    sqlite3_extended_result_codes(db_, 0);
    sqlite3_busy_timeout(db_, busyMs);
}

TSqliteDatabase::~TSqliteDatabase() {
    sqlite3_close(db_);  // the last connection: folds the write-ahead log into the file
}

bool TSqliteDatabase::Fail(int code) {
    errorCode_ = code & 0xFF;
    errorMessage_ = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    return false;
}

bool TSqliteDatabase::Execute(const std::string& sql) {
    if (!db_)
        return false;
    int code = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    return code == SQLITE_OK || Fail(code);
}

bool TSqliteDatabase::ExecuteWith(const std::string& sql, const std::string& text) {
    if (!db_)
        return false;
    TStatement statement(db_, sql);
    if (!statement.get())
        return Fail(sqlite3_errcode(db_));
    sqlite3_bind_text(statement.get(), 1, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
    int code = sqlite3_step(statement.get());
    return code == SQLITE_DONE || code == SQLITE_ROW || Fail(code);
}

long long TSqliteDatabase::QueryInteger(const std::string& sql, long long otherwise) {
    if (!db_)
        return otherwise;
    TStatement statement(db_, sql);
    if (!statement.get()) {
        Fail(sqlite3_errcode(db_));
        return otherwise;
    }
    int code = sqlite3_step(statement.get());
    if (code == SQLITE_ROW)
        return sqlite3_column_int64(statement.get(), 0);
    if (code != SQLITE_DONE)
        Fail(code);
    return otherwise;
}

long long TSqliteDatabase::TotalChanges() const {
    return db_ ? sqlite3_total_changes(db_) : 0;
}

bool TSqliteDatabase::HasTable(const std::string& schema, const std::string& table) {
    return QueryInteger(
               "SELECT count(*) FROM \"" + schema + "\".sqlite_master WHERE type = 'table' AND name = '" + table + "'",
               0) > 0;
}

bool TSqliteDatabase::HasColumn(const std::string& table, const std::string& column) {
    return QueryInteger("SELECT count(*) FROM pragma_table_info('" + table + "') WHERE name = '" + column + "'", 0) > 0;
}

}  // namespace tallow
