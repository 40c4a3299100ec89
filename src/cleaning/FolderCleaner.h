// Emptying a folder tree: `DeleteFolderContents`.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileTree.h"
#include "platform/SystemFolders.h"

namespace tallow {

class TFolderCleaner {
  public:
    TFolderCleaner(IFileTree& files, ISystemFolders& systemFolders) : files_(files), system_(systemFolders) {}

    /// Deletes every entry of `folder` (with `recursive`, the contents of every
    /// subfolder and then the emptied subfolder too). Failed single deletions are
    /// ignored and the walk goes on; the folder itself stays. A link (junction,
    /// symbolic link, any reparse point) inside is removed as a link and never
    /// entered; what it points to stays untouched. Listed names that are no plain
    /// names of the folder (see IsSafeChildName) are skipped. A folder that
    /// `MayEmpty` refuses is left alone; a listing that fails is reported to the
    /// debug trace. Always true once the walk is done.
    bool DeleteFolderContents(const std::string& folder, bool recursive);

    /// Whether `folder` may be emptied (see PathGuard.h): the folder it reaches, the
    /// target when it is a link, is judged by its final path.
    bool MayEmpty(const std::string& folder);

  private:
    /// The folder `folder` reaches, opened, and its final path; 0 when it is refused.
    FolderHandle OpenChecked(const std::string& folder, std::wstring& finalPath);
    void EmptyTree(FolderHandle folder, const std::wstring& finalPath, bool recursive);
    void EmptyChildFolder(FolderHandle parent, const std::wstring& parentPath, const std::wstring& name);
    std::vector<std::wstring> ProtectedFolders();

    IFileTree& files_;
    ISystemFolders& system_;
};

/// `folder` with exactly one trailing backslash added when it has none.
std::string WithTrailingBackslash(const std::string& folder);

}  // namespace tallow
