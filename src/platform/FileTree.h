// Folder listing and single deletions for the folder cleaner.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tallow {

/// Windows file attribute bits as FindFirstFile reports them.
namespace file_attr {
constexpr std::uint32_t kReadOnly = 0x1;
constexpr std::uint32_t kHidden = 0x2;
constexpr std::uint32_t kSystem = 0x4;
constexpr std::uint32_t kDirectory = 0x10;
constexpr std::uint32_t kArchive = 0x20;
constexpr std::uint32_t kReparsePoint = 0x400;
}  // namespace file_attr

struct TFileEntry {
    std::string name;          // the entry's own name, no folder
    std::uint32_t attributes;  // file_attr bits
};

class IFileTree {
public:
    virtual ~IFileTree() = default;
    /// Every entry of `folder` (pattern "*.*", any attributes), "." and ".." included
    /// when the system lists them; empty when the folder cannot be listed.
    /// `folder` ends in a backslash.
    virtual std::vector<TFileEntry> ListEntries(const std::string& folder) = 0;
    /// Deletes one file.
    virtual bool DeleteFile(const std::string& path) = 0;
    /// Removes an empty folder. Not for links: some systems remove a link's target.
    virtual bool RemoveDirectory(const std::string& path) = 0;
    /// Removes the link (junction, symbolic link, any reparse point) `path` itself,
    /// never what it points to: where the system cannot open the link itself, the
    /// link stays and the result is false.
    virtual bool RemoveLink(const std::string& path) = 0;
    /// The attributes of `path`; nothing when it does not exist.
    virtual std::optional<std::uint32_t> Attributes(const std::string& path) = 0;
    /// The full, long form of `path` (GetFullPathName, then GetLongPathName where the
    /// path exists); `path` unchanged when the system cannot resolve it.
    virtual std::string FullLongPath(const std::string& path) = 0;
};

/// The Win32 file tree (Windows trees only).
IFileTree& RealFileTree();

}  // namespace tallow
