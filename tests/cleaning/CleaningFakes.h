// Fakes of the cleaners' services: plain data a test fills and inspects.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cleaning/CleaningServices.h"
#include "fakes/FakePlatform.h"
#include "platform/UrlHistoryStore.h"

namespace tallow {

/// A file tree keyed by full path (no trailing backslash, letter case ignored; the
/// key keeps the letters as stored, and names are UTF-8). A directory link lists its
/// target's entries when listed by path, as a system that follows links would, so a
/// cleaner that enters a link is caught. Paths given to it are resolved laxly ("."
/// and ".." segments, '/' as a separator), so a cleaner that joins a hostile name
/// into a path is caught too.
class TFakeFileTree : public IFileTree {
public:
    struct Node {
        std::uint32_t attributes = file_attr::kArchive;
        bool locked = false;     // held open by another process
        std::string linkTarget;  // directory links only
    };
    std::map<std::string, Node, TNoCaseLess> nodes;
    std::vector<std::string> listed;  // folders listed, in order
    /// Names a listing of the folder reports besides its nodes (names no file system
    /// should hand out), with their attributes.
    std::map<std::string, std::vector<TFileEntry>, TNoCaseLess> strayNames;
    std::set<std::string, TNoCaseLess> unlistable;    // listing by handle fails
    std::set<std::string, TNoCaseLess> noFinalPath;   // final path cannot be established
    bool followsLinksOnOpen = false;  // like Wine: opening a link "itself" opens its target
    unsigned codePage = 1252;         // of the ANSI names (1252 or 932)
    /// Runs once, right after the next listing by handle: a change racing the walk.
    std::function<void()> afterListing;

    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, std::uint32_t attributes = file_attr::kArchive, bool locked = false);
    void AddLink(const std::string& path, const std::string& target);
    bool Exists(const std::string& path) const;
    /// Every path at or below `folder`, sorted.
    std::set<std::string> Below(const std::string& folder) const;
    /// `name` as the system's ANSI conversion gives it in `codePage`, "best fit"
    /// included: code page 1252 maps the full-width \ . / : to ASCII, 932 the yen sign to \.
    std::string AnsiForm(const std::string& name) const;
    std::size_t OpenHandles() const { return handles_.size(); }

    std::vector<TFileEntry> ListEntries(const std::string& folder) override;
    bool DeleteFile(const std::string& path) override;
    std::optional<std::uint32_t> Attributes(const std::string& path) override;
    std::wstring WidePath(const std::string& path) override;
    FolderHandle OpenFolder(const std::wstring& path) override;
    std::optional<std::wstring> FinalPath(FolderHandle folder) override;
    std::optional<std::vector<TWideEntry>> List(FolderHandle folder) override;
    TChildKind OpenChild(FolderHandle parent, const std::wstring& name, FolderHandle& child) override;
    bool DeleteChildFile(FolderHandle parent, const std::wstring& name) override;
    bool RemoveChildLink(FolderHandle parent, const std::wstring& name) override;
    bool CloseFolder(FolderHandle folder, bool remove) override;

private:
    bool HasChildren(const std::string& path) const;
    std::vector<TFileEntry> Children(const std::string& path) const;
    /// `path` with every link on the way replaced by its target, letters as stored.
    std::string Resolve(const std::string& path) const;
    std::string Join(FolderHandle parent, const std::wstring& name) const;
    FolderHandle NewHandle(const std::string& path);

    std::map<FolderHandle, std::string> handles_;
    FolderHandle nextHandle_ = 0x100;
};

class TFakeSystemFolders : public ISystemFolders {
public:
    std::string temp = "C:\\Users\\me\\AppData\\Local\\Temp\\";
    std::vector<std::wstring> protectedFolders = {
        L"C:\\Windows",       L"C:\\Windows\\System32", L"C:\\Program Files",          L"C:\\Program Files (x86)",
        L"C:\\Users",         L"C:\\Users\\me",         L"C:\\Users\\me\\Documents", L"C:\\Users\\me\\Desktop",
        L"C:\\Program Files\\Tallowmere\\"};
    std::string TempPath() override { return temp; }
    std::vector<std::wstring> ProtectedFolders() override { return protectedFolders; }
};

/// A URL cache whose entry records are [size][type][URL, NUL]. Every call checks the
/// WinInet contract: a record buffer must be exactly as large as the size query
/// said and carry that size in its first field.
class TFakeUrlCache : public IUrlCache {
public:
    struct Entry {
        std::string url;
        std::uint32_t type = cache_entry::kNormal;
        bool locked = false;
    };
    std::vector<Entry> entries;
    bool libraryFound = true;
    bool failWithoutErrorCode = false;  // a find failure that leaves the last error 0

    // What happened.
    std::vector<std::string> deleted;
    std::vector<UrlCacheHandle> closed;
    std::vector<std::optional<std::string>> patterns;  // of FindFirstEx calls; nullopt for null
    std::vector<std::uint32_t> filters;
    std::vector<std::string> contractBreaches;
    int libraryQueries = 0;

    bool LibraryFound() override;
    UrlCacheHandle FindFirst(const char* pattern, void* buffer, std::uint32_t& size) override;
    bool FindNext(UrlCacheHandle walk, void* buffer, std::uint32_t& size) override;
    UrlCacheHandle FindFirstEx(const char* pattern, std::uint32_t flags, std::uint32_t filter, std::int64_t group,
                               void* buffer, std::uint32_t& size) override;
    bool FindNextEx(UrlCacheHandle walk, void* buffer, std::uint32_t& size) override;
    bool DeleteEntry(const std::string& url) override;
    bool Close(UrlCacheHandle walk) override;
    std::uint32_t LastError() override { return lastError_; }
    TUrlCacheEntry ReadEntry(const void* buffer) override;

    bool HasEntry(const std::string& url) const;

private:
    struct Walk {
        std::vector<std::string> urls;  // the matching entries when the walk began
        std::size_t next = 0;
    };
    UrlCacheHandle Begin(const char* pattern, std::uint32_t filter, void* buffer, std::uint32_t& size);
    bool Step(UrlCacheHandle walk, void* buffer, std::uint32_t& size);
    bool Deliver(const Entry& entry, void* buffer, std::uint32_t& size);
    bool Fail(std::uint32_t error);
    const Entry* Find(const std::string& url) const;

    std::map<UrlCacheHandle, Walk> walks_;
    UrlCacheHandle nextHandle_ = 0x100;
    std::uint32_t lastError_ = 0;
};

class TFakeCleanerSettings : public ICleanerSettings {
public:
    std::map<std::string, std::string, TNoCaseLess> values;
    std::map<std::string, std::string, TNoCaseLess> shellFolders;
    std::string exeDir = "C:\\Program Files\\Tallowmere\\";
    std::vector<std::string> writes;  // "name=value"

    std::string ReadString(const std::string& name) override;
    void WriteString(const std::string& name, const std::string& value) override;
    std::string ExeDir() override { return exeDir; }
    std::string ShellFolder(const std::string& valueName) override;
};

class TFakeClipboard : public IClipboard {
public:
    bool heldByOther = false;
    WindowHandle owner = 0;
    int emptied = 0;
    int closed = 0;
    bool Open(WindowHandle ownerWindow) override;
    void Empty() override { ++emptied; }
    void Close() override { ++closed; }
};

class TFakeRecycleBin : public IRecycleBin {
public:
    std::vector<WindowHandle> emptiedWithParent;
    void EmptyAll(WindowHandle parent) override { emptiedWithParent.push_back(parent); }
};

class TFakeProgramStarter : public IProgramStarter {
public:
    bool result = true;
    std::vector<TProcessRequest> started;
    bool Start(const TProcessRequest& request) override;
};

class TFakeUrlHistoryStore : public IUrlHistoryStore {
public:
    explicit TFakeUrlHistoryStore(int& clears) : clears_(clears) {}
    void ClearHistory() override { ++clears_; }

private:
    int& clears_;
};

/// One fake of each service and the bundle over them.
struct TCleaningFakes {
    TFakeCleanerSettings settings;
    TFakeRegistry registry;
    TFakeWindowMessages windows;
    TFakeFileTree files;
    TFakeSystemFolders systemFolders;
    TFakeClipboard clipboard;
    TFakeRecycleBin recycleBin;
    TFakeProgramStarter starter;
    TFakeUrlCache urlCache;
    TCleaningServices Services();
};

}  // namespace tallow
