// The debug trace as real processes under Wine: TraceViewer.exe writes the
// records to a file, tallowmere.exe started with /d sends its trace lines to
// it in order, and without /d sends none.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tallow {
namespace {

std::string ThisFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string ReadWholeFile(const std::string& path) {
    HANDLE f =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (f != INVALID_HANDLE_VALUE && ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    if (f != INVALID_HANDLE_VALUE) {
        CloseHandle(f);
    }
    return content;
}

struct TLine {
    std::string time, process, thread, tag, text;
};

std::vector<TLine> Lines(const std::string& output) {
    std::vector<TLine> lines;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        TLine l;
        std::getline(fields, l.time, '\t');
        std::getline(fields, l.process, '\t');
        std::getline(fields, l.thread, '\t');
        std::getline(fields, l.tag, '\t');
        std::getline(fields, l.text);
        lines.push_back(l);
    }
    return lines;
}

// Starts `commandLine` in this folder; stdout goes to `out` when given.
PROCESS_INFORMATION Start(const std::string& commandLine, HANDLE out = nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (out) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out;
        startup.hStdError = out;
    }
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    EXPECT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, out != nullptr, 0, nullptr,
                               ThisFolder().c_str(), &startup, &process))
        << commandLine;
    return process;
}

void End(PROCESS_INFORMATION& process) {
    if (process.hProcess) {
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        process = {};
    }
}

template <typename Done>
bool WaitUntil(Done done, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        if (done()) {
            return true;
        }
        Sleep(100);
    }
    return done();
}

class TraceViewerWine : public testing::Test {
  protected:
    void SetUp() override {
        outPath = ThisFolder() + "trace-viewer-out.txt";
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                          0, nullptr);
        ASSERT_NE(out, INVALID_HANDLE_VALUE);
        viewer = Start("TraceViewer.exe --stdout", out);
        ASSERT_TRUE(WaitUntil(
            [] {
                HANDLE m = OpenFileMappingA(FILE_MAP_READ, FALSE, "Global\\TraceViewMap");
                return m && CloseHandle(m);
            },
            10000));
    }
    void TearDown() override {
        End(program);
        End(viewer);
        CloseHandle(out);
        DeleteFileA(outPath.c_str());
    }

    std::string outPath;
    HANDLE out = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION viewer = {};
    PROCESS_INFORMATION program = {};
};

TEST_F(TraceViewerWine, DebugModeSendsTheProgramsLinesInOrderAndPlainStartSendsNone) {
    program = Start("tallowmere.exe");
    ASSERT_TRUE(WaitUntil([] { return FindWindowA("TfrmMain", nullptr) != nullptr; }, 30000));
    Sleep(500);
    End(program);
    EXPECT_EQ(ReadWholeFile(outPath), "");

    program = Start("tallowmere.exe /d");
    const std::string pid = std::to_string(program.dwProcessId);
    ASSERT_TRUE(WaitUntil([&] { return Lines(ReadWholeFile(outPath)).size() >= 3; }, 30000)) << ReadWholeFile(outPath);
    ASSERT_TRUE(WaitUntil([] { return FindWindowA("TfrmMain", nullptr) != nullptr; }, 30000));
    Sleep(500);
    const std::vector<TLine> lines = Lines(ReadWholeFile(outPath));
    EXPECT_EQ(lines[0].text, "Enter Debug Mode...");
    EXPECT_EQ(lines[0].tag, "");
    std::size_t notFound = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].process, pid) << i;
        EXPECT_EQ(lines[i].time.size(), 12u) << lines[i].time;
        if (i > 0) {
            EXPECT_LE(lines[i - 1].time, lines[i].time) << i;  // sent in this order
        }
        if (lines[i].text.rfind("Setting Not Found :", 0) == 0) {
            EXPECT_EQ(lines[i].tag, "CLSettin") << lines[i].text;
            notFound = notFound ? notFound : i;
        }
    }
    EXPECT_GT(notFound, 0u) << ReadWholeFile(outPath);
    EXPECT_GT(lines.size(), 2u);
}

}  // namespace
}  // namespace tallow
