// A file tree over another that counts the files a clean removes, or in preview
// would remove, with the sizes its listings gave.
#pragma once

#include <map>
#include <vector>

#include "cleaning/Tallying.h"
#include "platform/FileTree.h"

namespace tallow {

/// Every call but the deleting ones goes to `inner` as it is. In preview no file,
/// link or folder is deleted: a deletion answers whether it would be tried with
/// success (a read-only file would not go) and counts it; a folder is closed without
/// being removed. In a clean the deletions go through, and only those that succeed
/// are counted. Files are counted with the size the folder's last listing gave
/// (by path: the file's size), links as entries without size; folders are not counted.
class TTallyingFileTree : public IFileTree {
  public:
    TTallyingFileTree(IFileTree& inner, TTallyMode mode, TItemTally& tally)
        : inner_(inner), mode_(mode), tally_(tally) {}

    std::vector<TFileEntry> ListEntries(const std::string& folder) override { return inner_.ListEntries(folder); }
    bool DeleteFile(const std::string& path) override;
    std::optional<std::uint32_t> Attributes(const std::string& path) override { return inner_.Attributes(path); }
    std::optional<std::uint64_t> FileSize(const std::string& path) override { return inner_.FileSize(path); }
    bool IsHeldOpen(const std::string& path) override { return inner_.IsHeldOpen(path); }
    std::wstring WidePath(const std::string& path) override { return inner_.WidePath(path); }
    FolderHandle OpenFolder(const std::wstring& path) override { return inner_.OpenFolder(path); }
    std::optional<std::wstring> FinalPath(FolderHandle folder) override { return inner_.FinalPath(folder); }
    std::optional<std::vector<TWideEntry>> List(FolderHandle folder) override;
    TChildKind OpenChild(FolderHandle parent, const std::wstring& name, FolderHandle& child) override {
        return inner_.OpenChild(parent, name, child);
    }
    bool DeleteChildFile(FolderHandle parent, const std::wstring& name) override;
    bool RemoveChildLink(FolderHandle parent, const std::wstring& name) override;
    bool CloseFolder(FolderHandle folder, bool remove) override;

  private:
    /// A folder's last listing; walks delete in listing order, so the search for
    /// an entry starts after the last one found.
    struct TListing {
        std::vector<TWideEntry> entries;
        std::size_t next = 0;
    };
    /// The entry `name` of the last listing of `folder`; nullptr when not listed.
    const TWideEntry* Listed(FolderHandle folder, const std::wstring& name);

    IFileTree& inner_;
    TTallyMode mode_;
    TItemTally& tally_;
    std::map<FolderHandle, TListing> listings_;
};

}  // namespace tallow
