// The About and splash windows as real windows under Wine: what the About
// window shows in English and in another language, Esc in its modal loop, its
// place inside another program's window; the splash's layered picture and when
// it closes. With TALLOW_HOLD_MS set, each window stays up that long first (for
// screenshots).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>

#include "toolkit/controls/Application.h"
#include "toolkit/win/Desktop.h"
#include "toolkit/win/WindowLayer.h"
#include "toolkit_win/WindowFinder_win.h"
#include "windows/CLAboutForm.h"
#include "windows/CLSplashForm.h"
#include "windows/WindowFakes.h"

namespace tallow::testing {
namespace {

using test::FindChild;
using test::PumpUntil;
using test::WindowText;

std::string BinDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    return p.substr(0, p.find_last_of('\\') + 1);
}

void HoldForScreenshot() {
    if (const char* ms = std::getenv("TALLOW_HOLD_MS"))
        PumpUntil([] { return false; }, std::atoi(ms));
}

HWND Hwnd(const TskControl& control) {
    return reinterpret_cast<HWND>(control.WindowHandle());
}

class AboutWindowWin : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallWindowLayer();
        about_.f.settings.exeDir = BinDir();
    }
    std::unique_ptr<TfrmCLAboutForm> Create(const std::string& language) { return about_.Create(language); }

    AboutWindowSetup about_;
};

TEST_F(AboutWindowWin, ShowsThreeLinesInEnglishAndTheTranslatorInGerman) {
    std::unique_ptr<TfrmCLAboutForm> english = Create("English");
    english->Show();
    HWND window = Hwnd(*english);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; }, 5000));
    EXPECT_EQ(WindowText(window), "About Tallowmere");
    EXPECT_NE(FindChild(window, "TallowLabel", kAboutThreeLines), nullptr);
    EXPECT_NE(FindChild(window, "TallowLinkLabel", "Support"), nullptr);
    EXPECT_NE(FindChild(window, "TallowButton", "&OK"), nullptr);
    EXPECT_TRUE(IsWindowVisible(Hwnd(*english->pnLogo))) << "the shipped logo is shown";
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 373);
    HoldForScreenshot();
    english->Hide();

    std::unique_ptr<TfrmCLAboutForm> german = Create("German");
    german->Show();
    window = Hwnd(*german);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; }, 5000));
    EXPECT_NE(FindChild(window, "TallowLabel", kAboutThreeLines + "\r\nGerman is translated by Hanna Berg"), nullptr);
}

TfrmCLAboutForm* g_modal = nullptr;

void CALLBACK EndModalWithCancel(HWND, UINT, UINT_PTR, DWORD) {
    if (g_modal != nullptr)
        g_modal->SetModalResult(mrCancel);
}

TEST_F(AboutWindowWin, EscapeOnTheFocusedButtonEndsTheModalLoopWithOk) {
    std::unique_ptr<TfrmCLAboutForm> form = Create("English");
    form->HandleNeeded();
    HWND button = Hwnd(*form->btnOK);
    ASSERT_NE(button, nullptr);
    PostMessageA(button, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(button, WM_KEYUP, VK_ESCAPE, LPARAM(0xC0000001));
    // Should Esc fail, the loop ends by this timer instead, with Cancel.
    g_modal = form.get();
    UINT_PTR timer = SetTimer(nullptr, 0, 10000, &EndModalWithCancel);
    EXPECT_EQ(form->ShowModal(), mrOk);
    KillTimer(nullptr, timer);
    g_modal = nullptr;
    EXPECT_FALSE(IsWindowVisible(Hwnd(*form)));
}

TEST_F(AboutWindowWin, InsideAnotherWindowItSitsAtItsTopLeftCorner) {
    HWND outside = CreateWindowExA(0, "STATIC", "outside", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 600, 500, nullptr,
                                   nullptr, nullptr, nullptr);
    ASSERT_NE(outside, nullptr);
    std::unique_ptr<TfrmCLAboutForm> form = Create("English");
    PlaceFormInWindow(*form, reinterpret_cast<uintptr_t>(outside));
    HWND window = Hwnd(*form);
    EXPECT_EQ(GetParent(window), outside);
    RECT rect;
    GetWindowRect(window, &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(outside, &corner);
    EXPECT_EQ(corner.x, 0);
    EXPECT_EQ(corner.y, 0);
    form.reset();
    DestroyWindow(outside);
}

class SplashWindowWin : public ::testing::Test {
  protected:
    void SetUp() override { InstallWindowLayer(); }
    TFakeSettings settings_;
};

TEST_F(SplashWindowWin, ShowsItsLayeredPictureCentredAndClosesWhenTheMainWindowActivates) {
    settings_.exeDir = BinDir();
    TfrmCLSplashForm splash(nullptr, {&settings_, ScreenSize()});
    splash.Show();
    HWND window = Hwnd(splash);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 450);
    EXPECT_EQ(rect.bottom - rect.top, 250);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 450) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 250) / 2);
    EXPECT_FALSE(PumpUntil([&] { return IsWindowVisible(window) == FALSE; }, 500)) << "it waits for the main window";
    HoldForScreenshot();

    TskForm main(nullptr);
    main.SetBounds(100, 100, 300, 200);
    main.SetCaption("Main");
    main.Show();
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) == FALSE; }, 5000));
}

TEST_F(SplashWindowWin, WithoutItsPictureFileItShowsTheBuiltInPictureAndClosesAtOnce) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    settings_.exeDir = std::string(temp) + "tallow-no-splash\\";
    TfrmCLSplashForm splash(nullptr, {&settings_, ScreenSize()});
    splash.Show();
    HWND window = Hwnd(splash);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window)) << "shown until the message loop runs";
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 439);
    EXPECT_EQ(rect.top, 162);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) == FALSE; }, 2000));
}

}  // namespace
}  // namespace tallow::testing
