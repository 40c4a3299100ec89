// The application object's task posting and the windows of this process, with
// the real Win32 services.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/WinServices.h"

namespace tallow {
namespace {

TEST(ApplicationWinTest, TasksPostedFromAWorkerRunInOrderOnTheUiThreadFromTheLoop) {
    IApplication& app = WinApplication();  // first asked here: this is the UI thread
    const DWORD uiThread = GetCurrentThreadId();
    std::vector<int> order;
    std::vector<DWORD> threads;
    std::thread worker([&] {
        app.PostToUiThread([&] {
            order.push_back(1);
            threads.push_back(GetCurrentThreadId());
        });
        app.PostToUiThread([&] {
            order.push_back(2);
            threads.push_back(GetCurrentThreadId());
            app.Terminate();
        });
    });
    worker.join();
    EXPECT_TRUE(order.empty()) << "nothing runs before the UI thread dispatches";

    app.RunMessageLoop();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(threads, (std::vector<DWORD>{uiThread, uiThread}));

    // ProcessMessages dispatches them too.
    bool ran = false;
    app.PostToUiThread([&] { ran = true; });
    app.ProcessMessages();
    EXPECT_TRUE(ran);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ProcessWindowsWinTest, FindsThisProcesssWindowOfAClassUntilItIsDestroyed) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = PlainWindowProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "TallowOwnWindowProbe";
    ASSERT_NE(RegisterClassA(&cls), 0);
    IProcessWindows& windows = WinProcessWindows();
    EXPECT_EQ(windows.FindOwnWindow("TallowOwnWindowProbe"), 0u);

    HWND own = CreateWindowExA(0, cls.lpszClassName, "probe", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                               cls.hInstance, nullptr);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(windows.FindOwnWindow("TallowOwnWindowProbe"), reinterpret_cast<WindowHandle>(own));
    EXPECT_EQ(windows.FindOwnWindow("TallowNoSuchClass"), 0u);
    DestroyWindow(own);
    EXPECT_EQ(windows.FindOwnWindow("TallowOwnWindowProbe"), 0u);
}

}  // namespace
}  // namespace tallow
