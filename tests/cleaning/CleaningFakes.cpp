#include "CleaningFakes.h"

#include <cstring>

namespace tallow {
namespace {

std::string Trimmed(std::string path) {
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string ParentOf(const std::string& path) {
    std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool SameName(const std::string& a, const std::string& b) {
    TNoCaseLess less;
    return !less(a, b) && !less(b, a);
}

}  // namespace

//--- File tree --------------------------------------------------------------

void TFakeFileTree::AddFolder(const std::string& path) {
    nodes[Trimmed(path)] = {file_attr::kDirectory, false, ""};
}

void TFakeFileTree::AddFile(const std::string& path, std::uint32_t attributes, bool locked) {
    nodes[path] = {attributes, locked, ""};
}

void TFakeFileTree::AddLink(const std::string& path, const std::string& target) {
    nodes[Trimmed(path)] = {file_attr::kDirectory | file_attr::kReparsePoint, false, Trimmed(target)};
}

bool TFakeFileTree::Exists(const std::string& path) const {
    return nodes.count(Trimmed(path)) > 0;
}

std::set<std::string> TFakeFileTree::Below(const std::string& folder) const {
    std::set<std::string> paths;
    std::string root = Trimmed(folder);
    for (const auto& [path, node] : nodes) {
        if (SameName(path, root) || SameName(path.substr(0, root.size() + 1), root + "\\"))
            paths.insert(path);
    }
    return paths;
}

bool TFakeFileTree::HasChildren(const std::string& path) const {
    for (const auto& [other, node] : nodes) {
        if (SameName(ParentOf(other), path))
            return true;
    }
    return false;
}

std::vector<TFileEntry> TFakeFileTree::ListEntries(const std::string& folder) {
    std::string path = Trimmed(folder);
    listed.push_back(path);
    auto it = nodes.find(path);
    if (it == nodes.end() || !(it->second.attributes & file_attr::kDirectory))
        return {};
    if (!it->second.linkTarget.empty())
        path = it->second.linkTarget;  // listing through a link shows its target
    std::vector<TFileEntry> entries = {{".", file_attr::kDirectory}, {"..", file_attr::kDirectory}};
    for (const auto& [other, node] : nodes) {
        if (SameName(ParentOf(other), path))
            entries.push_back({other.substr(path.size() + 1), node.attributes});
    }
    return entries;
}

bool TFakeFileTree::DeleteFile(const std::string& path) {
    auto it = nodes.find(path);
    if (it == nodes.end() || (it->second.attributes & (file_attr::kDirectory | file_attr::kReadOnly)) ||
        it->second.locked)
        return false;
    nodes.erase(it);
    return true;
}

bool TFakeFileTree::RemoveDirectory(const std::string& path) {
    auto it = nodes.find(Trimmed(path));
    if (it == nodes.end() || !(it->second.attributes & file_attr::kDirectory))
        return false;
    if (!it->second.linkTarget.empty())
        return RemoveDirectory(it->second.linkTarget);
    if (HasChildren(it->first))
        return false;
    nodes.erase(it);
    return true;
}

bool TFakeFileTree::RemoveLink(const std::string& path) {
    auto it = nodes.find(Trimmed(path));
    if (it == nodes.end() || !(it->second.attributes & file_attr::kReparsePoint))
        return false;
    nodes.erase(it);
    return true;
}

std::optional<std::uint32_t> TFakeFileTree::Attributes(const std::string& path) {
    auto it = nodes.find(Trimmed(path));
    if (it == nodes.end())
        return std::nullopt;
    return it->second.attributes;
}

std::string TFakeFileTree::FullLongPath(const std::string& path) {
    auto it = longForms.find(Trimmed(path));
    return it == longForms.end() ? path : it->second;
}

//--- URL cache --------------------------------------------------------------

bool TFakeUrlCache::LibraryFound() {
    ++libraryQueries;
    return libraryFound;
}

UrlCacheHandle TFakeUrlCache::FindFirst(const char*, void* buffer, std::uint32_t& size) {
    return Begin(nullptr, ~0u, buffer, size);
}

bool TFakeUrlCache::FindNext(UrlCacheHandle walk, void* buffer, std::uint32_t& size) {
    return Step(walk, buffer, size);
}

UrlCacheHandle TFakeUrlCache::FindFirstEx(const char* pattern, std::uint32_t flags, std::uint32_t filter,
                                          std::int64_t group, void* buffer, std::uint32_t& size) {
    patterns.push_back(pattern ? std::optional<std::string>(pattern) : std::nullopt);
    filters.push_back(filter);
    if (flags != 0 || group != 0)
        contractBreaches.push_back("flags or group not 0");
    return Begin(pattern, filter, buffer, size);
}

bool TFakeUrlCache::FindNextEx(UrlCacheHandle walk, void* buffer, std::uint32_t& size) {
    return Step(walk, buffer, size);
}

UrlCacheHandle TFakeUrlCache::Begin(const char* pattern, std::uint32_t filter, void* buffer, std::uint32_t& size) {
    Walk walk;
    for (const Entry& e : entries) {
        bool matches = (!pattern || e.url.rfind(pattern, 0) == 0) && (e.type & filter) != 0;
        if (matches)
            walk.urls.push_back(e.url);
    }
    if (walk.urls.empty()) {
        size = 0;
        Fail(cache_error::kNoMoreItems);
        return 0;
    }
    if (!Deliver(*Find(walk.urls.front()), buffer, size))
        return 0;
    walk.next = 1;
    UrlCacheHandle handle = nextHandle_++;
    walks_[handle] = walk;
    return handle;
}

bool TFakeUrlCache::Step(UrlCacheHandle handle, void* buffer, std::uint32_t& size) {
    auto it = walks_.find(handle);
    if (it == walks_.end())
        return Fail(6);  // invalid handle
    Walk& walk = it->second;
    while (walk.next < walk.urls.size() && !Find(walk.urls[walk.next]))
        ++walk.next;  // deleted since the walk began
    if (walk.next == walk.urls.size()) {
        size = 0;
        return Fail(cache_error::kNoMoreItems);
    }
    if (!Deliver(*Find(walk.urls[walk.next]), buffer, size))
        return false;
    ++walk.next;
    return true;
}

bool TFakeUrlCache::Deliver(const Entry& entry, void* buffer, std::uint32_t& size) {
    const std::uint32_t needed = static_cast<std::uint32_t>(8 + entry.url.size() + 1);
    if (!buffer || size < needed) {
        size = needed;
        return Fail(cache_error::kInsufficientBuffer);
    }
    std::uint32_t sizeField = 0;
    std::memcpy(&sizeField, buffer, 4);
    if (size != needed || sizeField != size)
        contractBreaches.push_back("buffer not sized by the query: " + entry.url);
    auto* bytes = static_cast<char*>(buffer);
    std::memcpy(bytes + 4, &entry.type, 4);
    std::memcpy(bytes + 8, entry.url.c_str(), entry.url.size() + 1);
    lastError_ = 0;
    return true;
}

bool TFakeUrlCache::Fail(std::uint32_t error) {
    lastError_ = failWithoutErrorCode ? 0 : error;
    return false;
}

TUrlCacheEntry TFakeUrlCache::ReadEntry(const void* buffer) {
    const auto* bytes = static_cast<const char*>(buffer);
    TUrlCacheEntry entry;
    std::memcpy(&entry.type, bytes + 4, 4);
    entry.sourceUrl = bytes + 8;
    return entry;
}

bool TFakeUrlCache::DeleteEntry(const std::string& url) {
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->url != url)
            continue;
        if (it->locked)
            return Fail(32);  // sharing violation
        entries.erase(it);
        deleted.push_back(url);
        lastError_ = 0;
        return true;
    }
    return Fail(cache_error::kFileNotFound);
}

bool TFakeUrlCache::Close(UrlCacheHandle walk) {
    closed.push_back(walk);
    return walks_.erase(walk) > 0;
}

bool TFakeUrlCache::HasEntry(const std::string& url) const {
    return Find(url) != nullptr;
}

const TFakeUrlCache::Entry* TFakeUrlCache::Find(const std::string& url) const {
    for (const Entry& e : entries) {
        if (e.url == url)
            return &e;
    }
    return nullptr;
}

//--- The rest ---------------------------------------------------------------

std::string TFakeCleanerSettings::ReadString(const std::string& name) {
    auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
}

void TFakeCleanerSettings::WriteString(const std::string& name, const std::string& value) {
    values[name] = value;
    writes.push_back(name + "=" + value);
}

std::string TFakeCleanerSettings::ShellFolder(const std::string& valueName) {
    auto it = shellFolders.find(valueName);
    return it == shellFolders.end() ? std::string() : it->second;
}

bool TFakeClipboard::Open(WindowHandle ownerWindow) {
    owner = ownerWindow;
    return !heldByOther;
}

bool TFakeProgramStarter::Start(const TProcessRequest& request) {
    started.push_back(request);
    return result;
}

TCleaningServices TCleaningFakes::Services() {
    TCleaningServices s;
    s.settings = &settings;
    s.registry = &registry;
    s.windows = &windows;
    s.files = &files;
    s.systemFolders = &systemFolders;
    s.clipboard = &clipboard;
    s.recycleBin = &recycleBin;
    s.starter = &starter;
    s.urlCache = &urlCache;
    s.applicationWindow = [] { return WindowHandle(0x1234); };
    return s;
}

}  // namespace tallow
