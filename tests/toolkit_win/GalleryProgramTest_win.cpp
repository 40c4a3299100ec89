// The gallery program itself, driven from outside: /dialog opens a message
// dialog whose answer the gallery shows in lblResult.
#include <gtest/gtest.h>

#include "WindowFinder_win.h"

namespace tallow {
namespace {

using namespace tallow::test;

struct Process {
    PROCESS_INFORMATION info{};
    explicit Process(std::string commandLine) {
        STARTUPINFOA si{};
        si.cb = sizeof(si);
        started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                                 &info) != FALSE;
    }
    ~Process() {
        if (!started)
            return;
        if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    bool started = false;
};

TEST(GalleryProgramTest, ConfirmationDialogAnswersNoAndKeepsShowingAgain) {
    Process gallery("gallery.exe /dialog=3");
    ASSERT_TRUE(gallery.started);
    HWND dialog = WaitForWindow("TallowMessageDialog", 10000);
    ASSERT_NE(dialog, nullptr);
    HWND no = FindChild(dialog, "TallowButton", "&No");
    ASSERT_NE(no, nullptr);
    EXPECT_NE(FindChild(dialog, "TallowCheckBox", "Don't display this message again"), nullptr);
    SendMessageA(no, BM_CLICK, 0, 0);
    HWND main = FindWindowA("TallowGallery", nullptr);
    ASSERT_NE(main, nullptr);
    auto resultText = [main] {
        for (const ChildWindow& w : ChildWindows(main))
            if (w.className == "TallowLabel" && w.text.rfind("Result:", 0) == 0)
                return w.text;
        return std::string();
    };
    std::string result;
    for (int i = 0; i < 200 && result != "Result: 7 show-again"; ++i) {
        Sleep(20);
        result = resultText();
    }
    EXPECT_EQ(result, "Result: 7 show-again");
    PostMessageA(main, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace tallow
