// The real program previewing and cleaning from the command line: no window,
// a report, an exit code, and a running instance left as it was.
#include <gtest/gtest.h>

#include <fstream>

#include "mainform_win/AppDriver_win.h"
#include "support_win/ScratchFiles_win.h"
#include "support_win/TempVariable_win.h"

namespace tallow::testing {
namespace {

const char kTemp[] = "C:\\tallow-command-line\\temp\\";
const char kHeader[] = "item,entries,bytes,status\r\n";

std::string ProgramPath() {
    return BinDir() + "tallowmere.exe";
}

std::string ReportPath() {
    return BinDir() + "command_line_report.csv";
}

// The test's temporary folder with two files (100 and 50 bytes), one in a subfolder.
void FillTemp() {
    CreateDirectoryA("C:\\tallow-command-line", nullptr);
    CreateDirectoryA(kTemp, nullptr);
    CreateDirectoryA((std::string(kTemp) + "sub").c_str(), nullptr);
    std::ofstream(std::string(kTemp) + "a.tmp", std::ios::binary) << std::string(100, 'a');
    std::ofstream(std::string(kTemp) + "sub\\b.tmp", std::ios::binary) << std::string(50, 'b');
}

bool TempHolds(const char* name) {
    return GetFileAttributesA((std::string(kTemp) + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadReport() {
    std::string report = ReadWholeFile(ReportPath(), "<missing>");
    DeleteFileA(ReportPath().c_str());
    return report;
}

int LineCount(const std::string& text) {
    int lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

TEST(CommandLineTest, PreviewReportsTheTemporaryFolderWithoutTouchingItAndRefusesUnknownItems) {
    FillTemp();
    TTempVariable temp(kTemp);
    TRunResult run = RunToEnd(ProgramPath(), "/preview=system.temp /report=\"" + ReportPath() + "\"");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(ReadReport(), std::string(kHeader) + "system.temp,2,150,ok\r\n");
    EXPECT_TRUE(TempHolds("a.tmp") && TempHolds("sub\\b.tmp")) << "a preview removes nothing";

    run = RunToEnd(ProgramPath(), "/preview=nonsense /report=\"" + ReportPath() + "\"");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.output.find("unknown item \"nonsense\""), std::string::npos) << run.output;
    EXPECT_EQ(ReadReport(), "<missing>");

    run = RunToEnd(ProgramPath(), "-PREVIEW=System.Temp");  // without /report=, on standard output
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, std::string(kHeader) + "system.temp,2,150,ok\r\n");
}

TEST(CommandLineTest, CleanEmptiesTheTemporaryFolderBesideARunningInstanceThatGoesOn) {
    FillTemp();
    TTempVariable temp(kTemp);
    AppProcess running(ProgramPath());
    ASSERT_TRUE(running.Started());
    HWND main = running.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return SendRegistered(main, "CL IfBusy") == 0; }));

    TRunResult run = RunToEnd(ProgramPath(), "/clean=system.temp /report=\"" + ReportPath() + "\"");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(ReadReport(), std::string(kHeader) + "system.temp,2,150,ok\r\n");
    EXPECT_FALSE(TempHolds("a.tmp") || TempHolds("sub\\b.tmp"));
    EXPECT_TRUE(TempHolds("")) << "the folder itself stays";

    FillTemp();
    run = RunToEnd(ProgramPath(), "/clean /report=\"" + ReportPath() + "\"");  // every item
    ASSERT_TRUE(run.ended);
    EXPECT_NE(run.exitCode, 2u) << run.output;
    const std::string report = ReadReport();
    EXPECT_EQ(report.rfind(kHeader, 0), 0u) << report;
    EXPECT_EQ(LineCount(report), 18) << report;
    EXPECT_FALSE(TempHolds("a.tmp"));

    EXPECT_FALSE(running.WaitForExit(0)) << "the running instance goes on";
    EXPECT_EQ(TopWindows(running.Pid(), "TallowMessageDialog").size(), 0u) << "and was told nothing";
    EXPECT_NE(SendRegistered(main, "CL GetAppID"), 0);
}

}  // namespace
}  // namespace tallow::testing
