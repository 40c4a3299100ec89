#include <windows.h>

#include "cleaning_win/WinTestSupport.h"

#include <cstring>
#include <functional>

#include "platform/ProgramStarter.h"

namespace tallow::wintest {
namespace {

std::string EventName(const std::string& tag, const char* what) {
    return "Local\\tallow-cleaning-test-" + tag + "-" + what;
}

std::string SelfPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Signals "ready" and waits for "quit", pumping messages for a window helper.
void ServeUntilQuit(const std::string& tag) {
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, EventName(tag, "ready").c_str());
    HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, EventName(tag, "quit").c_str());
    SetEvent(ready);
    DWORD end = GetTickCount() + 60000;
    while (GetTickCount() < end) {
        DWORD r = MsgWaitForMultipleObjects(1, &quit, FALSE, 200, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            break;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    CloseHandle(ready);
    CloseHandle(quit);
}

void HoldFiles(const std::string& tag, int count, char** paths) {
    std::vector<HANDLE> held;
    for (int i = 0; i < count; ++i)
        held.push_back(CreateFileA(paths[i], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr));
    ServeUntilQuit(tag);
    for (HANDLE h : held)
        CloseHandle(h);
}

// The clipboard opened by a window: a system may let two openers without a
// window share it.
void HoldClipboard(const std::string& tag) {
    HWND owner = CreateWindowA("STATIC", "clipboard holder", 0, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    OpenClipboard(owner);
    ServeUntilQuit(tag);
    CloseClipboard();
}

void ShowMozillaWindow(const std::string& tag) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MozillaUIWindowClass";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("MozillaUIWindowClass", "Mozilla Firefox", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, wc.hInstance, nullptr);
    ServeUntilQuit(tag);
    DestroyWindow(window);
}

}  // namespace

bool RunHelperMode(int argc, char** argv) {
    if (argc < 3 || std::strncmp(argv[1], "--helper-", 9) != 0)
        return false;
    std::string mode = argv[1] + 9;
    std::string tag = argv[2];
    if (mode == "hold-files")
        HoldFiles(tag, argc - 3, argv + 3);
    else if (mode == "hold-clipboard")
        HoldClipboard(tag);
    else if (mode == "mozilla-window")
        ShowMozillaWindow(tag);
    return true;
}

THelperProcess::THelperProcess(const std::string& mode, const std::vector<std::string>& args) {
    static int counter = 0;
    tag_ = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, EventName(tag_, "ready").c_str());
    quit_ = CreateEventA(nullptr, TRUE, FALSE, EventName(tag_, "quit").c_str());
    std::string commandLine = "\"";
    commandLine.append(SelfPath()).append("\" --helper-").append(mode).append(" ").append(tag_);
    for (const std::string& arg : args)
        commandLine.append(" \"").append(arg).append("\"");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(SelfPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        process_ = process.hProcess;
        HANDLE waitFor[] = {ready, process.hProcess};
        ready_ = WaitForMultipleObjects(2, waitFor, FALSE, 20000) == WAIT_OBJECT_0;
    }
    CloseHandle(ready);
}

THelperProcess::~THelperProcess() {
    SetEvent(quit_);
    if (process_) {
        WaitForSingleObject(process_, 20000);
        CloseHandle(process_);
    }
    CloseHandle(quit_);
}

//--- Settings and services --------------------------------------------------

TPlatform TestPlatform(bool urlHistory) {
    TPlatform platform = DefaultPlatform();
    if (!urlHistory)
        platform.urlHistory = nullptr;
    return platform;
}

TFakeSettings TestSettings() {
    TFakeSettings settings;
    settings.exeDir = ProgramFolder();
    return settings;
}

std::string ProgramFolder() {
    std::string self = SelfPath();
    return self.substr(0, self.find_last_of('\\') + 1);
}

//--- Files ------------------------------------------------------------------

namespace {

void ForEachBelow(const std::string& folder,
                  const std::string& prefix,
                  const std::function<void(const std::string&, const WIN32_FIND_DATAA&)>& visit) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        visit(prefix + name, data);
        bool plainFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                           !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
        if (plainFolder)
            ForEachBelow(folder + name + "\\", prefix + name + "\\", visit);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void RemoveTree(const std::string& folder) {
    std::vector<std::string> folders;
    ForEachBelow(folder, folder, [&](const std::string& path, const WIN32_FIND_DATAA& data) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return;  // a link made on the host side stays for the prefix's next start to remove
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(path);
        else
            DeleteFileA(path.c_str());
    });
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        RemoveDirectoryA(it->c_str());
}

}  // namespace

TScratchFolder::TScratchFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "tallow-" + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
    MakeFolder(path_);
}

TScratchFolder::~TScratchFolder() {
    RemoveTree(path_);
}

void MakeFolder(const std::string& path) {
    CreateDirectoryA(path.c_str(), nullptr);
}

TTempVariable::TTempVariable(const std::string& folder) {
    for (const char* name : {"TMP", "TEMP"}) {
        char old[MAX_PATH] = {};
        DWORD n = GetEnvironmentVariableA(name, old, MAX_PATH);
        saved_.push_back({name, std::string(old, n < MAX_PATH ? n : 0)});
        SetEnvironmentVariableA(name, folder.c_str());
    }
}

TTempVariable::~TTempVariable() {
    for (const auto& [name, value] : saved_)
        SetEnvironmentVariableA(name.c_str(), value.c_str());
}

void WriteTextFile(const std::string& path, const std::string& text, unsigned attributes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
    if (attributes)
        SetFileAttributesA(path.c_str(), attributes);
}

std::string ReadTextFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    char buffer[4096];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::string> TreeBelow(const std::string& folder) {
    std::set<std::string> paths;
    ForEachBelow(folder, "", [&](const std::string& path, const WIN32_FIND_DATAA&) { paths.insert(path); });
    return paths;
}

bool MakeDirectoryLink(const std::string& link, const std::string& target) {
    auto isLink = [&] {
        DWORD a = GetFileAttributesA(link.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT);
    };
    constexpr DWORD kDirectoryUnprivileged = SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2;
    if (CreateSymbolicLinkA(link.c_str(), target.c_str(), kDirectoryUnprivileged) && isLink())
        return true;
    // Wine answers success without making a link; a host symbolic link is one it reports.
    using UnixNameFn = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return false;
    auto toUnix = [&](const std::string& path) {
        std::wstring wide(path.begin(), path.end());
        char* name = unixName(wide.c_str());
        std::string out = name ? name : "";
        HeapFree(GetProcessHeap(), 0, name);
        return out;
    };
    std::string linkParent = link.substr(0, link.find_last_of('\\'));
    std::string unixLink = toUnix(linkParent) + "/" + link.substr(link.find_last_of('\\') + 1);
    TProcessRequest request;
    request.application = "Z:\\bin\\ln";
    request.commandLine = "ln -s \"" + toUnix(target) + "\" \"" + unixLink + "\"";
    request.wait = true;
    request.timeoutMs = 10000;
    if (!DefaultPlatform().starter->Start(request))
        return false;
    for (int waited = 0; waited < 10000 && !isLink(); waited += 50)
        Sleep(50);  // Wine does not wait for a host program to end
    return isLink();
}

//--- Registry ---------------------------------------------------------------

void DeleteRegistryTree(bool machine, const std::string& key) {
    RegDeleteTreeA(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key.c_str());
}

void SetRegistryString(bool machine, const std::string& key, const std::string& name, const std::string& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &h, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(h, name.empty() ? nullptr : name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD(value.size() + 1));
    RegCloseKey(h);
}

}  // namespace tallow::wintest
