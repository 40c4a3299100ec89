// Benchmark of the cleaners (not a test): DeleteFolderContents against a minimal
// FindFirstFileW/DeleteFileW/RemoveDirectoryW loop and against the command
// interpreter's "rd /s /q" on identical trees, and PurgeUrlCache over a full cache.
//   cleaning_bench [top folders]   (default 100: 20,000 files in 2,000 folders)
#include <windows.h>

#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cleaning/uCC.h"
#include "diagnostics/TraceSender.h"
#include "fakes/FakeSettings.h"
#include "platform/Platform.h"

namespace tallow {
namespace {

int topFolders = 100;
constexpr int kSubFolders = 19;      // 100 + 100 * 19 = 2,000 folders
constexpr int kFilesPerFolder = 10;  // 20,000 files
constexpr int kCacheEntries = 2000;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void FillFolder(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int f = 0; f < kFilesPerFolder; ++f) {
        HANDLE h = CreateFileA((folder + "\\file" + std::to_string(f) + ".tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(h, "cache data", 10, &written, nullptr);
        CloseHandle(h);
    }
}

void MakeTree(const std::string& root) {
    CreateDirectoryA(root.c_str(), nullptr);
    for (int t = 0; t < topFolders; ++t) {
        std::string top = root + "\\dir" + std::to_string(t);
        FillFolder(top);
        for (int s = 0; s < kSubFolders; ++s)
            FillFolder(top + "\\sub" + std::to_string(s));
    }
}

double TimeOurs(TCleaners& cleaners, const std::string& root) {
    auto start = Clock::now();
    cleaners.DeleteFolderContents(root, true);
    return SecondsSince(start);
}

// The least a walk can do: list by path, delete by path, no checks.
void MinimalDelete(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring path = folder + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            MinimalDelete(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

double TimeMinimal(const std::string& root) {
    std::wstring wide(root.begin(), root.end());
    auto start = Clock::now();
    MinimalDelete(wide);
    return SecondsSince(start);
}

double TimeRd(const std::string& root) {
    char comspec[MAX_PATH] = {};
    GetEnvironmentVariableA("ComSpec", comspec, MAX_PATH);
    TProcessRequest request;
    request.application = comspec;
    request.commandLine = "cmd /c rd /s /q \"" + root + "\"";
    request.hidden = true;
    request.wait = true;
    auto start = Clock::now();
    DefaultPlatform().starter->Start(request);
    return SecondsSince(start);
}

void BenchFolders(TCleaners& cleaners, const std::string& base) {
    constexpr int kRounds = 3;
    double ours = 0, minimal = 0, rd = 0;
    // The first call loads and initialises the shell library (the protected folders);
    // the program has done so at start, before any cleaning.
    std::string warmUp = base + "\\warm-up";
    CreateDirectoryA(warmUp.c_str(), nullptr);
    cleaners.DeleteFolderContents(warmUp, true);
    RemoveDirectoryA(warmUp.c_str());
    for (int round = 0; round < kRounds; ++round) {
        std::string a = base + "\\ours" + std::to_string(round), m = base + "\\minimal" + std::to_string(round),
                    b = base + "\\rd" + std::to_string(round);
        MakeTree(a);
        MakeTree(m);
        MakeTree(b);
        // Rotate the order so that no side always meets a warmer system.
        double o = 0, n = 0, r = 0;
        for (int turn = 0; turn < 3; ++turn) {
            switch ((round + turn) % 3) {
                case 0:
                    o = TimeOurs(cleaners, a);
                    break;
                case 1:
                    n = TimeMinimal(m);
                    break;
                default:
                    r = TimeRd(b);
                    break;
            }
        }
        std::printf("round %d: DeleteFolderContents %.3f s, minimal loop %.3f s, rd /s /q %.3f s\n", round + 1, o, n,
                    r);
        ours += o;
        minimal += n;
        rd += r;
        RemoveDirectoryA(a.c_str());
        RemoveDirectoryA(m.c_str());
    }
    std::printf("folders: %d files in %d folders, %d times\n", topFolders * (kSubFolders + 1) * kFilesPerFolder,
                topFolders * (kSubFolders + 1), kRounds);
    std::printf("DeleteFolderContents %.3f s, minimal loop %.3f s, rd /s /q %.3f s\n", ours, minimal, rd);
    std::printf("ratio ours/minimal = %.2f, ratio ours/rd = %.2f\n", ours / minimal, ours / rd);
}

void BenchPurge(TCleaners& cleaners) {
    FILETIME never = {};
    int added = 0;
    for (int i = 0; i < kCacheEntries; ++i) {
        std::string url = "http://bench.tallow.test/page" + std::to_string(i) + ".html";
        char file[MAX_PATH] = {};
        if (!CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0))
            continue;
        HANDLE h = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
        added += CommitUrlCacheEntryA(url.c_str(), file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr,
                                      nullptr) != FALSE;
    }
    DebugTrace().Enabled = false;  // outside debug mode, as a user runs it
    auto start = Clock::now();
    cleaners.PurgeUrlCache();
    double seconds = SecondsSince(start);
    std::printf("PurgeUrlCache: %d entries in %.3f s = %.0f entries/s\n", added, seconds, added / seconds);
}

}  // namespace
}  // namespace tallow

int main(int argc, char** argv) {
    using namespace tallow;
    if (argc > 1)
        topFolders = std::max(1, std::atoi(argv[1]));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + "tallow-bench";
    CreateDirectoryA(base.c_str(), nullptr);
    TFakeSettings settings;  // the measured cleaners read no settings
    TCleaners cleaners(DefaultPlatform(), settings);
    BenchFolders(cleaners, base);
    BenchPurge(cleaners);
    RemoveDirectoryA(base.c_str());
    return 0;
}
