#include <windows.h>

#include <shlobj.h>
#include <userenv.h>

#include "platform/SystemFolders.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

// A path from a "fill this buffer" call; empty when the call fails or the buffer is short.
std::wstring FromBuffer(const wchar_t* buffer, DWORD length, DWORD capacity) {
    return length > 0 && length < capacity ? std::wstring(buffer, length) : std::wstring();
}

std::wstring ShellFolder(int csidl) {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return {};
    return buffer;
}

// The folder that holds the users' profiles. userenv.dll is loaded for it when
// the guards first ask, not imported: that would load it at every start.
std::wstring ProfilesDirectory() {
    HMODULE userenv = LoadLibraryA("userenv.dll");  // stays loaded for the process
    auto get = userenv != nullptr ? reinterpret_cast<decltype(&::GetProfilesDirectoryW)>(
                                        reinterpret_cast<void*>(GetProcAddress(userenv, "GetProfilesDirectoryW")))
                                  : nullptr;
    wchar_t buffer[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    return get != nullptr && get(buffer, &size) ? std::wstring(buffer) : std::wstring();
}

std::wstring Environment(const wchar_t* name) {
    wchar_t buffer[MAX_PATH] = {};
    return FromBuffer(buffer, GetEnvironmentVariableW(name, buffer, MAX_PATH), MAX_PATH);
}

class TWinSystemFolders : public ISystemFolders {
  public:
    std::string TempPath() override {
        wchar_t wide[256] = {};
        DWORD n = GetTempPathW(255, wide);
        if (n == 0 || n >= 255)
            return {};
        // A path the code page holds only by "best fit" would name another folder.
        char ansi[2 * 256] = {};
        BOOL lossy = FALSE;
        int length =
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, int(n), ansi, sizeof ansi, nullptr, &lossy);
        return length > 0 && !lossy ? std::string(ansi, length) : std::string();
    }

    std::vector<std::wstring> ProtectedFolders() override {
        std::vector<std::wstring> folders;
        wchar_t buffer[MAX_PATH] = {};
        std::wstring windows = FromBuffer(buffer, GetSystemWindowsDirectoryW(buffer, MAX_PATH), MAX_PATH);
        if (!windows.empty()) {
            for (const wchar_t* system : {L"\\System32", L"\\SysWOW64", L"\\Sysnative", L"\\System"})
                folders.push_back(windows + system);
            folders.push_back(windows);
        }
        folders.push_back(FromBuffer(buffer, GetSystemDirectoryW(buffer, MAX_PATH), MAX_PATH));
        folders.push_back(FromBuffer(buffer, GetSystemWow64DirectoryW(buffer, MAX_PATH), MAX_PATH));
        for (int csidl :
             {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY})
            folders.push_back(ShellFolder(csidl));
        // A 32-bit program is told the 32-bit Program Files; the other one is named here.
        for (const wchar_t* name : {L"ProgramW6432", L"ProgramFiles", L"ProgramFiles(x86)", L"USERPROFILE"})
            folders.push_back(Environment(name));
        folders.push_back(ProfilesDirectory());
        DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
        std::wstring program = FromBuffer(buffer, n, MAX_PATH);
        folders.push_back(program.substr(0, program.find_last_of(L'\\') + 1));
        std::erase(folders, std::wstring());
        return folders;
    }
};

}  // namespace

ISystemFolders& RealSystemFolders() {
    static TWinSystemFolders folders;
    return folders;
}

}  // namespace tallow
