#include "DiskFileTree.h"

#include <algorithm>

namespace tallow {
namespace fs = std::filesystem;
namespace {

std::uint32_t AttributesOf(const fs::path& path) {
    std::error_code error;
    fs::file_status status = fs::symlink_status(path, error);
    if (fs::is_symlink(status))
        return file_attr::kDirectory | file_attr::kReparsePoint;
    return fs::is_directory(status) ? file_attr::kDirectory : file_attr::kArchive;
}

std::string Narrow(const std::wstring& text) {
    return {text.begin(), text.end()};  // the fixtures' names are ASCII
}

}  // namespace

fs::path TDiskFileTree::Host(const std::string& path) const {
    fs::path host = root_;
    std::string rest = path.rfind("C:\\", 0) == 0 ? path.substr(3) : path;
    for (std::size_t start = 0; start < rest.size();) {
        std::size_t end = rest.find('\\', start);
        if (end == std::string::npos)
            end = rest.size();
        if (end > start)
            host /= rest.substr(start, end - start);
        start = end + 1;
    }
    return host;
}

std::vector<TFileEntry> TDiskFileTree::ListEntries(const std::string& folder) {
    std::vector<TFileEntry> entries;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(Host(folder), error))
        entries.push_back({entry.path().filename().string(), AttributesOf(entry.path())});
    return entries;
}

bool TDiskFileTree::DeleteFile(const std::string& path) {
    std::error_code error;
    return !held.count(path) && AttributesOf(Host(path)) == file_attr::kArchive && fs::remove(Host(path), error);
}

std::optional<std::uint32_t> TDiskFileTree::Attributes(const std::string& path) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(Host(path), error)))
        return std::nullopt;
    return AttributesOf(Host(path));
}

FolderHandle TDiskFileTree::NewHandle(const fs::path& folder) {
    handles_[next_] = folder;
    return next_++;
}

FolderHandle TDiskFileTree::OpenFolder(const std::wstring& path) {
    std::error_code error;
    fs::path host = fs::canonical(Host(Narrow(path)), error);
    return !error && fs::is_directory(host) ? NewHandle(host) : 0;
}

std::optional<std::wstring> TDiskFileTree::FinalPath(FolderHandle folder) {
    std::string relative = fs::relative(handles_.at(folder), fs::canonical(root_)).string();
    std::replace(relative.begin(), relative.end(), '/', '\\');
    std::string windows = relative == "." ? "C:" : "C:\\" + relative;
    return std::wstring(windows.begin(), windows.end());
}

std::optional<std::vector<TWideEntry>> TDiskFileTree::List(FolderHandle folder) {
    std::vector<TWideEntry> entries;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(handles_.at(folder), error)) {
        std::string name = entry.path().filename().string();
        entries.push_back({std::wstring(name.begin(), name.end()), AttributesOf(entry.path())});
    }
    if (error)
        return std::nullopt;
    return entries;
}

TChildKind TDiskFileTree::OpenChild(FolderHandle parent, const std::wstring& name, FolderHandle& child) {
    fs::path path = handles_.at(parent) / Narrow(name);
    std::uint32_t attributes = AttributesOf(path);
    if (attributes & file_attr::kReparsePoint)
        return TChildKind::kLink;
    if (!(attributes & file_attr::kDirectory))
        return TChildKind::kFailed;
    child = NewHandle(path);
    return TChildKind::kFolder;
}

bool TDiskFileTree::DeleteChildFile(FolderHandle parent, const std::wstring& name) {
    std::error_code error;
    fs::path path = handles_.at(parent) / Narrow(name);
    return !(AttributesOf(path) & file_attr::kDirectory) && fs::remove(path, error);
}

bool TDiskFileTree::RemoveChildLink(FolderHandle parent, const std::wstring& name) {
    std::error_code error;
    fs::path path = handles_.at(parent) / Narrow(name);
    return fs::is_symlink(fs::symlink_status(path, error)) && fs::remove(path, error);
}

bool TDiskFileTree::CloseFolder(FolderHandle folder, bool remove) {
    std::error_code error;
    fs::path path = handles_.at(folder);
    handles_.erase(folder);
    return remove && fs::is_empty(path, error) && fs::remove(path, error);
}

}  // namespace tallow
