// File-system operations the framework needs, in the system's ANSI code page.
#pragma once

#include <optional>
#include <string>

namespace tallow {

class IFiles {
public:
    virtual ~IFiles() = default;
    /// Whole content of a file; nothing when it cannot be opened or read.
    virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;
    /// Creates or truncates `path`, writes `content` and flushes it to disk.
    /// False on any failure; the file may then hold part of the content.
    virtual bool WriteFile(const std::string& path, const std::string& content) = 0;
    /// Moves `from` over `to`, replacing `to` when it exists, in one step
    /// (MoveFileEx with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
    virtual bool MoveReplacing(const std::string& from, const std::string& to) = 0;
    /// Deletes a file; false when it did not exist or cannot be deleted.
    virtual bool RemoveFile(const std::string& path) = 0;
    /// True when `path` names an existing file or folder.
    virtual bool Exists(const std::string& path) const = 0;
    /// Creates `folder` with all missing parents; true when it exists afterwards.
    virtual bool CreateFolders(const std::string& folder) = 0;
    /// The long form of an existing path (GetLongPathNameA); empty when that fails.
    virtual std::string LongPathName(const std::string& path) const = 0;
    /// Creation time of a file or folder as a day count since 1899-12-30, taken
    /// as stored (no conversion to local time); nothing when it cannot be read.
    virtual std::optional<double> CreationTime(const std::string& path) const = 0;
};

}  // namespace tallow
