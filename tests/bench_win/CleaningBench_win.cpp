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

#include "bench_win/BenchTree_win.h"
#include "cleaning/uCC.h"
#include "diagnostics/TraceSender.h"
#include "fakes/FakeSettings.h"
#include "platform/Platform.h"

namespace tallow {
namespace {

using namespace tallow::bench;

int topFolders = 100;  // 2,000 folders, 20,000 files
constexpr int kCacheEntries = 2000;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double TimeOurs(TCleaners& cleaners, const std::string& root) {
    auto start = Clock::now();
    cleaners.DeleteFolderContents(root, true);
    return SecondsSince(start);
}

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

double TimeMinimal(const std::string& root) {
    const std::wstring wide = Wide(root);
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
        MakeTree(Wide(a), topFolders);
        MakeTree(Wide(m), topFolders);
        MakeTree(Wide(b), topFolders);
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
    std::printf("folders: %d files in %d folders, %d times\n", TreeFiles(topFolders), TreeFolders(topFolders),
                kRounds);
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
