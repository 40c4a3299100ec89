// Benchmark of emptying the temporary folder through the real button (not a
// test): the program is started with TEMP on a tree of files and folders, the
// System Files page is shown and counted, and the time runs from the click on
// the item's button to the message that ends the clean. Against it, a minimal
// FindFirstFileW/DeleteFileW/RemoveDirectoryW loop empties an identical tree.
//   button_bench [top folders]   (default 200: 40,000 files in 4,000 folders)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "bench_win/BenchTree_win.h"
#include "mainform_win/AppDriver_win.h"

namespace tallow {
namespace {

using Clock = std::chrono::steady_clock;
using namespace tallow::testing;

using namespace tallow::bench;

int topFolders = 200;  // 4,000 folders, 40,000 files
constexpr int kRounds = 3;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Polls every few milliseconds: the dialog's appearance is the end of the clean.
bool WaitClosely(const std::function<bool()>& done, int ms) {
    const auto start = Clock::now();
    while (!done()) {
        if (SecondsSince(start) * 1000 > ms)
            return false;
        Sleep(2);
    }
    return true;
}

// Starts the program on `temp`, shows and counts the System Files page, and times
// the temporary folder's button; a negative time when a step failed.
double TimeButton(const std::string& exe, const std::wstring& temp) {
    SetEnvironmentVariableW(L"TEMP", temp.c_str());
    SetEnvironmentVariableW(L"TMP", temp.c_str());
    AppProcess app(exe);
    HWND main = app.MainWindow(60000);
    if (!main || !WaitUntil([&] { return SendRegistered(main, "CL IfBusy") == 0; }))
        return -1;
    SendMessageA(FindChild(main, "TallowButton", "System Files"), BM_CLICK, 0, 0);
    // The page's count of the folder comes first, as a user sees it before clicking.
    if (!WaitUntil(
            [&] {
                for (HWND label : Descendants(main, "TallowLabel"))
                    if (IsWindowVisible(label) && WindowText(label).find("files") != std::string::npos)
                        return true;
                return false;
            },
            120000))
        return -2;
    HWND button = RowButton(main, "Empty Windows Temporary Folder");
    if (!button)
        return -3;
    std::vector<HWND> dialogs;
    const auto start = Clock::now();
    PostMessageA(button, BM_CLICK, 0, 0);
    if (!WaitClosely([&] { return !(dialogs = TopWindows(app.Pid(), "TallowMessageDialog")).empty(); }, 600000))
        return -4;
    const double seconds = SecondsSince(start);
    PostMessageA(Descendants(dialogs[0], "TallowButton")[0], BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindowVisible(dialogs[0]); });
    app.Close();
    return seconds;
}

}  // namespace
}  // namespace tallow

int main(int argc, char** argv) {
    using namespace tallow;
    if (argc > 1)
        topFolders = std::max(1, std::atoi(argv[1]));
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"tallow-button-bench";
    CreateDirectoryW(base.c_str(), nullptr);
    const std::string exe = testing::BinDir() + "tallowmere.exe";
    double button = 0, minimal = 0;
    for (int round = 1; round <= kRounds; ++round) {
        const std::wstring a = base + L"\\button" + std::to_wstring(round);
        const std::wstring m = base + L"\\minimal" + std::to_wstring(round);
        MakeTree(a, topFolders);
        MakeTree(m, topFolders);
        double b = 0, n = 0;
        for (int turn = 0; turn < 2; ++turn) {  // alternating, so no side always goes first
            if ((round + turn) % 2 == 0) {
                b = TimeButton(exe, a);
            } else {
                ListTree(m);  // as the page's count lists the program's tree before the click
                const auto start = Clock::now();
                MinimalDelete(m);
                n = SecondsSince(start);
            }
        }
        if (b < 0) {
            std::printf("round %d: the program could not be driven (step %d)\n", round, int(-b));
            return 1;
        }
        const int left = ListTree(a) + ListTree(m);
        std::printf("round %d: through the button %.3f s, minimal loop %.3f s%s\n", round, b, n,
                    left ? " (some entries were left: not comparable)" : "");
        button += b;
        minimal += n;
        RemoveDirectoryW(a.c_str());
        RemoveDirectoryW(m.c_str());
    }
    std::printf("%d files in %d folders, %d rounds: button %.3f s, minimal loop %.3f s, ratio button/minimal = %.2f\n",
                TreeFiles(topFolders), TreeFolders(topFolders), kRounds, button,
                minimal, button / minimal);
    RemoveDirectoryW(base.c_str());
    return 0;
}
