// The gallery's controls as real windows: found by class and caption, driven
// with BM_CLICK, read with WM_GETTEXT, check boxes read and set; the form's
// message hook; exceptions stopped at the window procedure.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <imm.h>

#include <memory>
#include <stdexcept>

#include "GalleryForm.h"
#include "WindowFinder_win.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/PngForm.h"
#include "toolkit/win/WindowLayer.h"

namespace tallow {
namespace {

using namespace tallow::test;

struct GalleryWindow : ::testing::Test {
    std::unique_ptr<TGalleryForm> form;
    HWND hwnd = nullptr;
    size_t firstPage = 0;  // the page shown when the window opens

    void SetUp() override {
        InstallWindowLayer();
        form = std::make_unique<TGalleryForm>(nullptr, "res\\");
        form->pcMain->SetActivePage(form->pages[firstPage]);
        form->Show();
        // The pages not shown get their windows at the first timer tick after painting.
        for (int i = 0; i < 2000 && !EveryCheckBoxHasItsWindow(); ++i) {
            Application().ProcessMessages();
            Sleep(1);
        }
        hwnd = reinterpret_cast<HWND>(form->WindowHandle());
        ASSERT_NE(hwnd, nullptr);
        ASSERT_TRUE(EveryCheckBoxHasItsWindow());
    }
    bool EveryCheckBoxHasItsWindow() const {
        for (TskCheckBox* c : form->checkBoxes)
            if (c->WindowHandle() == 0)
                return false;
        return true;
    }
};

TEST_F(GalleryWindow, EveryControlIsAChildWindowWithItsCaption) {
    EXPECT_EQ(FindWindowA("TallowGallery", nullptr), hwnd);
    EXPECT_EQ(WindowText(hwnd), "Tallowmere Toolkit Gallery");
    for (const char* caption : {"Clear Now", "Select All", "Internet Explorer", "Fire Fox", "Windows History",
                                "System Files", "Delete Now", "&Warning", "Con&firmation"})
        EXPECT_NE(FindChild(hwnd, "TallowButton", caption), nullptr) << caption;
    EXPECT_NE(FindChild(hwnd, "TallowCheckBox", "Delete Temporary Internet Files (Cache)"), nullptr);
    EXPECT_NE(FindChild(hwnd, "TallowLabel", "(Including Browsing, Search, Address Bar and Form AutoComplete)"),
              nullptr);
    EXPECT_NE(FindChild(hwnd, "TallowShadowLabel", "Tallowmere"), nullptr);
    EXPECT_NE(FindChild(hwnd, "TallowLinkLabel", "Support"), nullptr);
    EXPECT_NE(FindChild(hwnd, "TallowGauge", ""), nullptr);
    EXPECT_NE(FindChild(hwnd, "TallowPageControl", ""), nullptr);

    HWND button = FindChild(hwnd, "TallowButton", "Select All");
    HWND label = FindChild(hwnd, "TallowShadowLabel", "Tallowmere");
    EXPECT_NE(GetWindowLongPtrA(button, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(GetWindowLongPtrA(label, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(SendMessageA(button, WM_GETTEXTLENGTH, 0, 0), 10);
}

TEST_F(GalleryWindow, ButtonsAnswerBmClickAndCheckBoxesTheirState) {
    for (TskCheckBox* c : form->checkBoxes)
        EXPECT_EQ(SendMessageA(reinterpret_cast<HWND>(c->WindowHandle()), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageA(FindChild(hwnd, "TallowButton", "Select All"), BM_CLICK, 0, 0);
    for (TskCheckBox* c : form->checkBoxes)
        EXPECT_EQ(SendMessageA(reinterpret_cast<HWND>(c->WindowHandle()), BM_GETCHECK, 0, 0), BST_CHECKED);

    HWND cookies = FindChild(hwnd, "TallowCheckBox", "Delete Cookies");
    SendMessageA(cookies, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(SendMessageA(cookies, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageA(cookies, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(cookies, BM_GETCHECK, 0, 0), BST_CHECKED);

    HWND ff = reinterpret_cast<HWND>(form->pages[1]->WindowHandle());
    EXPECT_FALSE(IsWindowVisible(ff));
    SendMessageA(FindChild(hwnd, "TallowButton", "Fire Fox"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowVisible(ff));
    EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(form->pages[0]->WindowHandle())));

    HWND disabled = FindChild(hwnd, "TallowButton", "Disabled");
    int clicks = 0;
    form->btnDisabled->OnClick = [&](TComponent*) { ++clicks; };
    SendMessageA(disabled, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(IsWindowEnabled(disabled));
}

TEST_F(GalleryWindow, SettingTextThroughTheWindowChangesTheCaption) {
    HWND button = FindChild(hwnd, "TallowButton", "Select All");
    SendMessageA(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("&Alles"));
    EXPECT_EQ(form->btnSelectAll->Caption(), "&Alles");
    form->SetCaption("Cleaner 2.1");
    EXPECT_EQ(WindowText(hwnd), "Cleaner 2.1");
    char title[64] = {};
    GetWindowTextA(hwnd, title, sizeof title);  // what the task bar and other programs read
    EXPECT_STREQ(title, "Cleaner 2.1");
}

TEST_F(GalleryWindow, AHookAnswersMessagesSentFromOutside) {
    UINT probe = RegisterWindowMessageA("Tallow toolkit probe");
    TWndMethod saved = form->WindowProc();
    form->SetWindowProc([&](TMessage& m) {
        if (m.msg == probe) {
            m.result = 1234;
            return;
        }
        saved(m);
    });
    EXPECT_EQ(SendMessageA(hwnd, probe, 0, 0), 1234);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0), LRESULT(form->Caption().size()));  // passed on
    bool posted = false;
    form->SetWindowProc([&](TMessage& m) {
        if (m.msg == probe + 0)
            posted = true;
        saved(m);
    });
    ASSERT_TRUE(form->Post(probe));
    EXPECT_TRUE(PumpUntil([&] { return posted; }, 2000));
    form->SetWindowProc(saved);
}

// Windows paint band by band, each through a bitmap of its own: the screen shows
// a tall page's own colour in its last band as in its first, and the skinned frame
// on its four sides; each control's window carries its control ID; no window takes
// typed text, so none has an input method's window.
TEST_F(GalleryWindow, EveryBandOfATallWindowAndEverySideOfTheFrameIsPainted) {
    HWND page = reinterpret_cast<HWND>(form->pages[0]->WindowHandle());
    SetForegroundWindow(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT p, w;
    GetWindowRect(page, &p);
    GetWindowRect(hwnd, &w);
    ASSERT_GT(p.bottom - p.top, 3 * 64) << "the page must span several bands";
    HDC screen = GetDC(nullptr);
    auto at = [&](LONG x, LONG y) { return GetPixel(screen, x, y); };
    const COLORREF pageTop = at(p.right - 3, p.top + 3);
    EXPECT_EQ(at(p.right - 3, (p.top + p.bottom) / 2), pageTop);
    EXPECT_EQ(at(p.right - 3, p.bottom - 3), pageTop);
    const COLORREF frameTop = at((w.left + w.right) / 2, w.top);
    EXPECT_EQ(at(w.left, (w.top + w.bottom) / 2), frameTop) << "left side";
    EXPECT_EQ(at(w.right - 1, (w.top + w.bottom) / 2), frameTop) << "right side";
    EXPECT_EQ(at((w.left + w.right) / 2, w.bottom - 1), frameTop) << "bottom edge";
    ReleaseDC(nullptr, screen);

    EXPECT_EQ(GetDlgCtrlID(reinterpret_cast<HWND>(form->btnSelectAll->WindowHandle())),
              form->btnSelectAll->TabOrder() + 100);
    EXPECT_EQ(ImmGetDefaultIMEWnd(hwnd), nullptr);
}

// The pages before the one shown at first get their windows after the others,
// each in its own place: the page windows lie in the order of the pages, and
// the page shown first keeps its controls and shows them.
struct GalleryOpenOnThirdPage : GalleryWindow {
    void SetUp() override {
        firstPage = 2;
        GalleryWindow::SetUp();
    }
};

TEST_F(GalleryOpenOnThirdPage, PagesMadeLaterLieInThePageOrder) {
    HWND pages = reinterpret_cast<HWND>(form->pcMain->WindowHandle());
    HWND w = GetWindow(pages, GW_CHILD);
    for (TskTabSheet* page : form->pages) {
        EXPECT_EQ(w, reinterpret_cast<HWND>(page->WindowHandle())) << page->Name();
        w = GetWindow(w, GW_HWNDNEXT);
    }
    EXPECT_EQ(w, nullptr);
    HWND third = reinterpret_cast<HWND>(form->pages[2]->WindowHandle());
    EXPECT_TRUE(IsWindowVisible(third));
    EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(form->pages[0]->WindowHandle())));
    EXPECT_NE(FindChild(third, "TallowButton", "Clear Now"), nullptr);
    form->categoryButtons[0]->Click();
    EXPECT_TRUE(IsWindowVisible(reinterpret_cast<HWND>(form->pages[0]->WindowHandle())));
    EXPECT_FALSE(IsWindowVisible(third));
}

TEST_F(GalleryWindow, AnExceptionInAHandlerGoesToTheErrorBoxNotThroughWindows) {
    std::string reported;
    SetExceptionHandler([&](const std::string& message) { reported = message; });
    form->btnSelectAll->OnClick = [](TComponent*) { throw std::runtime_error("Cannot open clipboard"); };
    SendMessageA(FindChild(hwnd, "TallowButton", "Select All"), BM_CLICK, 0, 0);
    EXPECT_EQ(reported, "Cannot open clipboard");
    EXPECT_TRUE(IsWindow(hwnd));
    SetExceptionHandler(nullptr);
}

TEST(PictureWindowTest, IsLayeredBorderlessAndSizedToThePicture) {
    InstallWindowLayer();
    TskForm form(nullptr);
    form.SetBounds(439, 162, 705, 478);
    auto* png = new TskPngForm(&form);
    png->LoadFromFile("res\\title.png");
    form.Show();
    Application().ProcessMessages();
    HWND hwnd = reinterpret_cast<HWND>(form.WindowHandle());
    ASSERT_NE(hwnd, nullptr);
    EXPECT_NE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CAPTION, 0);
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, png->PngImage().Width());
    EXPECT_EQ(r.bottom - r.top, png->PngImage().Height());
    EXPECT_EQ(r.left, 439);
}

}  // namespace
}  // namespace tallow
