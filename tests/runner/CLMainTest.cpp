#include "runner/CLMain.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "diagnostics/TraceSender.h"
#include "fakes/FakePlatform.h"
#include "fakes/TraceCapture.h"
#include "framework/CLSettings.h"

namespace tallow {
namespace {

const char kGuid[] = "{11111111-2222-3333-4444-555555555555}";
const char kMutex[] = "Global\\{11111111-2222-3333-4444-555555555555}";
const WindowHandle kRunning = 9;

TEST(Switches, WholeParameterOfDashOrSlashAndLetterInAnyCase) {
    EXPECT_TRUE(IsSwitch("/s", 's'));
    EXPECT_TRUE(IsSwitch("-S", 's'));
    EXPECT_TRUE(IsSwitch("/R", 'r'));
    for (const char* p : {"/start", "s", "//s", "-", "", "/ s", "\\s", "/d"}) {
        EXPECT_FALSE(IsSwitch(p, 's')) << p;
    }
    EXPECT_TRUE(HasSwitch({"file.txt", "-x", "/H"}, 'h'));
    EXPECT_FALSE(HasSwitch({"file.txt", "/hidden"}, 'h'));
}

class TFakeMainWindow : public IMainWindow {
  public:
    explicit TFakeMainWindow(std::vector<std::string>& log) : log_(log) { log_.push_back("create"); }
    void ShowMainWindow() override { log_.push_back("show"); }

  private:
    std::vector<std::string>& log_;
};

class RunnerTest : public testing::Test {
  protected:
    RunnerTest() {
        fake.process.moduleFileName = "C:\\App\\tallowmere.exe";
        fake.files.CreateFolders("C:\\App");
        fake.shellFolders.user["AppData"] = "C:\\Users\\me\\AppData\\Roaming";
        fake.application.log = &log;
        SetConst("");
        cls.className = "TfrmMain";
        cls.create = [this] { return std::make_unique<TFakeMainWindow>(log); };
    }
    ~RunnerTest() override {
        ReleaseAppSettings();
        DebugMode = false;
    }

    void SetConst(const std::string& extra) {
        fake.files.files["C:\\App\\const.dat"] =
            std::string("[setting]\nApp.ID=5081\nApp.GUID=") + kGuid + "\n" + extra;
    }
    void AddRunningInstance(std::intptr_t ifBusy = 0) {
        fake.messages.windows[kRunning] = {"TfrmMain", {{"CL GetAppID", 5081}, {"CL IfBusy", ifBusy}}};
        fake.kernel.mutexes.insert(kMutex);
    }
    int Run(std::vector<std::string> params, std::function<bool()> startCheck = {}) {
        fake.process.parameters = std::move(params);
        return RunApplication(cls, mainWindow, std::move(startCheck));
    }
    bool Started() const { return std::find(log.begin(), log.end(), "loop") != log.end(); }
    std::vector<std::string> CopyData() const {
        std::vector<std::string> sent;
        for (const auto& s : fake.messages.sent) {
            if (s.message == "WM_COPYDATA") {
                EXPECT_EQ(s.dwData, 0u);
                sent.push_back(s.bytes);
            }
        }
        return sent;
    }

    TFakePlatform fake;
    std::vector<std::string> log;
    MainWindowClass cls;
    std::unique_ptr<IMainWindow> mainWindow;
};

//--- A plain start ---------------------------------------------------------------------------------

TEST_F(RunnerTest, PlainStartCreatesShowsAndRunsTheMainWindowThenReleasesSettings) {
    fake.application.onMessageLoop = [this] { EXPECT_NE(mainWindow, nullptr); };
    EXPECT_EQ(Run({}), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"com", "create", "show", "loop"}));
    EXPECT_TRUE(fake.kernel.mutexes.count(kMutex));
    EXPECT_FALSE(fake.application.comInitialized);  // undone after the loop
    EXPECT_EQ(AppSettings().RunTimes(), 1);         // a fresh store: the run released its own
}

// The start's writes (its count, whatever the window chooses while it loads)
// reach setting.dat in one save once the window is up; every other way out of
// the run saves them too.
TEST_F(RunnerTest, StartWritesAreSavedOnceTheWindowIsUpAndOnEveryOtherWayOut) {
    auto stored = [this]() -> std::string {
        for (const auto& [path, content] : fake.files.files)
            if (path.size() > 11 && path.compare(path.size() - 11, 11, "setting.dat") == 0)
                return content;
        return "";
    };
    auto hasCount = [&](const std::string& count) { return stored().find("RunTimes=" + count) != std::string::npos; };
    cls.create = [&]() -> std::unique_ptr<IMainWindow> {
        AppSettings().WriteString("Skin", "Slate");
        log.push_back(hasCount("1") ? "create: saved" : "create: not saved");
        return std::make_unique<TFakeMainWindow>(log);
    };
    fake.application.onMessageLoop = [&] {
        log.push_back(hasCount("1") && stored().find("Skin=Slate") != std::string::npos ? "loop: saved"
                                                                                          : "loop: not saved");
    };
    Run({});
    EXPECT_EQ(log, (std::vector<std::string>{"com", "create: not saved", "create", "show", "loop", "loop: saved"}));

    struct Case {
        std::vector<std::string> params;
        bool secondInstance;
    };
    int count = 1;
    for (const Case& c : {Case{{"/h"}, false}, Case{{}, true}, Case{{"/s"}, false}}) {
        fake.kernel.mutexes.clear();
        if (c.secondInstance)
            AddRunningInstance();
        Run(c.params);
        EXPECT_TRUE(hasCount(std::to_string(++count))) << count << ": " << stored();
    }
    AppSettings().WriteString("After", "run");
    EXPECT_NE(stored().find("After=run"), std::string::npos) << "a store made after a run saves at once";
}

TEST_F(RunnerTest, HiddenStartNeverShowsTheWindow) {
    Run({"/h"});
    EXPECT_EQ(log, (std::vector<std::string>{"com", "create", "loop"}));
}

TEST_F(RunnerTest, SplashComesBeforeTheMainWindowWhenSwitchedOnAndLastsThroughTheLoop) {
    class TFakeSplash : public ISplashWindow {
      public:
        explicit TFakeSplash(std::vector<std::string>& log) : log_(log) {}
        ~TFakeSplash() override { log_.push_back("splash gone"); }
        void ShowSplash() override { log_.push_back("splash"); }

      private:
        std::vector<std::string>& log_;
    };
    cls.splashWindow = [this] { return std::make_unique<TFakeSplash>(log); };
    SetConst("App.Splash=1\n");
    Run({});
    EXPECT_EQ(log, (std::vector<std::string>{"com", "splash", "create", "show", "loop", "splash gone"}));

    log.clear();
    fake.kernel.mutexes.clear();
    SetConst("");
    Run({});
    EXPECT_EQ(log, (std::vector<std::string>{"com", "create", "show", "loop"}));
}

TEST_F(RunnerTest, FailingWindowCreationEndsInTheErrorBox) {
    cls.create = []() -> std::unique_ptr<IMainWindow> { throw std::runtime_error("Cannot create window"); };
    SetConst("App.Name=Tallowmere\n");
    Run({});
    ASSERT_EQ(fake.application.errorBoxes.size(), 1u);
    EXPECT_EQ(fake.application.errorBoxes[0].first, "Tallowmere");
    EXPECT_EQ(fake.application.errorBoxes[0].second, "Cannot create window");
    EXPECT_FALSE(Started());
}

//--- Switches that end early -----------------------------------------------------------------------

TEST_F(RunnerTest, InstallAndUninstallSwitchesEndBeforeAnythingElse) {
    AddRunningInstance();
    for (auto params : {std::vector<std::string>{"/i", "/s"}, {"-U"}, {"x", "-s", "/I"}}) {
        Run(params);
        EXPECT_TRUE(fake.messages.sent.empty());
        EXPECT_TRUE(fake.files.writes.empty());  // no settings read, none created
        EXPECT_TRUE(log.empty());
    }
}

TEST_F(RunnerTest, CloseSwitchAsksTheRunningInstanceToEndAndEnds) {
    AddRunningInstance();
    Run({"/S"});
    EXPECT_EQ(fake.messages.SentTo(kRunning), (std::vector<std::string>{"CL GetAppID", "CL CloseApp"}));
    EXPECT_TRUE(log.empty());

    fake.messages.windows.clear();
    fake.messages.sent.clear();
    Run({"-s"});  // nobody running: nothing happens
    EXPECT_TRUE(fake.messages.sent.empty());
    EXPECT_TRUE(log.empty());
}

TEST_F(RunnerTest, RestartSwitchClosesWaitsTwoSecondsAndStarts) {
    Run({"/r"});
    EXPECT_EQ(log, (std::vector<std::string>{"sleep 2000", "com", "create", "show", "loop"}));
}

TEST_F(RunnerTest, RestartWhileTheOldInstanceStillHoldsTheMutexTakesTheSecondInstancePath) {
    AddRunningInstance();
    Run({"-r", "C:\\docs\\x.txt"});
    EXPECT_EQ(fake.messages.SentTo(kRunning).front(), "CL GetAppID");
    EXPECT_EQ(fake.messages.SentTo(kRunning)[1], "CL CloseApp");
    EXPECT_EQ(fake.application.sleeps, std::vector<unsigned>{2000});
    EXPECT_FALSE(Started());
    EXPECT_TRUE(CopyData().empty());  // the first parameter is a switch
}

TEST_F(RunnerTest, RestartWaitsForAClosingInstanceThatStillHoldsTheMutex) {
    AddRunningInstance();
    unsigned slept = 0;
    fake.application.onSleep = [&](unsigned ms) {
        slept += ms;
        fake.messages.windows.clear();  // the window went with CL CloseApp; the process ends later
        if (slept >= 6000) {
            fake.kernel.mutexes.clear();
        }
    };
    Run({"/r"});
    EXPECT_TRUE(Started());
    EXPECT_EQ(slept, 6000u);
    EXPECT_TRUE(fake.kernel.mutexes.count(kMutex));  // this start holds it now
}

TEST_F(RunnerTest, RestartGivesUpAfterTenSecondsOfAMutexWithoutAnInstance) {
    AddRunningInstance();
    unsigned slept = 0;
    fake.application.onSleep = [&](unsigned ms) {
        slept += ms;
        fake.messages.windows.clear();
    };
    Run({"/r"});
    EXPECT_FALSE(Started());
    EXPECT_EQ(slept, 12000u);
}

//--- Debug mode ------------------------------------------------------------------------------------

TEST_F(RunnerTest, DebugModeFromTheSettingUnlessDisabled) {
    SetConst("Debug.Enabled=1\n");
    ScopedTraceCapture trace;
    Run({});
    EXPECT_TRUE(DebugMode);
    EXPECT_TRUE(DebugTrace().Enabled);
    EXPECT_TRUE(DebugTrace().AutoStartViewer);
    ASSERT_FALSE(trace.lines.empty());
    EXPECT_EQ(trace.lines[0].text, "Enter Debug Mode...");

    SetConst("Debug.Enabled=1\nDebug.Disabled=1\n");
    Run({});
    EXPECT_FALSE(DebugMode);
    EXPECT_FALSE(DebugTrace().Enabled);
    EXPECT_FALSE(DebugTrace().AutoStartViewer);

    Run({"/D"});  // the switch beats Debug.Disabled
    EXPECT_TRUE(DebugMode);
}

TEST_F(RunnerTest, OnlyDebugModeConnectsTheTraceToTheViewer) {
    DebugTrace().ViewerLaunchTried = false;
    Run({});
    EXPECT_TRUE(fake.starter.started.empty());
    EXPECT_EQ(fake.sharedMemory.opens, 0);

    Run({"/d"});
    ASSERT_EQ(fake.starter.started.size(), 1u);
    EXPECT_EQ(fake.starter.started[0].commandLine, "C:\\App\\TraceViewer.exe -a 4242");
    EXPECT_GT(fake.sharedMemory.opens, 0);  // "Enter Debug Mode..." tried to reach the viewer
}

TEST_F(RunnerTest, ControlShiftChordTurnsDebugModeOnUnlessDisabled) {
    fake.keys.control = true;
    Run({});
    EXPECT_FALSE(DebugMode);  // Control alone
    fake.keys.shift = true;
    Run({});
    EXPECT_TRUE(DebugMode);
    SetConst("Debug.Disabled=1\n");
    Run({});
    EXPECT_FALSE(DebugMode);
}

//--- Gates -----------------------------------------------------------------------------------------

TEST_F(RunnerTest, AutorunSwitchGoesOnOnlyWhenAutorunIsSet) {
    Run({"/a"});
    EXPECT_FALSE(Started());
    EXPECT_TRUE(fake.kernel.mutexes.empty());
    SetConst("App.Autorun=0\n");
    Run({"-A"});
    EXPECT_FALSE(Started());
    SetConst("App.Autorun=1\n");
    Run({"/a"});
    EXPECT_TRUE(Started());
}

TEST_F(RunnerTest, FailingStartCheckEndsBeforeTheMutex) {
    int calls = 0;
    Run({}, [&] {
        ++calls;
        return false;
    });
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(Started());
    EXPECT_TRUE(fake.kernel.mutexes.empty());
    Run({}, [] { return true; });
    EXPECT_TRUE(Started());
}

TEST_F(RunnerTest, MutexFailureOtherThanExistingCountsAsFirstInstance) {
    fake.kernel.failing.insert(kMutex);
    Run({});
    EXPECT_TRUE(Started());
}

TEST_F(RunnerTest, MissingGuidStillGivesASingleInstanceRule) {
    fake.files.files["C:\\App\\const.dat"] = "[setting]\nApp.ID=5081\n";
    Run({});
    EXPECT_TRUE(fake.kernel.mutexes.count("Global\\"));
    log.clear();
    Run({});
    EXPECT_FALSE(Started());
}

TEST_F(RunnerTest, MultipleInstancesSkipTheMutex) {
    AddRunningInstance();
    SetConst("App.Multiple=1\n");
    Run({"C:\\docs\\x.txt"});
    EXPECT_TRUE(Started());
    EXPECT_TRUE(fake.messages.sent.empty());
}

//--- Second instance -------------------------------------------------------------------------------

TEST_F(RunnerTest, SecondStartWakesTheRunningInstanceAndHandsOverOnlyTheFirstParameter) {
    AddRunningInstance();
    Run({"C:\\abc\\defg.txt", "D:\\second.txt"});
    EXPECT_FALSE(Started());
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(fake.foreground.raised, std::vector<WindowHandle>{kRunning});
    EXPECT_EQ(CopyData(), std::vector<std::string>{"C:\\abc\\defg.txt"});
    EXPECT_EQ(fake.messages.SentTo(kRunning),
              (std::vector<std::string>{"CL GetAppID", "CL IfBusy", "CL GetAppID", "WM_COPYDATA"}));
}

TEST_F(RunnerTest, SecondStartHandsOverNothingWhenTheFirstParameterLooksLikeASwitch) {
    AddRunningInstance();
    for (auto params : {std::vector<std::string>{"-x", "C:\\a.txt"}, {"/file"}, {}}) {
        Run(params);
    }
    EXPECT_TRUE(CopyData().empty());
    EXPECT_EQ(fake.foreground.raised.size(), 3u);
}

TEST_F(RunnerTest, BusyInstanceIsNotRaisedButStillGetsTheHandOver) {
    AddRunningInstance(1);
    Run({"C:\\a.txt"});
    EXPECT_TRUE(fake.foreground.raised.empty());
    EXPECT_EQ(CopyData(), std::vector<std::string>{"C:\\a.txt"});
}

TEST_F(RunnerTest, SecondStartWithoutAnAnsweringWindowDoesNothing) {
    fake.kernel.mutexes.insert(kMutex);
    fake.messages.windows[3] = {"TfrmMain", {{"CL GetAppID", 77}}};
    Run({"C:\\a.txt"});
    EXPECT_TRUE(fake.foreground.raised.empty());
    EXPECT_TRUE(CopyData().empty());
    EXPECT_FALSE(Started());
}

//--- Finding the running instance ------------------------------------------------------------------

TEST_F(RunnerTest, FindWalksWindowsOfTheClassUntilOneAnswersTheAppId) {
    fake.messages.windows[5] = {"OtherClass", {{"CL GetAppID", 5081}}};
    fake.messages.windows[7] = {"TfrmMain", {{"CL GetAppID", 99}}};
    fake.messages.windows[9] = {"TfrmMain", {{"CL GetAppID", 5081}}};
    fake.messages.windows[11] = {"TfrmMain", {{"CL GetAppID", 5081}}};
    EXPECT_EQ(FindRunningInstance("TfrmMain"), 9u);
    EXPECT_TRUE(fake.messages.SentTo(5).empty());
    EXPECT_TRUE(fake.messages.SentTo(11).empty());
    EXPECT_EQ(FindRunningInstance("NoSuchClass"), 0u);
}

TEST_F(RunnerTest, WithoutAppIdAWindowThatDoesNotAnswerIsTakenForTheInstance) {
    fake.files.files["C:\\App\\const.dat"] = "[setting]\n";
    fake.messages.windows[4] = {"TfrmMain", {}};
    EXPECT_EQ(FindRunningInstance("TfrmMain"), 4u);
}

TEST(TraceCaptureTest, AnInnerCaptureGivesTheTraceBackToTheOuterOne) {
    const bool wasEnabled = DebugTrace().Enabled;
    DebugTrace().Enabled = true;
    ScopedTraceCapture outer;
    {
        ScopedTraceCapture inner;
        DebugTrace().Trace("inner line");
        EXPECT_EQ(inner.lines.size(), 1u);
    }
    DebugTrace().Trace("outer line");
    ASSERT_EQ(outer.lines.size(), 1u);
    EXPECT_EQ(outer.lines[0].text, "outer line");
    DebugTrace().Enabled = wasEnabled;
}

}  // namespace
}  // namespace tallow
