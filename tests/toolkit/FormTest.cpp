// Forms without windows: the replaceable message handler, keyboard navigation,
// dialog keys, mnemonics and modal results; the application object over the
// platform's.
#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/Containers.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Mnemonic.h"

namespace tallow {
namespace {

TEST(MnemonicTest, FirstSingleAmpersandMarksTheKey) {
    TMnemonic m = ParseMnemonic("&Yes");
    EXPECT_EQ(m.Text, "Yes");
    EXPECT_EQ(m.Key, 'Y');
    EXPECT_EQ(m.Position, 0);
    m = ParseMnemonic("N&o to &All");
    EXPECT_EQ(m.Text, "No to All");
    EXPECT_EQ(m.Key, 'o');
    EXPECT_EQ(m.Position, 1);
    m = ParseMnemonic("Fish && &Chips");
    EXPECT_EQ(m.Text, "Fish & Chips");
    EXPECT_EQ(m.Key, 'C');
    m = ParseMnemonic("Trailing&");
    EXPECT_EQ(m.Text, "Trailing");
    EXPECT_EQ(m.Key, 0);
    EXPECT_EQ(ParseMnemonic("").Key, 0);
}

struct DialogFixture : ::testing::Test {
    TskForm form{nullptr};
    TskButton* ok = new TskButton(&form);
    TskButton* cancel = new TskButton(&form);
    TskCheckBox* box = new TskCheckBox(&form);
    TskPanel* panel = new TskPanel(&form);
    TskButton* inPanel = new TskButton(&form);
    TskLabel* label = new TskLabel(&form);

    void SetUp() override {
        ok->SetCaption("&OK");
        ok->SetModalResult(mrOk);
        ok->SetDefault(true);
        ok->SetTabOrder(2);
        cancel->SetCaption("Cancel");
        cancel->SetModalResult(mrCancel);
        cancel->SetCancel(true);
        cancel->SetTabOrder(3);
        box->SetCaption("&Remember");
        box->SetTabOrder(0);
        panel->SetTabOrder(1);
        inPanel->SetCaption("&Help");
        label->SetCaption("&Label");
        for (TskControl* c :
             {static_cast<TskControl*>(ok), static_cast<TskControl*>(cancel), static_cast<TskControl*>(box),
              static_cast<TskControl*>(panel), static_cast<TskControl*>(label)})
            c->SetParent(&form);
        inPanel->SetParent(panel);
    }
};

TEST_F(DialogFixture, TabOrderFollowsTabOrderDepthFirstAndSkipsUnusableControls) {
    std::vector<TskControl*> expected{box, inPanel, ok, cancel};
    EXPECT_EQ(form.TabList(), expected);             // the label takes no focus
    EXPECT_EQ(form.NextTabStop(cancel, true), box);  // wraps around
    EXPECT_EQ(form.NextTabStop(box, false), cancel);
    EXPECT_EQ(form.NextTabStop(nullptr, true), box);
    panel->SetVisible(false);
    ok->SetEnabled(false);
    expected = {box, cancel};
    EXPECT_EQ(form.TabList(), expected);
}

TEST_F(DialogFixture, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
    EXPECT_TRUE(form.DialogKey(vkReturn, false));
    EXPECT_EQ(form.ModalResult(), mrOk);
    form.SetModalResult(mrNone);
    EXPECT_TRUE(form.DialogKey(vkEscape, false));
    EXPECT_EQ(form.ModalResult(), mrCancel);
    cancel->SetCancel(false);
    form.SetModalResult(mrNone);
    EXPECT_FALSE(form.DialogKey(vkEscape, false));  // nothing to cancel with
    EXPECT_EQ(form.ModalResult(), mrNone);
}

TEST_F(DialogFixture, AltMnemonicsClickTheirControlAnyLetterCase) {
    EXPECT_TRUE(form.DialogChar('r', true));
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(form.DialogChar('r', false));  // without Alt it is typing
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(form.DialogChar('O', true));
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_FALSE(form.DialogChar('L', true));  // labels are not clicked
    inPanel->SetEnabled(false);
    EXPECT_FALSE(form.DialogChar('h', true));
}

TEST(FormHookTest, AHookSeesEveryMessageFirstAndCanPassItOn) {
    TskForm form(nullptr);
    std::vector<uint32_t> seen;
    TWndMethod saved = form.WindowProc();
    form.SetWindowProc([&](TMessage& m) {
        seen.push_back(m.msg);
        if (m.msg == 0xC123) {
            m.result = 42;
            return;
        }
        saved(m);  // the form's own handling (no window here: result stays 0)
    });
    TMessage answered{0xC123, 0, 0, 0};
    form.Dispatch(answered);
    TMessage passed{0x0010, 0, 0, 7};
    form.Dispatch(passed);
    EXPECT_EQ(answered.result, 42);
    EXPECT_EQ(seen, (std::vector<uint32_t>{0xC123, 0x0010}));

    // A second hook chains to the first; restoring the saved one unhooks both.
    TWndMethod first = form.WindowProc();
    int secondCalls = 0;
    form.SetWindowProc([&](TMessage& m) {
        ++secondCalls;
        first(m);
    });
    TMessage again{0xC123, 0, 0, 0};
    form.Dispatch(again);
    EXPECT_EQ(secondCalls, 1);
    EXPECT_EQ(again.result, 42);
    form.SetWindowProc(saved);
    form.Dispatch(again);
    EXPECT_EQ(secondCalls, 1);
    EXPECT_EQ(seen.size(), 3u);
}

TEST(FormHookTest, AHookMayReplaceItselfWhileItRuns) {
    TskForm form(nullptr);
    TWndMethod saved = form.WindowProc();
    int calls = 0;
    form.SetWindowProc([&](TMessage& m) {
        ++calls;
        form.SetWindowProc(saved);  // destroys this very function object's slot
        m.result = calls;
    });
    TMessage m{1, 0, 0, 0};
    form.Dispatch(m);
    form.Dispatch(m);
    EXPECT_EQ(calls, 1);
}

TEST(FormTest, CloseAsksFirstAndShowModalWithoutWindowsEndsAsCancel) {
    TskForm form(nullptr);
    bool allow = false;
    int closed = 0;
    form.OnCloseQuery = [&](TComponent*, bool& can) { can = allow; };
    form.OnClose = [&](TComponent*) { ++closed; };
    form.Show();
    EXPECT_FALSE(form.Close());
    EXPECT_TRUE(form.Visible());
    allow = true;
    EXPECT_TRUE(form.Close());
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST(FormTest, WindowClassNameIsTheClassNameUnlessSet) {
    TskForm form(nullptr);
    EXPECT_STREQ(form.WindowClassName(), "TskForm");
    form.SetWindowClassName("TfrmMain");
    EXPECT_STREQ(form.WindowClassName(), "TfrmMain");
}

TEST(ApplicationTest, MessageLoopQuitAndErrorBoxAreThePlatformApplications) {
    TFakeApplication platform;
    TApplication app;
    app.SetTitle("Tallowmere");
    app.HandleException("before the window layer");  // no platform application yet: nothing to show
    app.SetPlatformApplication(&platform);
    TskForm form(nullptr);
    app.SetMainForm(&form);
    platform.onMessageLoop = [&] { EXPECT_TRUE(form.Visible()) << "the main form shows before the loop runs"; };

    app.Run();
    app.Terminate();
    app.HandleException("disk full");
    std::string handled;
    app.SetExceptionHandler([&](const std::string& message) { handled = message; });
    app.HandleException("handled");

    EXPECT_EQ(platform.messageLoops, 1);
    EXPECT_EQ(platform.terminations, 1);
    EXPECT_TRUE(app.Terminated());
    using Box = std::pair<std::string, std::string>;
    EXPECT_EQ(platform.errorBoxes, (std::vector<Box>{{"Tallowmere", "disk full"}}));
    EXPECT_EQ(handled, "handled");
}

}  // namespace
}  // namespace tallow
