// The message dialog as a real modal window: another thread finds it like UI
// automation would, reads its text, ticks the box and presses a button.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "WindowFinder_win.h"
#include "toolkit/controls/SkinMessage.h"
#include "toolkit/win/WindowLayer.h"

namespace tallow {
namespace {

using namespace tallow::test;

struct Seen {
    std::string text;
    std::string caption;
    std::vector<std::string> buttons;
    bool flagOffered = false;
};

// Waits for the dialog, records what it shows, optionally ticks the box, then
// presses `button` with BM_CLICK (or Esc on the focused control when empty).
std::thread Operate(Seen& seen, std::string button, bool tick) {
    return std::thread([&seen, button, tick] {
        HWND dialog = WaitForWindow("TallowMessageDialog", 5000);
        if (dialog == nullptr)
            return;
        seen.caption = WindowText(dialog);
        for (const ChildWindow& w : ChildWindows(dialog)) {
            if (w.className == "TallowLabel")
                seen.text = w.text;
            if (w.className == "TallowButton")
                seen.buttons.push_back(w.text);
        }
        HWND flag = nullptr;
        for (const ChildWindow& w : ChildWindows(dialog))
            if (w.className == "TallowCheckBox")
                flag = w.hwnd;
        seen.flagOffered = flag != nullptr;
        if (flag != nullptr && tick)
            SendMessageA(flag, BM_CLICK, 0, 0);
        if (button.empty()) {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
            PostMessageA(info.hwndFocus != nullptr ? info.hwndFocus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
            return;
        }
        SendMessageA(FindChild(dialog, "TallowButton", button), BM_CLICK, 0, 0);
    });
}

struct MessageDialogWindow : ::testing::Test {
    TskSkinMessage message{nullptr};
    void SetUp() override { InstallWindowLayer(); }
    int Run(TMsgDlgButtons buttons, const std::string& press, Seen& seen, bool tick = false) {
        std::thread operatorThread = Operate(seen, press, tick);
        int result = message.MessageDlg("Clear your history now?", "Cleaner 2.1", TMsgDlgType::mtConfirmation, buttons);
        operatorThread.join();
        return result;
    }
};

TEST_F(MessageDialogWindow, ReturnsTheResultOfTheButtonPressed) {
    Seen seen;
    EXPECT_EQ(Run(MsgButtons({mbYes, mbNo}), "&Yes", seen), mrYes);
    EXPECT_EQ(seen.caption, "Cleaner 2.1");
    EXPECT_EQ(seen.text, "Clear your history now?");
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_FALSE(seen.flagOffered);
    Seen no, ok, cancel;
    EXPECT_EQ(Run(MsgButtons({mbYes, mbNo}), "&No", no), mrNo);
    EXPECT_EQ(Run(MsgButtons({mbOK, mbCancel}), "OK", ok), mrOk);
    EXPECT_EQ(Run(MsgButtons({mbOK, mbCancel}), "Cancel", cancel), mrCancel);
}

TEST_F(MessageDialogWindow, EscAnswersNoWhenThereIsNoCancel) {
    Seen seen;
    EXPECT_EQ(Run(MsgButtons({mbYes, mbNo}), "", seen), mrNo);
    Seen withCancel;
    EXPECT_EQ(Run(MsgButtons({mbYes, mbNo, mbCancel}), "", withCancel), mrCancel);
}

TEST_F(MessageDialogWindow, TheShowAgainBoxReportsWhetherItWasTicked) {
    message.SetShowAgainFlag(true);
    message.SetShowAgainFlagValue(true);
    Seen ticked;
    EXPECT_EQ(Run(MsgButtons({mbYes, mbNo}), "&Yes", ticked, true), mrYes);
    EXPECT_TRUE(ticked.flagOffered);
    EXPECT_FALSE(message.ShowAgainFlagValue());
    message.SetShowAgainFlagValue(true);
    Seen untouched;
    EXPECT_EQ(Run(MsgButtons({mbYes, mbNo}), "&No", untouched), mrNo);
    EXPECT_TRUE(message.ShowAgainFlagValue());
}

}  // namespace
}  // namespace tallow
