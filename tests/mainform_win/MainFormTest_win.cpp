// The main window of the real program, driven from this process.
#include <gtest/gtest.h>

#include "mainform_win/AppDriver_win.h"

namespace tallow::testing {
namespace {

std::string ConstSetting(const std::string& key) {
    char value[256] = {};
    GetPrivateProfileStringA("setting", key.c_str(), "", value, sizeof value, (BinDir() + "const.dat").c_str());
    return value;
}

std::string ProgramPath() {
    return BinDir() + "tallowmere.exe";
}

bool Checked(HWND box) {
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The window's thirteen item check boxes.
std::vector<HWND> CheckBoxes(HWND main) {
    return Descendants(main, "TallowCheckBox");
}

// Whether the page holding the check box with `caption` is the one shown.
bool PageShows(HWND main, const std::string& caption) {
    for (HWND box : Descendants(main, "TallowCheckBox")) {
        if (WindowText(box) == caption && IsWindowVisible(box)) {
            return true;
        }
    }
    return false;
}

HWND FocusOf(HWND main) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return info.hwndFocus;
}

// The visible button on the row of the visible check box `caption`.
HWND RowButton(HWND main, const std::string& caption) {
    HWND box = nullptr;
    for (HWND w : Descendants(main, "TallowCheckBox")) {
        if (WindowText(w) == caption && IsWindowVisible(w)) {
            box = w;
        }
    }
    if (!box) {
        return nullptr;
    }
    RECT boxRect;
    GetWindowRect(box, &boxRect);
    for (HWND b : Descendants(GetParent(box), "TallowButton")) {
        RECT r;
        GetWindowRect(b, &r);
        if (r.top == boxRect.top) {
            return b;
        }
    }
    return nullptr;
}

class MainFormTest : public ::testing::Test {
  protected:
    void Start(const std::string& exe = ProgramPath()) {
        app_ = std::make_unique<AppProcess>(exe);
        ASSERT_TRUE(app_->Started());
        main_ = app_->MainWindow();
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return SendRegistered(main_, "CL IfBusy") == 0; }))
            << "the started program never became ready";
    }
    void TearDown() override { app_.reset(); }

    std::unique_ptr<AppProcess> app_;
    HWND main_ = nullptr;
};

TEST_F(MainFormTest, StartedProgramAnswersAndShowsTheTickedIEPage) {
    Start();
    EXPECT_EQ(SendRegistered(main_, "CL GetAppID"), std::stoi(ConstSetting("App.ID")));
    EXPECT_EQ(SendRegistered(main_, "CL IfBusy"), 0);
    const std::string title = ConstSetting("App.Name") + "  " + ConstSetting("App.Ver");
    EXPECT_TRUE(WaitUntil([&] { return WindowText(main_) == title; }, 3000)) << WindowText(main_);

    std::vector<HWND> boxes = CheckBoxes(main_);
    ASSERT_EQ(boxes.size(), 13u);
    for (HWND box : boxes) {
        EXPECT_TRUE(Checked(box)) << WindowText(box);
    }
    EXPECT_TRUE(PageShows(main_, "Delete Temporary Internet Files (Cache)"));
    EXPECT_FALSE(PageShows(main_, "Delete Cache"));
    EXPECT_EQ(WindowText(FocusOf(main_)), "Internet Explorer");
    RECT client;
    GetClientRect(main_, &client);
    EXPECT_GE(client.right, 678);
}

TEST_F(MainFormTest, CategoryButtonsSwitchPagesAndSelectAllTicksEveryBox) {
    Start();
    struct Category {
        const char* button;
        const char* rowOnPage;
    };
    for (Category c : {Category{"Fire Fox", "Delete Cache"}, Category{"Windows History", "Clear Recent Documents List"},
                       Category{"System Files", "Empty Recycle Bin"},
                       Category{"Internet Explorer", "Delete Temporary Internet Files (Cache)"}}) {
        HWND button = FindChild(main_, "TallowButton", c.button);
        ASSERT_NE(button, nullptr) << c.button;
        SendMessageA(button, BM_CLICK, 0, 0);
        EXPECT_TRUE(PageShows(main_, c.rowOnPage)) << c.button;
        int shown = 0;
        for (const char* row : {"Delete Cache", "Clear Recent Documents List", "Empty Recycle Bin",
                                "Delete Temporary Internet Files (Cache)"}) {
            shown += PageShows(main_, row) ? 1 : 0;
        }
        EXPECT_EQ(shown, 1) << "one page at a time";
    }

    std::vector<HWND> boxes = CheckBoxes(main_);
    ASSERT_EQ(boxes.size(), 13u);
    for (size_t i = 0; i < boxes.size(); i += 3) {
        SendMessageA(boxes[i], BM_SETCHECK, BST_UNCHECKED, 0);
    }
    EXPECT_FALSE(Checked(boxes[0]));
    SendMessageA(FindChild(main_, "TallowButton", "Select All"), BM_CLICK, 0, 0);
    for (HWND box : boxes) {
        EXPECT_TRUE(Checked(box)) << WindowText(box);
    }
}

TEST_F(MainFormTest, ItemButtonActsWithItsBoxUntickedAndShowsItsMessage) {
    Start();
    HWND box = FindChild(main_, "TallowCheckBox", "Delete stored Passwords");
    ASSERT_NE(box, nullptr);
    SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
    HWND button = RowButton(main_, "Delete stored Passwords");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(WindowText(button), "Delete Now");
    PostMessageA(button, BM_CLICK, 0, 0);  // the modal message box keeps the program busy

    std::vector<HWND> dialogs;
    ASSERT_TRUE(WaitUntil([&] { return !(dialogs = TopWindows(app_->Pid(), "TallowMessageDialog")).empty(); }));
    EXPECT_EQ(WindowText(dialogs[0]), ConstSetting("App.Name"));
    bool hasText = false;
    for (HWND w : Descendants(dialogs[0])) {
        hasText = hasText || WindowText(w) == "[AppRes]MSGBOX_Cleared";
    }
    EXPECT_TRUE(hasText);
    std::vector<HWND> buttons = Descendants(dialogs[0], "TallowButton");
    ASSERT_EQ(buttons.size(), 1u) << "an information box with one OK button";
    PostMessageA(buttons[0], BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TopWindows(app_->Pid(), "TallowMessageDialog").empty(); }));
    EXPECT_FALSE(Checked(box)) << "the button leaves its box as it was";
}

TEST_F(MainFormTest, SecondStartBringsTheRunningWindowToTheFrontAndEnds) {
    Start();
    ShowWindow(main_, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(main_) != FALSE; }, 3000));
    AppProcess second(ProgramPath());
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.WaitForExit(20000)) << "the second start ends by itself";
    EXPECT_EQ(second.MainWindow(0), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(main_) && GetForegroundWindow() == main_; }, 5000));
}

TEST_F(MainFormTest, ClipboardHeldElsewhereIsReportedByTheErrorBox) {
    Start();
    const std::string title = ConstSetting("App.Name") + "  " + ConstSetting("App.Ver");
    ASSERT_TRUE(WaitUntil([&] { return WindowText(main_) == title; }, 3000));
    ASSERT_TRUE(OpenClipboard(nullptr)) << "this process holds the clipboard";
    SendMessageA(FindChild(main_, "TallowButton", "System Files"), BM_CLICK, 0, 0);
    HWND button = RowButton(main_, "Clear Clipboard");
    ASSERT_NE(button, nullptr);
    PostMessageA(button, BM_CLICK, 0, 0);

    std::vector<HWND> boxes;
    bool shown = WaitUntil([&] { return !(boxes = TopWindows(app_->Pid(), "#32770")).empty(); });
    CloseClipboard();
    ASSERT_TRUE(shown) << "no error box";
    EXPECT_EQ(WindowText(boxes[0]), title) << "the error box carries the program's title";
    std::string message;
    for (HWND w : Descendants(boxes[0], "Static")) {
        message += WindowText(w);
    }
    EXPECT_NE(message.find("Cannot open clipboard"), std::string::npos) << message;
    PostMessageA(FindChild(boxes[0], "Button", "OK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TopWindows(app_->Pid(), "#32770").empty(); }));
    Sleep(300);
    EXPECT_TRUE(TopWindows(app_->Pid(), "TallowMessageDialog").empty()) << "the item's message is not shown";
    EXPECT_EQ(SendRegistered(main_, "CL GetAppID"), std::stoi(ConstSetting("App.ID"))) << "the program goes on";
}

// A scratch copy of the program folder without res\title.png.
std::string ScratchCopyWithoutTitle() {
    std::string dir = BinDir() + "mainform_notitle\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA((dir + "res").c_str(), nullptr);
    DeleteFileA((dir + "res\\title.png").c_str());
    CopyFileA(ProgramPath().c_str(), (dir + "tallowmere.exe").c_str(), FALSE);
    CopyFileA((BinDir() + "const.dat").c_str(), (dir + "const.dat").c_str(), FALSE);
    for (int n = 1; n <= 6; ++n) {
        std::string name = "res\\icon24_0" + std::to_string(n) + ".png";
        CopyFileA((BinDir() + name).c_str(), (dir + name).c_str(), FALSE);
    }
    return dir + "tallowmere.exe";
}

TEST_F(MainFormTest, MissingTitleImageIsReportedAndTheWindowOpensUnticked) {
    AppProcess app(ScratchCopyWithoutTitle());
    ASSERT_TRUE(app.Started());
    std::vector<HWND> boxes;
    ASSERT_TRUE(WaitUntil([&] { return !(boxes = TopWindows(app.Pid(), "#32770")).empty(); }, 15000)) << "no error box";
    EXPECT_EQ(WindowText(boxes[0]), ConstSetting("App.Name"));
    std::string message;
    for (HWND w : Descendants(boxes[0], "Static")) {
        message += WindowText(w);
    }
    EXPECT_NE(message.find("Cannot open file \""), std::string::npos) << message;
    EXPECT_NE(message.find("res\\title.png\"."), std::string::npos) << message;
    HWND ok = FindChild(boxes[0], "Button", "OK");
    ASSERT_NE(ok, nullptr);
    PostMessageA(ok, BM_CLICK, 0, 0);

    HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    std::vector<HWND> checks = CheckBoxes(main);
    ASSERT_EQ(checks.size(), 13u);
    for (HWND box : checks) {
        EXPECT_FALSE(Checked(box)) << WindowText(box);
    }
}

}  // namespace
}  // namespace tallow::testing
