// Message boxes by key with the show-again memory, the title, the update
// schedule, the About window and opening web pages.
#include <gtest/gtest.h>

#include "diagnostics/TraceSender.h"
#include "engine/EngineFakes.h"
#include "fakes/TraceCapture.h"

namespace tallow::testing {
namespace {

const TMsgDlgButtons kYesNo = MsgButtons({mbYes, mbNo});

TEST(MessageBoxByKey, ShowsTheFilledTextWithTheAppNameAsCaption) {
    EngineFixture f;
    f.settings.values["App.Name"] = "Tallowmere";
    EXPECT_EQ(f.engine().MessageBoxByKey("MSGBOX_Cleared"), mrOk);
    ASSERT_EQ(f.dialog.shown.size(), 1u);
    const MessageDialogRequest& shown = f.dialog.shown[0];
    EXPECT_EQ(shown.text, "[AppRes]MSGBOX_Cleared");
    EXPECT_EQ(shown.caption, "Tallowmere");
    EXPECT_EQ(shown.type, TMsgDlgType::mtInformation);
    EXPECT_EQ(shown.buttons, MsgButtons({mbOK}));
    EXPECT_FALSE(shown.showAgainFlag) << "module 0 offers no check box";

    f.dialog.answer = mrNo;
    EXPECT_EQ(f.engine().MessageBoxByKey("Q", {"x"}, 0, TMsgDlgType::mtConfirmation, kYesNo, 0, true), mrNo);
    EXPECT_EQ(f.dialog.shown[1].text, "[LibRes]Q");
    EXPECT_EQ(f.dialog.shown[1].buttons, 3u);
    EXPECT_TRUE(f.settings.showAgain.empty()) << "module 0 stores nothing";
}

TEST(MessageBoxByKey, HiddenModuleAnswersWithoutADialog) {
    EngineFixture f;
    f.settings.showAgain[7] = false;
    EXPECT_EQ(f.engine().MessageBoxByKey("K", {}, 7, TMsgDlgType::mtConfirmation, kYesNo, mrNo), mrNo);
    EXPECT_EQ(f.engine().MessageBoxByKey("K", {}, 7, TMsgDlgType::mtConfirmation, kYesNo, 0), 1)
        << "no stored result: 1";
    f.settings.showAgainResult[7] = mrYes;
    EXPECT_EQ(f.engine().MessageBoxByKey("K", {}, 7, TMsgDlgType::mtConfirmation, kYesNo, 0), mrYes);
    EXPECT_TRUE(f.dialog.shown.empty());
}

TEST(MessageBoxByKey, TickingTheBoxRemembersTheAnswer) {
    EngineFixture f;
    f.dialog.answer = mrYes;
    EXPECT_EQ(f.engine().MessageBoxByKey("K", {}, 7, TMsgDlgType::mtConfirmation, kYesNo), mrYes);
    ASSERT_EQ(f.dialog.shown.size(), 1u);
    EXPECT_TRUE(f.dialog.shown[0].showAgainFlag);
    EXPECT_TRUE(f.settings.showAgain.empty()) << "an unticked box stores nothing";

    f.dialog.tick = true;
    EXPECT_EQ(f.engine().MessageBoxByKey("K", {}, 7, TMsgDlgType::mtConfirmation, kYesNo), mrYes);
    EXPECT_EQ(f.settings.showAgain, (std::map<int, bool>{{7, false}}));
    EXPECT_EQ(f.settings.showAgainResult, (std::map<int, int>{{7, mrYes}}));
    EXPECT_EQ(f.engine().MessageBoxByKey("K", {}, 7, TMsgDlgType::mtConfirmation, kYesNo), mrYes);
    EXPECT_EQ(f.dialog.shown.size(), 2u) << "the third call is answered from the memory";
}

TEST(EngineTitle, NoAutoTitleComposesButChangesNothingVisible) {
    EngineFixture f;
    f.settings.values["App.Name"] = "Tallowmere";
    f.settings.values["App.Ver"] = "2.1";
    f.settings.values["App.NoAutoTitle"] = "1";
    f.owner.caption = "designed";
    int fired = 0;
    f.engine().OnTitleChange = [&](TCLEngine&) { ++fired; };
    f.engine().UpdateTitle();
    EXPECT_EQ(f.engine().Title(), "Tallowmere  2.1");
    EXPECT_EQ(f.owner.caption, "designed");
    EXPECT_EQ(f.app.Title(), "");
    EXPECT_EQ(fired, 0);

    f.settings.values["App.NoAutoTitle"] = "0";
    f.engine().SetTitleIncludeVer(false);
    EXPECT_EQ(f.owner.caption, "Tallowmere") << "assigning TitleIncludeVer recomposes";
    EXPECT_EQ(f.app.Title(), "Tallowmere");
    EXPECT_EQ(fired, 1);
}

TEST(EngineUpdate, AutomaticCheckFollowsTheSchedule) {
    struct Case {
        const char* beginAuto;
        double daysAgo;
        bool expectCheck;
    };
    for (Case c : {Case{"1", 3, false}, Case{"1", 8, true}, Case{"0", 8, false}}) {
        EngineFixture f;
        f.settings.values["Update.BeginAuto"] = c.beginAuto;
        f.settings.values["Update.Days"] = "7";
        f.settings.values["Update.LastDate"] = std::to_string(f.platform.clock.now - c.daysAgo);
        f.engine().Loaded();
        f.RunPosted();
        EXPECT_EQ(f.update.checks, c.expectCheck ? std::vector<bool>{false} : std::vector<bool>{})
            << c.beginAuto << " " << c.daysAgo;
        EXPECT_EQ(f.update.shownModal, 0) << "the engine never shows an automatic check";
    }
    EngineFixture f;
    f.settings.values["Update.Days"] = "7";
    f.engine().CheckUpdateDue();
    EXPECT_EQ(f.update.checks, std::vector<bool>{false}) << "no last date: due";
}

TEST(EngineUpdate, ShowUpdateStartsAManualCheck) {
    EngineFixture f;
    f.engine().ShowUpdate(false);
    EXPECT_EQ(f.update.shownModal, 0);
    f.engine().ShowUpdate(true);
    EXPECT_EQ(f.update.checks, (std::vector<bool>{true, true}));
    EXPECT_EQ(f.update.shownModal, 1);
}

TEST(EngineAbout, TracesTheParentAndPlacesTheWindowInIt) {
    EngineFixture f;
    ScopedTraceCapture capture;
    f.engine().ShowAbout();
    EXPECT_TRUE(f.about.parents.empty());
    f.engine().ParentHWND = 655362;
    f.engine().ShowAbout();
    EXPECT_EQ(f.about.parents, std::vector<WindowHandle>{655362});
    EXPECT_EQ(f.about.shownModal, 2);
    ASSERT_EQ(capture.lines.size(), 2u);
    EXPECT_EQ(capture.lines[0].text, "0");
    EXPECT_EQ(capture.lines[1].text, "655362");
}

TEST(EngineOpenUrl, StartsTheBrowserOnlyWithSafeWebAddresses) {
    EngineFixture f;
    f.platform.registry.Set(RegistryRoot::ClassesRoot, "HTTP\\shell\\open\\command", "",
                            "\"C:\\Browser\\b.exe\" -osint -url \"%1\"");
    EXPECT_FALSE(f.engine().OpenURL("cmd.exe /c calc"));
    EXPECT_FALSE(f.engine().OpenURL("javascript:alert(1)"));
    EXPECT_TRUE(f.platform.shell.started.empty());
    EXPECT_TRUE(f.engine().OpenURL("https://h.example/a\" -new-window \"file:///C:/x"));
    ASSERT_EQ(f.platform.shell.started.size(), 1u);
    EXPECT_EQ(f.platform.shell.started[0],
              "\"C:\\Browser\\b.exe\" -osint -url \"https://h.example/a%22%20-new-window%20%22file:///C:/x\"");

    f.platform.registry.values.clear();
    EXPECT_TRUE(f.engine().OpenURL("http://h.example/p q"));
    EXPECT_EQ(f.platform.shell.opened, std::vector<std::string>{"http://h.example/p%20q"});
    EXPECT_EQ(f.platform.shell.started.size(), 1u);
}

}  // namespace
}  // namespace tallow::testing
