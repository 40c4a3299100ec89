#include "bench_win/BenchTree_win.h"

#include <windows.h>

namespace tallow::bench {

namespace {

void FillFolder(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int f = 0; f < kFilesPerFolder; ++f) {
        HANDLE h = CreateFileW((folder + L"\\file" + std::to_wstring(f) + L".tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(h, "cache data", 10, &written, nullptr);
        CloseHandle(h);
    }
}

}  // namespace

void MakeTree(const std::wstring& root, int topFolders) {
    CreateDirectoryW(root.c_str(), nullptr);
    for (int t = 0; t < topFolders; ++t) {
        const std::wstring top = root + L"\\dir" + std::to_wstring(t);
        FillFolder(top);
        for (int s = 0; s < kSubFolders; ++s)
            FillFolder(top + L"\\sub" + std::to_wstring(s));
    }
}

void MinimalDelete(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = folder + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            MinimalDelete(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

int ListTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int entries = 0;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        ++entries;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            entries += ListTree(folder + L"\\" + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

}  // namespace tallow::bench
