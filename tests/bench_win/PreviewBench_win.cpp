// Benchmark of the preview (not a test): the preview of a folder item against a
// minimal FindFirstFileW/FindNextFileW loop that sums the same sizes, side by side
// on one folder.
//   preview_bench [files]   (default 100,000 files in one folder)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cleaning/Catalogue.h"
#include "cleaning/ItemRunner.h"
#include "fakes/FakeSettings.h"
#include "platform/Platform.h"

namespace tallow {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 5;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void MakeFolder(const std::wstring& folder, int files) {
    CreateDirectoryW(folder.c_str(), nullptr);
    std::string data(100, 'x');
    for (int f = 0; f < files; ++f) {
        HANDLE h = CreateFileW((folder + L"\\cache-entry-" + std::to_wstring(f) + L".tmp").c_str(), GENERIC_WRITE, 0,
                               nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(h, data.data(), DWORD(f % data.size()), &written, nullptr);
        CloseHandle(h);
    }
}

struct TSum {
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
};

// The least a count can do: list by path, add up, no checks.
void MinimalSum(const std::wstring& folder, TSum& sum) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (std::wcscmp(data.cFileName, L".") != 0 && std::wcscmp(data.cFileName, L"..") != 0)
                MinimalSum(folder + L"\\" + data.cFileName, sum);
        } else {
            ++sum.files;
            sum.bytes += (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

}  // namespace
}  // namespace tallow

int main(int argc, char** argv) {
    using namespace tallow;
    const int files = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tallow-preview-bench";
    MakeFolder(folder, files);

    // The folder is the cache item's folder; the preview walks it as the clean would.
    TFakeSettings settings;
    settings.shellFolders["Cache"] = std::string(folder.begin(), folder.end());
    std::unique_ptr<IItemRunner> runner = MakeItemRunner(DefaultPlatform(), settings);

    double preview = 0, minimal = 0;
    for (int round = 0; round <= kRounds; ++round) {  // round 0 warms the system's caches
        TItemTally tally;
        TSum sum;
        double p = 0, m = 0;
        for (int turn = 0; turn < 2; ++turn) {  // alternating, so no side always goes first
            auto start = Clock::now();
            if ((round + turn) % 2 == 0) {
                tally = runner->Preview(kItemIECache);
                p = SecondsSince(start);
            } else {
                MinimalSum(folder, sum);
                m = SecondsSince(start);
            }
        }
        if (tally.entries != sum.files || tally.bytes != sum.bytes)
            std::printf("mismatch: preview %llu files %llu bytes, loop %llu files %llu bytes\n",
                        (unsigned long long)tally.entries, (unsigned long long)tally.bytes,
                        (unsigned long long)sum.files, (unsigned long long)sum.bytes);
        if (round == 0)
            continue;
        std::printf("round %d: preview %.3f s, minimal loop %.3f s (%llu files, %llu bytes)\n", round, p, m,
                    (unsigned long long)sum.files, (unsigned long long)sum.bytes);
        preview += p;
        minimal += m;
    }
    std::printf("preview of %d files: %.3f s, minimal loop %.3f s, ratio preview/minimal = %.2f\n", files, preview,
                minimal, preview / minimal);
    runner.reset();
    TFakeSettings cleanSettings = settings;
    MakeItemRunner(DefaultPlatform(), cleanSettings)->Clean(kItemIECache);
    RemoveDirectoryW(folder.c_str());
    return 0;
}
