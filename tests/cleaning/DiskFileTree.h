// A file tree over a folder of the host's disk, seen as drive C: of Windows: the
// cleaners' walks run over real files (those a real browser wrote) in native tests.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "fakes/FakePlatform.h"

namespace tallow {

class TDiskFileTree : public IFileTree {
  public:
    /// "C:\" is the host folder `root`.
    explicit TDiskFileTree(std::filesystem::path root) : root_(std::move(root)) {}

    /// Files another program holds open without sharing, as Windows paths.
    std::set<std::string, TNoCaseLess> held;

    /// The host path of the Windows path `path` ("C:\a\b").
    std::filesystem::path Host(const std::string& path) const;

    std::vector<TFileEntry> ListEntries(const std::string& folder) override;
    bool DeleteFile(const std::string& path) override;
    std::optional<std::uint32_t> Attributes(const std::string& path) override;
    bool IsHeldOpen(const std::string& path) override { return held.count(path) > 0; }
    std::wstring WidePath(const std::string& path) override { return {path.begin(), path.end()}; }
    FolderHandle OpenFolder(const std::wstring& path) override;
    std::optional<std::wstring> FinalPath(FolderHandle folder) override;
    std::optional<std::vector<TWideEntry>> List(FolderHandle folder) override;
    TChildKind OpenChild(FolderHandle parent, const std::wstring& name, FolderHandle& child) override;
    bool DeleteChildFile(FolderHandle parent, const std::wstring& name) override;
    bool RemoveChildLink(FolderHandle parent, const std::wstring& name) override;
    bool CloseFolder(FolderHandle folder, bool remove) override;

  private:
    FolderHandle NewHandle(const std::filesystem::path& folder);

    std::filesystem::path root_;
    std::map<FolderHandle, std::filesystem::path> handles_;
    FolderHandle next_ = 0x100;
};

}  // namespace tallow
