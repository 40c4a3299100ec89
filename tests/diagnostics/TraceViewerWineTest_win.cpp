// The debug trace as real processes under Wine: TraceViewer.exe writes the
// records to a file, tallowmere.exe started with /d sends its trace lines to
// it in order, and without /d sends none; the viewer's shared objects admit
// only their user and SYSTEM. The program runs as a copy in a
// scratch folder (its own settings folder) whose const.dat lacks two settings
// that the start reads after debug mode is decided.
#include <windows.h>

#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include <sstream>
#include <string>
#include <vector>

#include "support_win/ScratchFiles_win.h"

namespace tallow {
namespace {

using testing::CopyTree;
using testing::ReadWholeFile;
using testing::ThisFolder;

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

// Starts `commandLine` in `folder`; stdout goes to `out` when given.
PROCESS_INFORMATION Start(const std::string& folder, const std::string& commandLine, HANDLE out = nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (out) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out;
        startup.hStdError = out;
    }
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    EXPECT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, out != nullptr, 0, nullptr, folder.c_str(),
                               &startup, &process))
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

// The shipped program and viewer in `folder`, with the shipped const.dat less
// the lines of App.Multiple and App.Splash.
void MakeScratchProgram(const std::string& folder) {
    const std::string bin = ThisFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"tallowmere.exe", "TraceViewer.exe"}) {
        CopyFileA((bin + file).c_str(), (folder + file).c_str(), FALSE);
    }
    for (const char* dir : {"res", "skins", "langs"}) {
        CopyTree(bin + dir + "\\", folder + dir + "\\");
    }
    std::istringstream in(ReadWholeFile(bin + "const.dat"));
    std::string line, kept;
    while (std::getline(in, line)) {
        if (line.rfind("App.Multiple=", 0) != 0 && line.rfind("App.Splash=", 0) != 0) {
            kept += line + "\n";
        }
    }
    HANDLE f = CreateFileA((folder + "const.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, kept.data(), DWORD(kept.size()), &written, nullptr);
    CloseHandle(f);
}

std::string SidText(PSID sid) {
    char* text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text)) {
        return "?";
    }
    std::string result = text;
    LocalFree(text);
    return result;
}

// The accounts that the access list of `object` allows, as SID texts ("?" for an
// entry of another kind); the handle is closed.
std::vector<std::string> AllowedSids(HANDLE object) {
    std::vector<std::string> sids;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (object && GetSecurityInfo(object, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                                  &descriptor) == ERROR_SUCCESS) {
        for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
            ACCESS_ALLOWED_ACE* ace = nullptr;
            const bool allows = GetAce(dacl, i, reinterpret_cast<void**>(&ace)) &&
                                ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && ace->Mask != 0;
            sids.push_back(allows ? SidText(&ace->SidStart) : "?");
        }
        LocalFree(descriptor);
    }
    if (object) {
        CloseHandle(object);
    }
    return sids;
}

std::string CurrentUserSid() {
    HANDLE token = nullptr;
    BYTE buffer[256];
    DWORD size = sizeof buffer;
    const bool read = OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
                      GetTokenInformation(token, TokenUser, buffer, size, &size);
    if (token) {
        CloseHandle(token);
    }
    return read ? SidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid) : "";
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

class TraceViewerWine : public ::testing::Test {
  protected:
    void SetUp() override {
        outPath = ThisFolder() + "trace-viewer-out.txt";
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                          0, nullptr);
        ASSERT_NE(out, INVALID_HANDLE_VALUE);
        scratch = ThisFolder() + "trace-scratch\\";
        MakeScratchProgram(scratch);
        viewer = Start(scratch, "\"" + scratch + "TraceViewer.exe\" --stdout", out);
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
    std::string scratch;
    HANDLE out = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION viewer = {};
    PROCESS_INFORMATION program = {};
};

TEST_F(TraceViewerWine, DebugModeSendsTheProgramsLinesInOrderAndPlainStartSendsNone) {
    ASSERT_TRUE(WaitUntil(  // the viewer's last object
        [] {
            HANDLE flush = OpenEventA(SYNCHRONIZE, FALSE, "Global\\TraceViewFlushEvent");
            return flush && CloseHandle(flush);
        },
        10000));
    const std::vector<std::string> owner = {CurrentUserSid(), "S-1-5-18"};
    EXPECT_EQ(AllowedSids(OpenFileMappingA(READ_CONTROL, FALSE, "Global\\TraceViewMap")), owner);
    EXPECT_EQ(AllowedSids(OpenMutexA(READ_CONTROL, FALSE, "Global\\TraceViewQueueMutex")), owner);
    EXPECT_EQ(AllowedSids(OpenEventA(READ_CONTROL, FALSE, "Global\\TraceViewQueueEvent")), owner);

    const std::string exe = "\"" + scratch + "tallowmere.exe\"";
    program = Start(scratch, exe);
    ASSERT_TRUE(WaitUntil([] { return FindWindowA("TfrmMain", nullptr) != nullptr; }, 30000));
    Sleep(500);
    End(program);
    EXPECT_EQ(ReadWholeFile(outPath), "");

    program = Start(scratch, exe + " /d");
    const std::string pid = std::to_string(program.dwProcessId);
    ASSERT_TRUE(WaitUntil([&] { return Lines(ReadWholeFile(outPath)).size() >= 3; }, 30000)) << ReadWholeFile(outPath);
    ASSERT_TRUE(WaitUntil([] { return FindWindowA("TfrmMain", nullptr) != nullptr; }, 30000));
    Sleep(500);
    const std::vector<TLine> lines = Lines(ReadWholeFile(outPath));
    EXPECT_EQ(lines[0].text, "Enter Debug Mode...");
    EXPECT_EQ(lines[0].tag, "");
    EXPECT_EQ(lines[1].text, "Setting Not Found :App.Multiple");
    EXPECT_EQ(lines[2].text, "Setting Not Found :App.Splash");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].process, pid) << i;
        EXPECT_EQ(lines[i].time.size(), 12u) << lines[i].time;
        if (i > 0) {
            EXPECT_LE(lines[i - 1].time, lines[i].time) << i;  // sent in this order
        }
    }
    // The settings' lines carry their tag; later lines (the size labels' counts,
    // on the worker thread) may come from any part.
    EXPECT_EQ(lines[1].tag, "CLSettin");
    EXPECT_EQ(lines[2].tag, "CLSettin");
}

}  // namespace
}  // namespace tallow
