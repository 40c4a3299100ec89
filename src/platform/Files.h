// File-system operations the framework needs, in the system's ANSI code page.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tallow {

enum class FileReadStatus {
    Read,      // the content is the whole file
    Missing,   // no such file
    TooLarge,  // larger than the limit; nothing was read
    Failed,    // the file exists but could not be read
};

struct TFileRead {
    FileReadStatus status = FileReadStatus::Missing;
    std::string content;
};

/// Held while one writer re-reads and rewrites a file; released when destroyed.
class IFileLock {
  public:
    virtual ~IFileLock() = default;
};

class IFiles {
  public:
    virtual ~IFiles() = default;
    /// Whole content of a file; nothing when it cannot be opened or read.
    /// Only regular files on disk are read: a folder or a device (a serial
    /// port, a pipe, the console) is never read from, so no read can block.
    virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;
    /// The content of a file of at most `limit` bytes, its size checked before
    /// anything is read; like ReadFile, only regular files on disk (anything
    /// else is Failed). Readers let writers replace or delete the file while it
    /// is open.
    virtual TFileRead ReadFileUpTo(const std::string& path, std::size_t limit) const;
    /// Creates or truncates `path`, writes `content` and flushes it to disk.
    /// False on any failure; the file may then hold part of the content.
    virtual bool WriteFile(const std::string& path, const std::string& content) = 0;
    /// Moves `from` over `to`, replacing `to` when it exists, in one step
    /// (MoveFileEx with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    /// a replace refused because a reader holds `to` is retried for a moment.
    virtual bool MoveReplacing(const std::string& from, const std::string& to) = 0;
    /// Deletes a file; false when it did not exist or cannot be deleted.
    virtual bool RemoveFile(const std::string& path) = 0;
    /// Clears a left-over file even when it is read-only, or an empty folder of
    /// that name; true when nothing of that name exists afterwards.
    virtual bool RemoveLeftOver(const std::string& path);
    /// True when `path` names an existing file or folder.
    virtual bool Exists(const std::string& path) const = 0;
    /// Creates `folder` with all missing parents; true when it exists afterwards.
    virtual bool CreateFolders(const std::string& folder) = 0;
    /// The long form of an existing path (GetLongPathNameA); empty when that fails.
    virtual std::string LongPathName(const std::string& path) const = 0;
    /// Creation time of a file or folder as a day count since 1899-12-30, taken
    /// as stored (no conversion to local time); nothing when it cannot be read
    /// or names no date.
    virtual std::optional<double> CreationTime(const std::string& path) const = 0;
    /// Waits a moment for exclusive use of the lock file `path` (shared by all
    /// processes and threads) and holds it; nullptr when it stayed taken.
    virtual std::unique_ptr<IFileLock> LockFile(const std::string& path);
    /// UTF-16 text in the ANSI code page; characters the code page lacks become '?'.
    virtual std::string WideToAnsi(std::u16string_view text) const;
};

/// True when `name` names a file within one folder and nothing else: not empty,
/// not "." or "..", without `\ / :`, control characters or the characters no
/// file name can hold (`< > " | ? *`), not ending in a dot or a space, and no
/// device name (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-COM9, LPT0-LPT9 and
/// the superscript-digit forms), with or without an extension, in any letter case.
bool IsBareFileName(std::string_view name);

/// True when `folder` names a folder below a base folder: one or more bare file
/// names joined by `\` or `/` (a single separator may end it). A drive, a
/// leading separator (a root or a share) and a ".." part are refused.
bool IsRelativeSubfolder(std::string_view folder);

/// A file time (100 ns units since 1601-01-01) as a day count since
/// 1899-12-30; nothing for the zero time ("not set") and for times that name
/// no calendar date.
std::optional<double> FileTimeToDays(std::uint64_t fileTime);

}  // namespace tallow
