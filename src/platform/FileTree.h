// The file tree the cleaners work on: a walk by open folder handles for emptying a
// folder, and a few single operations by path.
//
// Names from a listing are data, not paths: the walk opens, deletes and removes each
// child relative to the handle of the folder that listed it, and never by joining a
// name into a path. Names are wide (UTF-16 on Windows): the system's ANSI functions
// map some Unicode characters to '\', '.', '/' or ':' ("best fit"), which would turn
// a name inside a folder into a path out of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallow {

/// Windows file attribute bits as the system lists them.
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
    std::uint64_t size = 0;    // in bytes, as the listing gives it; 0 for a folder
};

struct TWideEntry {
    std::wstring name;         // the entry's own name, no folder
    std::uint32_t attributes;  // file_attr bits
    std::uint64_t size = 0;    // in bytes, as the listing gives it; 0 for a folder
};

/// An open folder of the file tree; 0 is none. Every handle a call returns is
/// closed with `CloseFolder`.
using FolderHandle = std::uintptr_t;

/// How `OpenChild` found a child.
enum class TChildKind {
    kFolder,  // a plain folder, now open
    kLink,    // a link (junction, symbolic link, any reparse point): not opened
    kFailed,  // gone, in use, not a folder or not opened for another reason
};

/// True when `name` can only name an entry of the folder that listed it: not empty,
/// not "." or "..", and free of \ / : * ? " < > | and control characters.
inline bool IsSafeChildName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..")
        return false;
    for (wchar_t c : name) {
        if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return false;
    }
    return true;
}

class IFileTree {
  public:
    virtual ~IFileTree() = default;

    //--- By path (ANSI text, as settings and the system's ANSI answers give paths)

    /// The entries of `folder` (ends in a backslash) whose names the ANSI code page
    /// holds exactly and that pass `IsSafeChildName`; never "." or "..". Empty when
    /// the folder cannot be listed.
    virtual std::vector<TFileEntry> ListEntries(const std::string& folder) = 0;
    /// Deletes one file.
    virtual bool DeleteFile(const std::string& path) = 0;
    /// The attributes of `path`; nothing when it does not exist.
    virtual std::optional<std::uint32_t> Attributes(const std::string& path) = 0;
    /// The size in bytes of the file `path`; nothing when it does not exist.
    virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
    /// True when another program holds the file `path` open without sharing it: an
    /// open for exclusive access fails with a sharing violation. False when the file
    /// is missing or opens (it is closed again at once).
    virtual bool IsHeldOpen(const std::string& path) = 0;

    //--- By handle (the walk that empties a folder)

    /// `path` converted from the ANSI code page, once, at the boundary of the system.
    virtual std::wstring WidePath(const std::string& path) = 0;
    /// Opens the folder that `path` (absolute) reaches, following links; 0 when it
    /// cannot be opened or is no folder.
    virtual FolderHandle OpenFolder(const std::wstring& path) = 0;
    /// The final path of the open `folder`, as the system resolves it
    /// (GetFinalPathNameByHandle); nothing when it cannot be established.
    virtual std::optional<std::wstring> FinalPath(FolderHandle folder) = 0;
    /// Every entry of the open `folder` except "." and ".."; nothing when the listing
    /// failed (which is not an empty folder).
    virtual std::optional<std::vector<TWideEntry>> List(FolderHandle folder) = 0;
    /// Opens the child `name` of `parent` without following a link, for listing and
    /// later removal; `child` is set for kFolder only. The kind comes from the open
    /// handle, not from a listing. A system that ignores the request not to follow a
    /// link (Wine does) answers kFolder with the target opened: callers compare the
    /// child's final path with the parent's.
    virtual TChildKind OpenChild(FolderHandle parent, const std::wstring& name, FolderHandle& child) = 0;
    /// Deletes the file `name` of `parent`; a link in its place is deleted itself,
    /// never its target.
    virtual bool DeleteChildFile(FolderHandle parent, const std::wstring& name) = 0;
    /// Removes the link `name` of `parent` itself, never what it points to: where the
    /// system cannot open the link itself, the link stays and the result is false.
    virtual bool RemoveChildLink(FolderHandle parent, const std::wstring& name) = 0;
    /// Closes `folder`; with `remove`, removes it first when it is empty (a folder
    /// that `OpenChild` opened; the result tells whether it went).
    virtual bool CloseFolder(FolderHandle folder, bool remove) = 0;
};

}  // namespace tallow
