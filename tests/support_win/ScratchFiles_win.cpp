#include "support_win/ScratchFiles_win.h"

#include <windows.h>

namespace tallow::testing {

std::string ThisFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string ReadWholeFile(const std::string& path, const std::string& missing) {
    HANDLE f =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        return missing;
    }
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    CloseHandle(f);
    return content;
}

void CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((from + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from + name + "\\", to + name + "\\");
        } else {
            CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE);
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

}  // namespace tallow::testing
