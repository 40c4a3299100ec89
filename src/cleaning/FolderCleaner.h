// Emptying a folder tree: `DeleteFolderContents`.
#pragma once

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
    /// ignored and the walk goes on; the folder itself stays. A directory link
    /// (junction, symbolic link, any reparse point) is removed as a link, and what it
    /// points to stays untouched. A folder that `MayEmpty` refuses is left alone.
    /// Always true once the walk is done.
    bool DeleteFolderContents(const std::string& folder, bool recursive);

    /// Whether `folder` may be emptied at all (see PathGuard.h): its full long form
    /// is compared with the Windows folder and the user's profile folder.
    bool MayEmpty(const std::string& folder);

private:
    void EmptyTree(const std::string& folder, bool recursive);
    std::vector<std::string> ProtectedFolders();

    IFileTree& files_;
    ISystemFolders& system_;
};

/// `folder` with exactly one trailing backslash added when it has none.
std::string WithTrailingBackslash(const std::string& folder);

}  // namespace tallow
