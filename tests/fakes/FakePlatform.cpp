#include "fakes/FakePlatform.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tallow {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Folder(const std::string& path) {
    std::string p = path;
    while (!p.empty() && p.back() == '\\') {
        p.pop_back();
    }
    return p;
}

std::string Parent(const std::string& path) {
    const size_t slash = Folder(path).find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool TNoCaseLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

//--- Registry and shell folders --------------------------------------------------------------------

void TFakeRegistry::Set(RegistryRoot root,
                        const std::string& path,
                        const std::string& name,
                        const std::string& value,
                        RegistryView view) {
    (view == RegistryView::Bits64 ? values64 : values)[{root, path + "\\" + name}] = value;
}

void TFakeRegistry::AddKey(RegistryRoot root, const std::string& path, RegistryView view) {
    (view == RegistryView::Bits64 ? emptyKeys64 : emptyKeys).insert({root, path});
}

TRegistryString TFakeRegistry::Read(RegistryRoot root,
                                    RegistryView view,
                                    const std::string& path,
                                    const std::string& valueName) const {
    const bool bits64 = view == RegistryView::Bits64;
    const auto same = [](const std::string& a, const std::string& b) {
        return !TNoCaseLess()(a, b) && !TNoCaseLess()(b, a);
    };
    TRegistryString result;
    for (const auto& [keyRoot, keyPath] : bits64 ? emptyKeys64 : emptyKeys) {
        result.keyFound = result.keyFound || (keyRoot == root && same(keyPath, path));
    }
    const std::string wanted = path + "\\" + valueName;
    for (const auto& [key, value] : bits64 ? values64 : values) {
        if (key.first != root) {
            continue;
        }
        const std::string& name = key.second;
        // A value path is its key's path, a backslash and the value's name.
        if (name.size() > path.size() && same(name.substr(0, path.size() + 1), path + "\\") &&
            name.find('\\', path.size() + 1) == std::string::npos) {
            result.keyFound = true;
        }
        if (same(name, wanted)) {
            result.value = value;
        }
    }
    return result;
}

namespace {
// A value path is its key's path, a backslash and the value's name.
bool IsValueOf(const std::string& valuePath, const std::string& key) {
    return valuePath.size() > key.size() && !TNoCaseLess()(valuePath.substr(0, key.size() + 1), key + "\\") &&
           !TNoCaseLess()(key + "\\", valuePath.substr(0, key.size() + 1)) &&
           valuePath.find('\\', key.size() + 1) == std::string::npos;
}
}  // namespace

bool TFakeRegistry::DeleteAllValues(RegistryRoot root, const std::string& path) {
    bool had = false;
    for (auto it = values.begin(); it != values.end();) {
        if (it->first.first == root && IsValueOf(it->first.second, path)) {
            it = values.erase(it);
            had = true;
        } else {
            ++it;
        }
    }
    if (had)
        emptyKeys.insert({root, path});
    return true;
}

std::uint64_t TFakeRegistry::CountValues(RegistryRoot root, const std::string& path, bool withSubkeys) const {
    std::uint64_t count = 0;
    const std::string below = path + "\\";
    for (const auto& [key, value] : values) {
        const std::string& name = key.second;
        const bool under = name.size() > below.size() && !TNoCaseLess()(name.substr(0, below.size()), below) &&
                           !TNoCaseLess()(below, name.substr(0, below.size()));
        if (key.first == root && (withSubkeys ? under : IsValueOf(name, path)))
            ++count;
    }
    return count;
}

std::vector<std::string> TFakeRegistry::ValueNames(RegistryRoot root, const std::string& path) const {
    std::vector<std::string> names;
    for (const auto& [key, value] : values) {
        if (key.first == root && IsValueOf(key.second, path))
            names.push_back(key.second.substr(path.size() + 1));
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> TFakeRegistry::ReadStrings(RegistryRoot root,
                                                                            const std::string& path) const {
    std::vector<std::pair<std::string, std::string>> strings;
    for (const auto& [key, value] : values) {
        if (key.first == root && IsValueOf(key.second, path))
            strings.emplace_back(key.second.substr(path.size() + 1), value);
    }
    return strings;
}

bool TFakeRegistry::WriteString(RegistryRoot root,
                                const std::string& path,
                                const std::string& valueName,
                                const std::string& value) {
    if (readOnlyKeys.count({root, path}))
        return false;
    Set(root, path, valueName, value);
    return true;
}

bool TFakeRegistry::DeleteValue(RegistryRoot root, const std::string& path, const std::string& valueName) {
    if (readOnlyKeys.count({root, path}))
        return false;
    const std::string wanted = path + "\\" + valueName;
    for (auto it = values.begin(); it != values.end();) {
        const bool same = it->first.first == root && !TNoCaseLess()(it->first.second, wanted) &&
                          !TNoCaseLess()(wanted, it->first.second);
        it = same ? values.erase(it) : std::next(it);
    }
    return true;
}

bool TFakeCredentialStore::Delete(const TCredential& credential) {
    if (undeletable.count(credential.target))
        return false;
    for (auto it = credentials.begin(); it != credentials.end(); ++it) {
        if (it->target == credential.target && it->type == credential.type) {
            credentials.erase(it);
            deleted.push_back(credential.target);
            return true;
        }
    }
    return false;
}

bool TFakeCredentialStore::Holds(const std::wstring& target) const {
    for (const TCredential& c : credentials) {
        if (c.target == target)
            return true;
    }
    return false;
}

std::string TFakeShellFolders::Folder(const std::string& name) const {
    auto it = user.find(name);
    return it != user.end() && !it->second.empty() ? it->second : CommonFolder(name);
}

std::string TFakeShellFolders::CommonFolder(const std::string& name) const {
    auto it = common.find(name);
    return it != common.end() ? it->second : std::string();
}

//--- Files -----------------------------------------------------------------------------------------

std::optional<std::string> TFakeFiles::ReadFile(const std::string& path) const {
    auto it = files.find(path);
    return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
}

bool TFakeFiles::WriteFile(const std::string& path, const std::string& content) {
    writes.emplace_back(path, content);
    if (!folders.count(Parent(path))) {
        return false;
    }
    if (unwritable.count(path)) {
        files[path] = content.substr(0, content.size() / 2);  // a disk that filled up
        return false;
    }
    files[path] = content;
    return true;
}

bool TFakeFiles::MoveReplacing(const std::string& from, const std::string& to) {
    auto it = files.find(from);
    if (failReplace || it == files.end()) {
        return false;
    }
    files[to] = it->second;
    files.erase(from);
    return true;
}

bool TFakeFiles::RemoveFile(const std::string& path) {
    return files.erase(path) > 0;
}

bool TFakeFiles::Exists(const std::string& path) const {
    return files.count(path) > 0 || folders.count(Folder(path)) > 0;
}

bool TFakeFiles::CreateFolders(const std::string& folder) {
    for (std::string f = Folder(folder); !f.empty() && f.back() != ':'; f = Parent(f)) {
        folders.insert(f);
    }
    return !Folder(folder).empty();
}

std::string TFakeFiles::LongPathName(const std::string& path) const {
    return Exists(path) ? path : std::string();
}

std::optional<double> TFakeFiles::CreationTime(const std::string& path) const {
    auto it = creationTimes.find(Folder(path));
    return it == creationTimes.end() ? std::nullopt : std::optional<double>(it->second);
}

std::string TFakeFiles::WideToAnsi(std::u16string_view text) const {
    std::string ansi;
    for (char16_t c : text) {
        ansi += c <= 0xFF ? static_cast<char>(c) : '?';
    }
    return ansi;
}

//--- Window messages -------------------------------------------------------------------------------

std::uint32_t TFakeWindowMessages::RegisterMessage(const std::string& name) {
    auto it = std::find(registered_.begin(), registered_.end(), name);
    if (it == registered_.end()) {
        registered_.push_back(name);
        it = registered_.end() - 1;
    }
    return 0xC000u + static_cast<std::uint32_t>(it - registered_.begin());
}

WindowHandle TFakeWindowMessages::FindWindowByClass(const std::string& className, WindowHandle after) {
    for (auto it = windows.upper_bound(after); it != windows.end(); ++it) {
        if (it->second.className == className) {
            return it->first;
        }
    }
    return 0;
}

std::intptr_t TFakeWindowMessages::Send(WindowHandle window, std::uint32_t message, std::uintptr_t, std::intptr_t) {
    const size_t index = message - 0xC000u;
    const std::string name = index < registered_.size() ? registered_[index] : "#" + std::to_string(message);
    sent.push_back({window, name, {}, 0});
    auto w = windows.find(window);
    if (w == windows.end()) {
        return 0;
    }
    auto answer = w->second.answers.find(name);
    return answer == w->second.answers.end() ? 0 : answer->second;
}

std::intptr_t TFakeWindowMessages::SendCopyData(WindowHandle window, std::uintptr_t dwData, const std::string& bytes) {
    sent.push_back({window, "WM_COPYDATA", bytes, dwData});
    return 0;
}

bool TFakeWindowMessages::Post(WindowHandle window,
                               std::uint32_t message,
                               std::uintptr_t wParam,
                               std::intptr_t lParam) {
    Send(window, message, wParam, lParam);
    return windows.count(window) > 0;
}

std::vector<std::string> TFakeWindowMessages::SentTo(WindowHandle window) const {
    std::vector<std::string> names;
    for (const Sent& s : sent) {
        if (s.window == window) {
            names.push_back(s.message);
        }
    }
    return names;
}

//--- Kernel objects, security, application ---------------------------------------------------------

MutexResult TFakeKernelObjects::CreateNamedMutex(const std::string& name) {
    if (failing.count(name)) {
        return MutexResult::Failed;
    }
    return mutexes.insert(name).second ? MutexResult::Created : MutexResult::AlreadyExists;
}

bool TFakeSecurity::CanWriteFolder(const std::string& folder) {
    asked.push_back(folder);
    return writable.count(folder) > 0;
}

bool TFakeApplication::InitializeCom() {
    comInitialized = true;
    if (log) {
        log->push_back("com");
    }
    return true;
}

void TFakeApplication::RunMessageLoop() {
    ++messageLoops;
    if (log) {
        log->push_back("loop");
    }
    if (onMessageLoop) {
        onMessageLoop();
    }
}

void TFakeApplication::Sleep(unsigned milliseconds) {
    sleeps.push_back(milliseconds);
    if (log) {
        log->push_back("sleep " + std::to_string(milliseconds));
    }
    if (onSleep) {
        onSleep(milliseconds);
    }
}

void TFakeApplication::ShowErrorBox(const std::string& title, const std::string& text) {
    errorBoxes.emplace_back(title, text);
}

int TFakeApplication::RunPosted() {
    int ran = 0;
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(postedMutex);
            if (posted.empty()) {
                break;
            }
            task = std::move(posted.front());
            posted.erase(posted.begin());
        }
        task();
        ++ran;
    }
    return ran;
}

WindowHandle TFakeProcessWindows::FindOwnWindow(const std::string& className) {
    auto it = own.find(className);
    return it == own.end() ? 0 : it->second;
}

//--- Locale --------------------------------------------------------------------

std::string TFakeLocale::FormatByteSize(std::uint64_t bytes) const {
    static const char* const kUnits[] = {"bytes", "KB", "MB", "GB", "TB", "PB", "EB"};
    int unit = 0;
    for (; bytes >= 1024; bytes /= 1024)
        ++unit;
    return std::to_string(bytes) + " " + kUnits[unit];
}

std::string TFakeLocale::FormatCount(std::uint64_t count) const {
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), 1, thousands);
    return digits;
}

//--- The services of the cleaners ----------------------------------------------------------------

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

namespace {

std::wstring FromUtf8(const std::string& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        std::uint32_t code = extra ? c & (0x3F >> extra) : c;
        for (int k = 1; k <= extra && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += static_cast<wchar_t>(code);
        i += 1 + extra;
    }
    return out;
}

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    for (wchar_t w : text) {
        auto c = static_cast<std::uint32_t>(w);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// "." and ".." segments resolved, '/' taken as '\', "\\?\" dropped, no trailing
// backslash: what a lax system makes of a joined path.
std::string Normalized(const std::string& path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '/', '\\');
    if (p.rfind("\\\\?\\", 0) == 0)
        p = p.substr(4);
    bool unc = p.rfind("\\\\", 0) == 0;
    std::vector<std::string> parts;
    std::size_t start = unc ? 2 : 0;
    while (start <= p.size()) {
        std::size_t end = p.find('\\', start);
        std::string part = p.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..") {
            if (parts.size() > 1)
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    std::string out = unc ? "\\\\" : "";
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i ? "\\" : "") + parts[i];
    return out;
}

}  // namespace

void TFakeFileTree::AddFolder(const std::string& path) {
    nodes[Trimmed(path)] = {file_attr::kDirectory, false, ""};
}

void TFakeFileTree::AddFile(const std::string& path, std::uint32_t attributes, bool locked, std::uint64_t size) {
    nodes[path] = {attributes, locked, "", size};
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

std::vector<TFileEntry> TFakeFileTree::Children(const std::string& path) const {
    std::vector<TFileEntry> entries;
    for (const auto& [other, node] : nodes) {
        if (SameName(ParentOf(other), path))
            entries.push_back({other.substr(path.size() + 1), node.attributes, node.size});
    }
    auto stray = strayNames.find(path);
    if (stray != strayNames.end())
        entries.insert(entries.end(), stray->second.begin(), stray->second.end());
    return entries;
}

std::string TFakeFileTree::Resolve(const std::string& path) const {
    std::string rest = Normalized(path);
    for (int hops = 0; hops < 32; ++hops) {
        std::string done;
        std::size_t at = rest.rfind("\\\\", 0) == 0 ? 2 : 0;
        bool followed = false;
        while (!followed) {
            std::size_t end = rest.find('\\', at);
            std::string prefix = rest.substr(0, end);
            auto it = nodes.find(prefix);
            if (it != nodes.end() && !it->second.linkTarget.empty()) {
                rest = it->second.linkTarget + (end == std::string::npos ? "" : rest.substr(end));
                followed = true;
            } else if (end == std::string::npos) {
                return it == nodes.end() ? rest : it->first;
            } else {
                if (it != nodes.end())
                    rest = it->first + rest.substr(end);  // the letters as stored
                at = end + 1;
            }
        }
    }
    return rest;
}

std::string TFakeFileTree::AnsiForm(const std::string& name) const {
    static const std::map<std::uint32_t, char> bestFit1252 = {
        {0xFF3C, '\\'}, {0xFF0E, '.'}, {0xFF0F, '/'}, {0xFF1A, ':'}};
    static const std::map<std::uint32_t, char> bestFit932 = {{0x00A5, '\\'}};
    const auto& bestFit = codePage == 932 ? bestFit932 : bestFit1252;
    std::string out;
    for (wchar_t c : FromUtf8(name)) {
        auto it = bestFit.find(static_cast<std::uint32_t>(c));
        out += it != bestFit.end() ? std::string(1, it->second) : ToUtf8(std::wstring(1, c));
    }
    return out;
}

std::vector<TFileEntry> TFakeFileTree::ListEntries(const std::string& folder) {
    listed.push_back(Trimmed(folder));
    std::string path = Resolve(folder);
    auto it = nodes.find(path);
    if (it == nodes.end() || !(it->second.attributes & file_attr::kDirectory))
        return {};
    std::vector<TFileEntry> entries;
    for (const TFileEntry& entry : Children(path)) {
        if (IsSafeChildName(FromUtf8(entry.name)) && AnsiForm(entry.name) == entry.name)
            entries.push_back(entry);
    }
    return entries;
}

bool TFakeFileTree::DeleteFile(const std::string& path) {
    auto it = nodes.find(Normalized(path));
    if (it == nodes.end() || (it->second.attributes & (file_attr::kDirectory | file_attr::kReadOnly)) ||
        it->second.locked)
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

std::optional<std::uint64_t> TFakeFileTree::FileSize(const std::string& path) {
    auto it = nodes.find(Trimmed(path));
    if (it == nodes.end() || (it->second.attributes & file_attr::kDirectory))
        return std::nullopt;
    return it->second.size;
}

bool TFakeFileTree::IsHeldOpen(const std::string& path) {
    auto it = nodes.find(Trimmed(path));
    return it != nodes.end() && !(it->second.attributes & file_attr::kDirectory) && it->second.locked;
}

std::wstring TFakeFileTree::WidePath(const std::string& path) {
    return FromUtf8(path);
}

FolderHandle TFakeFileTree::NewHandle(const std::string& path) {
    handles_[nextHandle_] = path;
    return nextHandle_++;
}

FolderHandle TFakeFileTree::OpenFolder(const std::wstring& path) {
    auto it = nodes.find(Resolve(ToUtf8(path)));
    if (it == nodes.end() || !(it->second.attributes & file_attr::kDirectory) || !it->second.linkTarget.empty())
        return 0;
    return NewHandle(it->first);
}

std::optional<std::wstring> TFakeFileTree::FinalPath(FolderHandle folder) {
    const std::string& path = handles_.at(folder);
    if (noFinalPath.count(path))
        return std::nullopt;
    return FromUtf8("\\\\?\\" + path);
}

std::optional<std::vector<TWideEntry>> TFakeFileTree::List(FolderHandle folder) {
    const std::string path = handles_.at(folder);
    listed.push_back(path);
    if (unlistable.count(path))
        return std::nullopt;
    std::vector<TWideEntry> entries;
    for (const TFileEntry& entry : Children(path))
        entries.push_back({FromUtf8(entry.name), entry.attributes, entry.size});
    if (auto race = std::exchange(afterListing, nullptr))
        race();
    return entries;
}

std::string TFakeFileTree::Join(FolderHandle parent, const std::wstring& name) const {
    return Normalized(handles_.at(parent) + "\\" + ToUtf8(name));
}

TChildKind TFakeFileTree::OpenChild(FolderHandle parent, const std::wstring& name, FolderHandle& child) {
    child = 0;
    auto it = nodes.find(Join(parent, name));
    if (it == nodes.end() || !(it->second.attributes & file_attr::kDirectory))
        return TChildKind::kFailed;
    if (!it->second.linkTarget.empty() && !followsLinksOnOpen)
        return TChildKind::kLink;
    auto reached = nodes.find(Resolve(it->first));
    if (reached == nodes.end())
        return TChildKind::kFailed;
    child = NewHandle(reached->first);
    return TChildKind::kFolder;
}

bool TFakeFileTree::DeleteChildFile(FolderHandle parent, const std::wstring& name) {
    return DeleteFile(Join(parent, name));
}

bool TFakeFileTree::RemoveChildLink(FolderHandle parent, const std::wstring& name) {
    auto it = nodes.find(Join(parent, name));
    if (it == nodes.end() || !(it->second.attributes & file_attr::kReparsePoint) || followsLinksOnOpen)
        return false;
    nodes.erase(it);
    return true;
}

bool TFakeFileTree::CloseFolder(FolderHandle folder, bool remove) {
    std::string path = handles_.at(folder);
    handles_.erase(folder);
    auto it = nodes.find(path);
    if (!remove || it == nodes.end() || HasChildren(path))
        return false;
    nodes.erase(it);
    return true;
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

UrlCacheHandle TFakeUrlCache::FindFirstEx(const char* pattern,
                                          std::uint32_t flags,
                                          std::uint32_t filter,
                                          std::int64_t group,
                                          void* buffer,
                                          std::uint32_t& size) {
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
    const std::uint32_t needed = static_cast<std::uint32_t>(16 + entry.url.size() + 1);
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
    std::memcpy(bytes + 8, &entry.size, 8);
    std::memcpy(bytes + 16, entry.url.c_str(), entry.url.size() + 1);
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
    std::memcpy(&entry.size, bytes + 8, 8);
    entry.sourceUrl = bytes + 16;
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

bool TFakeClipboard::Open(WindowHandle ownerWindow) {
    owner = ownerWindow;
    return !heldByOther;
}

bool TFakeProgramStarter::Start(const TProcessRequest& request) {
    started.push_back(request);
    if (result && onStart) {
        onStart(request);
    }
    return result;
}

//--- The bundle ------------------------------------------------------------------------------------

TFakePlatform::TFakePlatform() {
    platform_.registry = &registry;
    platform_.shellFolders = &shellFolders;
    platform_.files = &files;
    platform_.process = &process;
    platform_.messages = &messages;
    platform_.kernel = &kernel;
    platform_.security = &security;
    platform_.keys = &keys;
    platform_.clock = &clock;
    platform_.locale = &locale;
    platform_.systemInfo = &systemInfo;
    platform_.application = &application;
    platform_.foreground = &foreground;
    platform_.shell = &shell;
    platform_.windows = &windows;
    platform_.console = &console;
    platform_.fileTree = &fileTree;
    platform_.systemFolders = &systemFolders;
    platform_.clipboard = &clipboard;
    platform_.recycleBin = &recycleBin;
    platform_.starter = &starter;
    platform_.urlCache = &urlCache;
    platform_.credentials = &credentials;
    platform_.http = &http;
    platform_.sharedMemory = &sharedMemory;
    platform_.events = &events;
    platform_.signatures = &signatures;
    platform_.urlHistory = [this]() -> std::unique_ptr<IUrlHistoryStore> {
        return std::make_unique<TFakeUrlHistoryStore>(historyClears);
    };
    SetSystemPlatform(&platform_);
}

TFakePlatform::~TFakePlatform() {
    SetSystemPlatform(nullptr);
}

}  // namespace tallow
