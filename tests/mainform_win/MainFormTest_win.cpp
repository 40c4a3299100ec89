// The main window of the real program, driven from this process.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

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

// The window's seventeen item check boxes.
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

// The buttons that start cleaning: the large Clear Now and every row's button.
std::vector<HWND> CleaningButtons(HWND main) {
    std::vector<HWND> buttons;
    for (HWND b : Descendants(main, "TallowButton")) {
        const std::string text = WindowText(b);
        if (text == "Clear Now" || text == "Delete Now") {
            buttons.push_back(b);
        }
    }
    return buttons;
}

int EnabledCount(const std::vector<HWND>& windows) {
    int enabled = 0;
    for (HWND w : windows) {
        enabled += IsWindowEnabled(w) ? 1 : 0;
    }
    return enabled;
}

// A window of this process that owns the clipboard. Emptying the clipboard
// sends the owner WM_DESTROYCLIPBOARD and waits for its answer (up to 5 s), so
// a program that empties it inside a clear-all run stays inside that item
// until Release: a hold the test controls. The test's checks while holding are
// a few cross-process calls, far inside the sender's time-out.
class ClipboardHold {
  public:
    ClipboardHold() {
        thread_ = std::thread([this] { Run(); });
        WaitUntil([this] { return ready_.load(); }, 5000);
    }
    ~ClipboardHold() {
        Release();
        done_ = true;
        thread_.join();
    }
    bool Ready() const { return ready_; }
    /// Waits until a program is blocked emptying the clipboard.
    bool WaitHeld(int ms) {
        return WaitUntil([this] { return held_.load(); }, ms);
    }
    void Release() { release_ = true; }

  private:
    static LRESULT CALLBACK HoldProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
        auto* hold = reinterpret_cast<ClipboardHold*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (msg == WM_DESTROYCLIPBOARD && hold != nullptr) {
            hold->held_ = true;
            while (!hold->release_) {
                Sleep(5);
            }
            return 0;
        }
        return DefWindowProcA(window, msg, wp, lp);
    }

    void Run() {
        WNDCLASSA cls{};
        cls.lpfnWndProc = HoldProc;
        cls.lpszClassName = "TallowClipboardHold";
        RegisterClassA(&cls);
        HWND owner = CreateWindowExA(0, cls.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        if (owner != nullptr && OpenClipboard(owner)) {
            EmptyClipboard();
            HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 5);
            std::memcpy(GlobalLock(text), "held", 5);
            GlobalUnlock(text);
            SetClipboardData(CF_TEXT, text);
            CloseClipboard();
            SetWindowLongPtrA(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            ready_ = true;
        }
        MSG msg;
        while (!done_) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&msg);
            }
            Sleep(10);
        }
        DestroyWindow(owner);
    }

    std::thread thread_;
    std::atomic<bool> ready_{false}, held_{false}, release_{false}, done_{false};
};

bool RunMruHas(const char* value) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU", 0, KEY_READ,
                      &key) != ERROR_SUCCESS) {
        return false;
    }
    bool has = RegQueryValueExA(key, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return has;
}

void SetRunMru(const char* value, const char* data) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU", 0, nullptr, 0,
                    KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), DWORD(std::strlen(data) + 1));
    RegCloseKey(key);
}

std::string TempMarker() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "tallow_run_marker.txt";
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
    ASSERT_EQ(boxes.size(), 17u);
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
    ASSERT_EQ(boxes.size(), 17u);
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
        hasText = hasText || WindowText(w) == "Done. The selected item has been cleared.";  // English.lan
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
    // The choice of language while the window loaded composed the title already.
    EXPECT_EQ(WindowText(boxes[0]), ConstSetting("App.Name") + "  " + ConstSetting("App.Ver"));
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
    // The pages not shown get their windows once the shown window is idle.
    std::vector<HWND> checks;
    ASSERT_TRUE(WaitUntil([&] { return (checks = CheckBoxes(main)).size() == 17u; })) << checks.size();
    for (HWND box : checks) {
        EXPECT_FALSE(Checked(box)) << WindowText(box);
    }
}

// The window under a message dialog is disabled as under a system message
// box, and enabled and active again however the dialog ends.
TEST_F(MainFormTest, MessageDialogDisablesTheWindowUntilItEnds) {
    Start();
    HWND button = RowButton(main_, "Delete stored Passwords");
    ASSERT_NE(button, nullptr);
    const char* endings[] = {"OK button", "Esc", "closed from another program"};
    for (const char* ending : endings) {
        SCOPED_TRACE(ending);
        PostMessageA(button, BM_CLICK, 0, 0);
        std::vector<HWND> dialogs;
        ASSERT_TRUE(WaitUntil([&] { return !(dialogs = TopWindows(app_->Pid(), "TallowMessageDialog")).empty(); }));
        EXPECT_FALSE(IsWindowEnabled(main_));
        EXPECT_EQ(GetWindow(dialogs[0], GW_OWNER), main_);
        PostMessageA(button, BM_CLICK, 0, 0);  // a click beneath the dialog does nothing
        std::vector<HWND> ok = Descendants(dialogs[0], "TallowButton");
        ASSERT_EQ(ok.size(), 1u);
        if (ending == endings[0]) {
            PostMessageA(ok[0], BM_CLICK, 0, 0);
        } else if (ending == endings[1]) {
            PostMessageA(ok[0], WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
            PostMessageA(dialogs[0], WM_CLOSE, 0, 0);
        }
        // The click beneath was queued before the ending: had it been taken, a
        // second dialog would be up now.
        EXPECT_TRUE(WaitUntil([&] { return TopWindows(app_->Pid(), "TallowMessageDialog").empty(); }));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }, 3000)) << "active again";
    }
}

// A clear-all run held inside its clipboard item (item 9): the buttons are
// disabled, and a close or "CL CloseApp" ends it there: items 10 to 13 never
// run (the Run history and the temporary folder keep their marks).
TEST_F(MainFormTest, ClearAllRunDisablesItsButtonsAndStopsAfterTheCurrentItemWhenClosed) {
    for (const char* request : {"WM_CLOSE", "CL CloseApp"}) {
        SCOPED_TRACE(request);
        SetRunMru("z", "marker\\1");
        std::ofstream(TempMarker()) << "stays";
        ClipboardHold hold;
        ASSERT_TRUE(hold.Ready());
        Start();
        std::vector<HWND> buttons = CleaningButtons(main_);
        ASSERT_EQ(buttons.size(), 18u);
        HWND clearAll = FindChild(main_, "TallowButton", "Clear Now");
        for (HWND b : buttons) {
            if (GetParent(b) == main_) {
                clearAll = b;
            }
        }
        PostMessageA(clearAll, BM_CLICK, 0, 0);
        std::vector<HWND> dialogs;
        ASSERT_TRUE(WaitUntil([&] { return !(dialogs = TopWindows(app_->Pid(), "TallowMessageDialog")).empty(); }));
        std::vector<HWND> answers = Descendants(dialogs[0], "TallowButton");
        ASSERT_EQ(answers.size(), 2u) << "Yes and No";
        EXPECT_NE(WindowText(answers[0]).find("Yes"), std::string::npos) << WindowText(answers[0]);
        EXPECT_EQ(EnabledCount(buttons), 0) << "disabled from the question on";
        PostMessageA(answers[0], BM_CLICK, 0, 0);

        ASSERT_TRUE(hold.WaitHeld(60000)) << "the run never reached the clipboard item";
        EXPECT_EQ(EnabledCount(buttons), 0) << "disabled while the run goes on";
        EXPECT_TRUE(IsWindowEnabled(main_));
        if (std::string(request) == "WM_CLOSE") {
            PostMessageA(main_, WM_CLOSE, 0, 0);
        } else {
            PostMessageA(main_, RegisterWindowMessageA("CL CloseApp"), 0, 0);
        }
        hold.Release();
        EXPECT_TRUE(app_->WaitForExit(20000)) << "the program ends after the current item";
        EXPECT_TRUE(RunMruHas("z")) << "item 13 did not run";
        EXPECT_TRUE(std::ifstream(TempMarker()).good()) << "item 11 did not run";
        app_.reset();
    }
    DeleteFileA(TempMarker().c_str());
}

}  // namespace
}  // namespace tallow::testing
