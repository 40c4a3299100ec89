#include "runner/CommandLineRun.h"

#include <gtest/gtest.h>

#include "cleaning/Catalogue.h"
#include "fakes/FakeItemRunner.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSettings.h"
#include "fakes/TraceCapture.h"
#include "framework/CLSettings.h"
#include "runner/CLMain.h"

namespace tallow {
namespace {

using Action = TCommandLineAction;

//--- Options ---------------------------------------------------------------------------------------

TEST(CommandLineOptions, ParsesListsReportsAndRefusesBadOptionsWithTheirReason) {
    struct Case {
        std::vector<std::string> params;
        Action action;
        std::vector<int> items;
        std::string report;
        std::string error;  // a part of the reason; empty: accepted
    };
    const Case cases[] = {
        {{"/preview"}, Action::kPreview, {}, "", ""},
        {{"/PREVIEW=System.Temp"}, Action::kPreview, {kItemTempFolder}, "", ""},
        {{"-clean=system.temp,ie.cache"}, Action::kClean, {kItemIECache, kItemTempFolder}, "", ""},
        {{"/clean=system.temp, system.temp,"}, Action::kClean, {kItemTempFolder}, "", ""},
        {{"/d", "/preview=chrome.cache", "/h", "/report=C:\\out\\r.csv"},
         Action::kPreview,
         {kItemChromeCache},
         "C:\\out\\r.csv",
         ""},
        {{"/preview="}, Action::kPreview, {}, "", "no item names after /preview="},
        {{"/clean=, "}, Action::kClean, {}, "", "no item names after /clean="},
        {{"/preview=nonsense"}, Action::kPreview, {}, "", "unknown item \"nonsense\""},
        {{"/clean=system.temp,ie.nothing"}, Action::kClean, {}, "", "unknown item \"ie.nothing\""},
        {{"/preview", "/clean"}, Action::kPreview, {}, "", "/preview and /clean cannot be combined"},
        {{"/clean=ie.cache", "/clean"}, Action::kClean, {kItemIECache}, "", "/clean is given twice"},
        {{"/report=a.csv"}, Action::kNone, {}, "a.csv", "/report needs /preview or /clean"},
        {{"/preview", "/report"}, Action::kPreview, {}, "", "/report needs a file"},
        {{"/preview", "/report="}, Action::kPreview, {}, "", "/report needs a file"},
        {{"/preview", "/report=a", "/report=b"}, Action::kPreview, {}, "a", "/report is given twice"},
        {{"/preview", "/previews"}, Action::kPreview, {}, "", "unknown option \"/previews\""},
        {{"/preview", "/d=1"}, Action::kPreview, {}, "", "unknown option \"/d=1\""},
        {{"/preview", "C:\\file.txt"}, Action::kPreview, {}, "", "unexpected parameter \"C:\\file.txt\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.params));
        const TCommandLineOptions options = ParseCommandLine(c.params);
        EXPECT_EQ(options.action, c.action);
        EXPECT_EQ(options.items, c.items);
        EXPECT_EQ(options.reportPath, c.report);
        if (c.error.empty()) {
            EXPECT_EQ(options.error, "");
        } else {
            EXPECT_NE(options.error.find(c.error), std::string::npos) << options.error;
        }
    }
}

TEST(CommandLineOptions, OnlyTheLongOptionsAskForARunWithoutWindow) {
    for (const char* p : {"/preview", "-Clean=x", "/report=r.csv", "/PREVIEW=", "/clean"}) {
        EXPECT_TRUE(IsCommandLineOption(p)) << p;
    }
    for (const char* p : {"/p", "/c", "/r", "/previewx", "preview", "/start", "C:\\preview", "/", ""}) {
        EXPECT_FALSE(IsCommandLineOption(p)) << p;
    }
}

TEST(CommandLineItems, ListBeforeSettingBeforeEveryItem) {
    TFakeSettings settings;
    settings.values["Clean.Items"] = "firefox.cache, System.Temp";
    TCommandLineOptions options;
    options.items = {kItemClipboard};
    EXPECT_EQ(SelectItems(options, settings).items, std::vector<int>{kItemClipboard});
    options.items.clear();
    EXPECT_EQ(SelectItems(options, settings).items, (std::vector<int>{kItemFFCache, kItemTempFolder}));
    for (const char* none : {"", " , "}) {
        settings.values["Clean.Items"] = none;
        EXPECT_EQ(SelectItems(options, settings).items.size(), static_cast<size_t>(kItemCount));
    }
    settings.values["Clean.Items"] = "system.temp,bogus";
    const TItemSelection bad = SelectItems(options, settings);
    EXPECT_TRUE(bad.items.empty());
    EXPECT_EQ(bad.error, "setting Clean.Items: unknown item \"bogus\"");
}

//--- The report ------------------------------------------------------------------------------------

TEST(CommandLineReport, HeaderThenOneLineAFieldQuotedOnlyWhenItMustBe) {
    EXPECT_EQ(FormatReport({{kItemTempFolder, {12, 3456, TItemStatus::kOk}},
                            {kItemFFCache, {0, 0, TItemStatus::kNotInstalled}},
                            {kItemChromeCookies, {3, 70, TItemStatus::kInUse}},
                            {kItemClipboard, {0, 0, TItemStatus::kFailed}}}),
              "item,entries,bytes,status\r\n"
              "system.temp,12,3456,ok\r\n"
              "firefox.cache,0,0,not installed\r\n"
              "chrome.cookies,3,70,in use\r\n"
              "system.clipboard,0,0,failed\r\n");
    const std::pair<const char*, const char*> fields[] = {
        {"plain", "plain"},
        {"in use", "in use"},
        {"a,b", "\"a,b\""},
        {"", ""},
        {"say \"x\"", "\"say \"\"x\"\"\""},
        {"a\r\nb", "\"a\r\nb\""},
    };
    for (const auto& [field, csv] : fields) {
        EXPECT_EQ(CsvField(field), csv) << field;
    }
}

//--- The run ---------------------------------------------------------------------------------------

// The test keeps the runner's record; the run gets one that forwards to it.
class TForwardingRunner : public IItemRunner {
  public:
    explicit TForwardingRunner(TFakeItemRunner& to) : to_(to) {}
    TItemTally Preview(int item) override { return to_.Preview(item); }
    TItemTally Clean(int item) override { return to_.Clean(item); }

  private:
    TFakeItemRunner& to_;
};

class CommandLineRunTest : public testing::Test {
  protected:
    CommandLineRunTest() {
        fake.files.CreateFolders("C:\\out");
        services.settings = &settings;
        services.files = &fake.files;
        services.console = &fake.console;
        services.writer = 4242;
        services.itemRunner = [this] {
            ++runnersMade;
            return std::make_unique<TForwardingRunner>(runner);
        };
    }
    int Run(std::vector<std::string> params) { return RunCommandLine(params, services); }

    TFakePlatform fake;
    TFakeSettings settings;
    TFakeItemRunner runner;
    TCommandLineServices services;
    int runnersMade = 0;
};

TEST_F(CommandLineRunTest, ReportFileHoldsEveryItemAndTheExitCodeSaysWhetherAllWereDone) {
    struct Case {
        TItemStatus status;
        bool throws;
        int exit;
        const char* line;
    };
    const Case cases[] = {
        {TItemStatus::kOk, false, kExitDone, "system.temp,5,900,ok"},
        {TItemStatus::kNotInstalled, false, kExitDone, "system.temp,5,900,not installed"},
        {TItemStatus::kInUse, false, kExitIncomplete, "system.temp,5,900,in use"},
        {TItemStatus::kFailed, false, kExitIncomplete, "system.temp,5,900,failed"},
        {TItemStatus::kOk, true, kExitIncomplete, "system.temp,0,0,failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        runner.holds[kItemTempFolder] = {5, 900, c.status};
        runner.throwing = c.throws ? std::set<int>{kItemTempFolder} : std::set<int>{};
        EXPECT_EQ(Run({"/preview=system.temp,ie.cache", "/report=C:\\out\\r.csv"}), c.exit);
        EXPECT_EQ(fake.files.files["C:\\out\\r.csv"],
                  std::string("item,entries,bytes,status\r\nie.cache,0,0,ok\r\n") + c.line + "\r\n");
    }
    EXPECT_EQ(runner.calls.size(), 10u);
    EXPECT_EQ(runner.calls[1], "preview 11");
    EXPECT_EQ(fake.console.output + fake.console.error, "") << "a report file keeps the console quiet";
}

TEST_F(CommandLineRunTest, CleanRunsTheSettingsItemsInCatalogueOrderAndReportsToTheConsole) {
    settings.values["Clean.Items"] = "system.temp,ie.history";
    runner.holds[kItemIEHistory] = {7, 0, TItemStatus::kOk};
    ScopedTraceCapture trace;
    DebugTrace().Enabled = true;
    EXPECT_EQ(Run({"/clean"}), kExitDone);
    DebugTrace().Enabled = false;
    EXPECT_EQ(runner.calls, (std::vector<std::string>{"clean 1", "clean 11"}));
    EXPECT_EQ(fake.console.output, "item,entries,bytes,status\r\nie.history,7,0,ok\r\nsystem.temp,0,0,ok\r\n");
    ASSERT_EQ(trace.lines.size(), 2u);
    EXPECT_EQ(trace.lines[0].text, "ie.history: 7 entries, 0 bytes, ok");
    EXPECT_EQ(trace.lines[0].tag, "CLCommandLine");

    fake.console.present = false;  // started without a console: the report goes nowhere
    fake.console.output.clear();
    EXPECT_EQ(Run({"/clean"}), kExitDone);
    EXPECT_EQ(fake.console.output, "");
}

TEST_F(CommandLineRunTest, BadOptionsEndWithTheReasonOnTheConsoleBeforeAnyItemRuns) {
    for (auto params : {std::vector<std::string>{"/preview=nonsense", "/report=C:\\out\\r.csv"},
                        {"/clean", "/preview"},
                        {"/report=C:\\out\\r.csv"}}) {
        SCOPED_TRACE(params[0]);
        fake.console.error.clear();
        EXPECT_EQ(Run(params), kExitBadOption);
        EXPECT_NE(fake.console.error.find("\r\nOptions: /preview"), std::string::npos) << fake.console.error;
        EXPECT_NE(fake.console.error.find("system.temp"), std::string::npos) << "the usage names the items";
    }
    EXPECT_NE(fake.console.error.find("/report needs /preview or /clean"), std::string::npos);
    settings.values["Clean.Items"] = "bogus";
    EXPECT_EQ(Run({"/preview"}), kExitBadOption);
    EXPECT_EQ(runnersMade, 0);
    EXPECT_TRUE(fake.files.writes.empty());
    EXPECT_EQ(fake.console.output, "");
}

TEST_F(CommandLineRunTest, UnwritableReportFileGoesToTheConsoleWithTheReason) {
    EXPECT_EQ(Run({"/preview=system.temp", "/report=C:\\missing\\r.csv"}), kExitIncomplete);
    EXPECT_EQ(fake.console.error, "cannot write the report to \"C:\\missing\\r.csv\"\r\n");
    EXPECT_EQ(fake.console.output, "item,entries,bytes,status\r\nsystem.temp,0,0,ok\r\n");

    services.itemRunner = []() -> std::unique_ptr<IItemRunner> { throw std::runtime_error("no COM"); };
    EXPECT_EQ(Run({"/preview=system.temp", "/report=C:\\out\\r.csv"}), kExitIncomplete);
    EXPECT_EQ(fake.files.files["C:\\out\\r.csv"], "item,entries,bytes,status\r\nsystem.temp,0,0,failed\r\n");
}

//--- Beside the runner -----------------------------------------------------------------------------

class WindowlessStartTest : public testing::Test {
  protected:
    WindowlessStartTest()
        : run([this](const TPlatform&, ISettingsStore& store) -> std::unique_ptr<IItemRunner> {
              cleanItems = store.ReadString("Clean.Items");
              return std::make_unique<TForwardingRunner>(runner);
          }) {
        fake.process.moduleFileName = "C:\\App\\tallowmere.exe";
        fake.files.CreateFolders("C:\\App");
        fake.shellFolders.user["AppData"] = "C:\\Users\\me\\AppData\\Roaming";
        fake.files.files["C:\\App\\const.dat"] = "[setting]\nApp.ID=5081\nApp.GUID=G\nClean.Items=system.temp\n";
        cls.className = "TfrmMain";
        cls.create = [this] {
            ++windows;
            return std::unique_ptr<IMainWindow>();
        };
        fake.messages.windows[9] = {"TfrmMain", {{"CL GetAppID", 5081}}};  // a running instance
        fake.kernel.mutexes.insert("Global\\G");
    }
    ~WindowlessStartTest() override { ReleaseAppSettings(); }
    int Start(std::vector<std::string> params) {
        fake.process.parameters = std::move(params);
        return RunApplication(cls, mainWindow, {}, &run);
    }

    TFakePlatform fake;
    TFakeItemRunner runner;
    TCommandLineRun run;
    MainWindowClass cls;
    std::unique_ptr<IMainWindow> mainWindow;
    std::string cleanItems;
    int windows = 0;
};

TEST_F(WindowlessStartTest, RunsBesideARunningInstanceWithoutTheMutexHandOverOrWindow) {
    EXPECT_EQ(Start({"/clean"}), kExitDone);
    EXPECT_EQ(cleanItems, "system.temp") << "the program's settings store";
    EXPECT_EQ(runner.calls, std::vector<std::string>{"clean 11"});
    EXPECT_TRUE(fake.messages.sent.empty()) << "the running instance is left alone";
    EXPECT_EQ(windows, 0);
    EXPECT_FALSE(fake.application.comInitialized) << "COM was set up for the run and undone";
    EXPECT_EQ(fake.console.output, "item,entries,bytes,status\r\nsystem.temp,0,0,ok\r\n");

    fake.kernel.mutexes.clear();
    fake.messages.windows.clear();
    EXPECT_EQ(Start({"/d", "/preview=nonsense"}), kExitBadOption);
    EXPECT_TRUE(fake.kernel.mutexes.empty()) << "no mutex taken";
    EXPECT_EQ(Start({"/I", "/preview"}), 0) << "switch i ends before anything";
    EXPECT_EQ(runner.calls.size(), 1u);
}

TEST_F(WindowlessStartTest, SwitchesAndHandOverStayAsTheyWereBesideTheRun) {
    Start({"C:\\docs\\x.txt", "/p"});
    ASSERT_FALSE(fake.messages.sent.empty());
    EXPECT_EQ(fake.messages.sent.back().message, "WM_COPYDATA");
    EXPECT_EQ(fake.messages.sent.back().bytes, "C:\\docs\\x.txt");
    fake.kernel.mutexes.clear();
    Start({"/h", "/start"});
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(runner.calls.empty());
}

}  // namespace
}  // namespace tallow
