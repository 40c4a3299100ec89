#include "fakes/FakePlatform.h"

#include <algorithm>

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

void TFakeRegistry::Set(RegistryRoot root, const std::string& path, const std::string& name,
                        const std::string& value, RegistryView view) {
    (view == RegistryView::Bits64 ? values64 : values)[{root, path + "\\" + name}] = value;
}

void TFakeRegistry::AddKey(RegistryRoot root, const std::string& path, RegistryView view) {
    (view == RegistryView::Bits64 ? emptyKeys64 : emptyKeys).insert({root, path});
}

TRegistryString TFakeRegistry::Read(RegistryRoot root, RegistryView view, const std::string& path,
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

std::intptr_t TFakeWindowMessages::Send(WindowHandle window, std::uint32_t message, std::uintptr_t,
                                        std::intptr_t) {
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

std::intptr_t TFakeWindowMessages::SendCopyData(WindowHandle window, std::uintptr_t dwData,
                                                const std::string& bytes) {
    sent.push_back({window, "WM_COPYDATA", bytes, dwData});
    return 0;
}

bool TFakeWindowMessages::Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
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
    while (!posted.empty()) {
        std::function<void()> task = std::move(posted.front());
        posted.erase(posted.begin());
        task();
        ++ran;
    }
    return ran;
}

WindowHandle TFakeProcessWindows::FindOwnWindow(const std::string& className) {
    auto it = own.find(className);
    return it == own.end() ? 0 : it->second;
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
    platform_.application = &application;
    platform_.foreground = &foreground;
    platform_.shell = &shell;
    platform_.windows = &windows;
    SetSystemPlatform(&platform_);
}

TFakePlatform::~TFakePlatform() {
    SetSystemPlatform(nullptr);
}

}  // namespace tallow
