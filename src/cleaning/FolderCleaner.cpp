#include "cleaning/FolderCleaner.h"

#include "cleaning/PathGuard.h"

namespace tallow {

std::string WithTrailingBackslash(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder;
    return folder + "\\";
}

bool TFolderCleaner::DeleteFolderContents(const std::string& folder, bool recursive) {
    if (MayEmpty(folder))
        EmptyTree(WithTrailingBackslash(folder), recursive);
    return true;
}

bool TFolderCleaner::MayEmpty(const std::string& folder) {
    // A relative path is refused before it is resolved against the current folder.
    if (!IsAbsolutePath(folder))
        return false;
    return MayEmptyFolder(files_.FullLongPath(folder), ProtectedFolders());
}

std::vector<std::string> TFolderCleaner::ProtectedFolders() {
    std::vector<std::string> folders;
    for (const std::string& folder : {system_.WindowsFolder(), system_.ProfileFolder()}) {
        if (!folder.empty())
            folders.push_back(files_.FullLongPath(folder));
    }
    return folders;
}

void TFolderCleaner::EmptyTree(const std::string& folder, bool recursive) {
    for (const TFileEntry& entry : files_.ListEntries(folder)) {
        if (entry.name.empty() || entry.name == "." || entry.name == "..")
            continue;
        const std::string path = folder + entry.name;
        const bool isDirectory = (entry.attributes & file_attr::kDirectory) != 0;
        if (isDirectory && !recursive)
            continue;
        if (entry.attributes & file_attr::kReparsePoint) {
            files_.RemoveLink(path);  // never entered, and its target never touched
        } else if (isDirectory) {
            EmptyTree(path + "\\", recursive);
            files_.RemoveDirectory(path);
        } else {
            files_.DeleteFile(path);
        }
    }
}

}  // namespace tallow
