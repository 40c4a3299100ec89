#include "cleaning/FolderCleaner.h"

#include "cleaning/PathGuard.h"
#include "diagnostics/TraceSender.h"

namespace tallow {
namespace {

// `path` for the debug trace, which carries narrow text: other letters become '?'.
std::string TracePath(const std::wstring& path) {
    std::string text;
    for (wchar_t c : path)
        text += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    return text;
}

}  // namespace

std::string WithTrailingBackslash(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder;
    return folder + "\\";
}

bool TFolderCleaner::DeleteFolderContents(const std::string& folder, bool recursive) {
    std::wstring finalPath;
    FolderHandle top = OpenChecked(folder, finalPath);
    if (top) {
        EmptyTree(top, finalPath, recursive);
        files_.CloseFolder(top, false);
    }
    return true;
}

bool TFolderCleaner::MayEmpty(const std::string& folder) {
    std::wstring finalPath;
    FolderHandle top = OpenChecked(folder, finalPath);
    if (top)
        files_.CloseFolder(top, false);
    return top != 0;
}

FolderHandle TFolderCleaner::OpenChecked(const std::string& folder, std::wstring& finalPath) {
    std::wstring spelled = files_.WidePath(folder);
    // The spelling is judged first, so that a relative path is never resolved
    // against the current folder; then the folder reached, by its final path.
    std::vector<std::wstring> guarded = ProtectedFolders();
    if (!MayEmptyFolder(spelled, guarded))
        return 0;
    FolderHandle top = files_.OpenFolder(spelled);
    if (!top)
        return 0;
    auto reached = files_.FinalPath(top);
    if (!reached || !MayEmptyFolder(*reached, guarded)) {
        DebugTrace().Trace("DeleteFolderContents refused " + TracePath(reached ? *reached : spelled));
        files_.CloseFolder(top, false);
        return 0;
    }
    finalPath = *reached;
    return top;
}

std::vector<std::wstring> TFolderCleaner::ProtectedFolders() {
    // Each as named and as reached: a protected folder that is itself a link
    // protects its target too.
    std::vector<std::wstring> folders;
    for (const std::wstring& folder : system_.ProtectedFolders()) {
        folders.push_back(folder);
        if (FolderHandle open = files_.OpenFolder(folder)) {
            if (auto reached = files_.FinalPath(open))
                folders.push_back(*reached);
            files_.CloseFolder(open, false);
        }
    }
    return folders;
}

void TFolderCleaner::EmptyTree(FolderHandle folder, const std::wstring& finalPath, bool recursive) {
    auto entries = files_.List(folder);
    if (!entries) {
        DebugTrace().Trace("DeleteFolderContents cannot list " + TracePath(finalPath));
        return;
    }
    for (const TWideEntry& entry : *entries) {
        if (!IsSafeChildName(entry.name))
            continue;
        const bool isDirectory = (entry.attributes & file_attr::kDirectory) != 0;
        if (isDirectory && !recursive)
            continue;
        if (entry.attributes & file_attr::kReparsePoint)
            files_.RemoveChildLink(folder, entry.name);  // never entered, and its target never touched
        else if (isDirectory)
            EmptyChildFolder(folder, finalPath, entry.name);
        else
            files_.DeleteChildFile(folder, entry.name);
    }
}

void TFolderCleaner::EmptyChildFolder(FolderHandle parent, const std::wstring& parentPath, const std::wstring& name) {
    FolderHandle child = 0;
    switch (files_.OpenChild(parent, name, child)) {
        case TChildKind::kFailed:
            return;
        case TChildKind::kLink:  // swapped for a link since the listing
            files_.RemoveChildLink(parent, name);
            return;
        case TChildKind::kFolder:
            break;
    }
    // A system that followed a link anyway has opened a folder elsewhere.
    auto reached = files_.FinalPath(child);
    if (!reached || !SamePath(*reached, parentPath + L"\\" + name)) {
        files_.CloseFolder(child, false);
        files_.RemoveChildLink(parent, name);
        return;
    }
    EmptyTree(child, *reached, true);
    files_.CloseFolder(child, true);
}

}  // namespace tallow
