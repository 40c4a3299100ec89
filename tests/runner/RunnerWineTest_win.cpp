// The runner under Wine, as real processes: first start, the single-instance
// rule with its hand-over, and the switches. The program under test is the
// runner probe (RunApplication with a plain TfrmMain window that answers like
// the engine). Each test runs a copy of it in its own scratch folder, so its
// settings folder (named after the program path) is fresh.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CLSettings.h"
#include "framework/IniDocument.h"
#include "support_win/ScratchFiles_win.h"

namespace tallow {
namespace {

using testing::CopyTree;
using testing::ThisFolder;

std::string ReadWholeFile(const std::string& path) {
    return testing::ReadWholeFile(path, "<missing>");
}

const char kClass[] = "TfrmMain";

bool FolderExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Handles this test's messages while waiting, since the program under test
// sends messages to windows of this process.
bool WaitPumping(HANDLE handle, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) {
            return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        }
        DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) {
            return true;
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }
}

DWORD WindowProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// The top-level windows of process `pid` with their classes, titles and answers
// to "CL GetAppID", for failure messages.
std::string DescribeWindows(DWORD pid) {
    std::string text;
    const UINT getAppId = RegisterWindowMessageA("CL GetAppID");
    for (HWND w = FindWindowExA(nullptr, nullptr, nullptr, nullptr); w;
         w = FindWindowExA(nullptr, w, nullptr, nullptr)) {
        if (WindowProcess(w) != pid) {
            continue;
        }
        char cls[256] = {}, title[256] = {};
        GetClassNameA(w, cls, sizeof cls);
        GetWindowTextA(w, title, sizeof title);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(w, getAppId, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer);
        text += std::string(" [") + cls + " \"" + title + "\" id=" + std::to_string(answer) + "]";
    }
    return text.empty() ? " none" : text;
}

// A copy of the program in a scratch folder with its own const.dat.
class ScratchProgram {
  public:
    /// A copy of `program` from the build tree's bin folder; the shipped
    /// program also gets the shipped folders it loads.
    ScratchProgram(const std::string& name,
                   int appId,
                   const std::string& extraConst,
                   const std::string& program = "runner_probe.exe")
        : appId_(appId) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "tm_" + name + "_" + std::to_string(GetTickCount64()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        exe_ = folder_ + program;
        EXPECT_TRUE(CopyFileA((ThisFolder() + program).c_str(), exe_.c_str(), FALSE));
        if (program == "tallowmere.exe") {
            for (const char* shipped : {"res", "skins", "langs"}) {
                CopyTree(ThisFolder() + shipped + "\\", folder_ + shipped + "\\");
            }
        }
        guid_ = "{5C0FFEE0-0000-4000-8000-" + std::to_string(100000000000LL + appId) + "}";
        const std::string constDat = "[setting]\r\nApp.ID=" + std::to_string(appId) + "\r\nApp.GUID=" + guid_ +
                                     "\r\nApp.Name=Tallowmere\r\n" + extraConst;
        HANDLE f = CreateFileA((folder_ + "const.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD wrote = 0;
        WriteFile(f, constDat.data(), static_cast<DWORD>(constDat.size()), &wrote, nullptr);
        CloseHandle(f);
    }
    ~ScratchProgram() {
        for (PROCESS_INFORMATION& pi : started_) {
            if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
                TerminateProcess(pi.hProcess, 1);
            }
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }

    /// Starts the program with `args`; the process handle.
    HANDLE Start(const std::string& args) {
        std::string commandLine = "\"" + exe_ + "\" " + args;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si,
                            &pi)) {
            ADD_FAILURE() << "cannot start " << commandLine << ": " << GetLastError();
            return nullptr;
        }
        started_.push_back(pi);
        return pi.hProcess;
    }

    /// The program's main window in process `pid` (0: any) answering this App.ID.
    HWND FindWindowOf(DWORD pid) const {
        const UINT getAppId = RegisterWindowMessageA("CL GetAppID");
        for (HWND w = FindWindowExA(nullptr, nullptr, kClass, nullptr); w;
             w = FindWindowExA(nullptr, w, kClass, nullptr)) {
            if (pid && WindowProcess(w) != pid) {
                continue;
            }
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutA(w, getAppId, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) &&
                static_cast<int>(answer) == appId_) {
                return w;
            }
        }
        return nullptr;
    }

    HWND WaitForWindow(HANDLE process, DWORD milliseconds = 15000) const {
        const DWORD pid = GetProcessId(process);
        const ULONGLONG end = GetTickCount64() + milliseconds;
        while (GetTickCount64() < end) {
            if (HWND w = FindWindowOf(pid)) {
                return w;
            }
            if (WaitPumping(process, 20)) {
                return nullptr;  // ended without a window
            }
        }
        return nullptr;
    }

    void Close(HWND window, HANDLE process) const {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window, RegisterWindowMessageA("CL CloseApp"), 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        EXPECT_TRUE(WaitPumping(process, 15000)) << "the instance did not end after CL CloseApp";
    }

    /// How many main windows answer this App.ID.
    int CountWindows() const {
        int count = 0;
        const UINT getAppId = RegisterWindowMessageA("CL GetAppID");
        for (HWND w = FindWindowExA(nullptr, nullptr, kClass, nullptr); w;
             w = FindWindowExA(nullptr, w, kClass, nullptr)) {
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutA(w, getAppId, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) &&
                static_cast<int>(answer) == appId_) {
                ++count;
            }
        }
        return count;
    }

    std::string UserDir() const { return GetShellFolder("AppData") + "\\" + MangleConfigName(exe_) + "\\"; }
    std::string CommonDir() const {
        return GetCommonShellFolder("Common AppData") + "\\" + MangleConfigName(exe_) + "\\";
    }
    const std::string& Guid() const { return guid_; }

  private:
    int appId_;
    std::string folder_;
    std::string exe_;
    std::string guid_;
    std::vector<PROCESS_INFORMATION> started_;
};

DWORD ExitCode(HANDLE process) {
    DWORD code = 12345;
    GetExitCodeProcess(process, &code);
    return code;
}

TEST(RunnerUnderWine, FirstStartCreatesTheFlagAndTheSettingsFileAndCountsOneStart) {
    ScratchProgram program("first", 7001, "");
    EXPECT_FALSE(FolderExists(program.UserDir()));
    HANDLE process = program.Start("");
    HWND window = program.WaitForWindow(process);
    ASSERT_NE(window, nullptr) << "windows:" << DescribeWindows(GetProcessId(process));
    EXPECT_TRUE(IsWindowVisible(window));

    auto flag = TIniDocument::Parse(ReadWholeFile(program.UserDir() + "UserFlag.ini")).Find("Flag", "AllUsers");
    ASSERT_TRUE(flag.has_value());
    const std::string settingsDir = *flag == "1" ? program.CommonDir() : program.UserDir();
    auto settings = TIniDocument::Parse(ReadWholeFile(settingsDir + "setting.dat"));
    EXPECT_EQ(settings.Find("setting", "RunTimes"), "1");
    program.Close(window, process);
}

// This test plays the running instance: its own TfrmMain window answers like the
// engine and records what a second start sends.
struct Received {
    std::vector<std::string> copies;
    std::vector<ULONG_PTR> dwData;
    int appId = 0;
    UINT getAppId = RegisterWindowMessageA("CL GetAppID");
    UINT ifBusy = RegisterWindowMessageA("CL IfBusy");
};
Received* g_received = nullptr;

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_received && message == g_received->getAppId) {
        return g_received->appId;
    }
    if (g_received && message == g_received->ifBusy) {
        return 0;
    }
    if (g_received && message == WM_COPYDATA) {
        auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        g_received->copies.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
        g_received->dwData.push_back(data->dwData);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(RunnerUnderWine, SecondStartHandsOverTheFirstParameterAsExactBytesAndEndsWithoutAWindow) {
    ScratchProgram program("handover", 7002, "");
    Received received;
    received.appId = 7002;
    g_received = &received;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    HWND own = CreateWindowExA(0, kClass, "running instance", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(own, nullptr);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, ("Global\\" + program.Guid()).c_str());
    ASSERT_NE(mutex, nullptr);

    const std::string path = "C:\\abc\\defgh.txt";
    ASSERT_EQ(path.size(), 16u);
    HANDLE process = program.Start(path + " D:\\second.txt");
    EXPECT_EQ(program.WaitForWindow(process, 15000), nullptr);  // it ended and never had a window
    EXPECT_TRUE(WaitPumping(process, 5000));
    EXPECT_EQ(ExitCode(process), 0u);

    ASSERT_EQ(received.copies.size(), 1u);
    EXPECT_EQ(received.copies[0].size(), 16u);
    EXPECT_EQ(received.copies[0], path);
    EXPECT_EQ(received.dwData[0], 0u);

    g_received = nullptr;
    DestroyWindow(own);
    UnregisterClassA(kClass, GetModuleHandleA(nullptr));
    CloseHandle(mutex);
}

TEST(RunnerUnderWine, CloseSwitchEndsTheRunningInstance) {
    ScratchProgram program("close", 7003, "");
    HANDLE first = program.Start("");
    ASSERT_NE(program.WaitForWindow(first), nullptr);
    HANDLE closer = program.Start("/s");
    EXPECT_TRUE(WaitPumping(closer, 15000));
    EXPECT_TRUE(WaitPumping(first, 15000)) << "the running instance did not end";
}

TEST(RunnerUnderWine, HiddenInstanceIsShownWhenASecondStartWakesIt) {
    ScratchProgram program("hidden", 7008, "");
    HANDLE first = program.Start("/h");
    HWND window = program.WaitForWindow(first);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    HANDLE second = program.Start("");
    EXPECT_TRUE(WaitPumping(second, 15000));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(program.FindWindowOf(GetProcessId(second)), nullptr);
    program.Close(window, first);
}

TEST(RunnerUnderWine, RestartSwitchWithoutRunningInstanceStartsAfterTwoSeconds) {
    ScratchProgram program("restart", 7004, "");
    const ULONGLONG start = GetTickCount64();
    HANDLE process = program.Start("-R");
    HWND window = program.WaitForWindow(process);
    const ULONGLONG elapsed = GetTickCount64() - start;
    ASSERT_NE(window, nullptr);
    EXPECT_GE(elapsed, 1900u);
    program.Close(window, process);
}

TEST(RunnerUnderWine, RestartBesideAnInstanceThatIsSlowToEndLeavesExactlyOneNewInstance) {
    ScratchProgram program("restart_slow", 7010, "");
    SetEnvironmentVariableA("TALLOW_PROBE_END_DELAY_MS", "4000");  // holds the mutex 4 s after its window
    HANDLE first = program.Start("");
    SetEnvironmentVariableA("TALLOW_PROBE_END_DELAY_MS", nullptr);
    ASSERT_NE(program.WaitForWindow(first), nullptr);
    HANDLE second = program.Start("/r");
    HWND window = program.WaitForWindow(second, 30000);
    ASSERT_NE(window, nullptr) << "the restart ended without a window";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(WaitPumping(first, 15000)) << "the old instance did not end";
    EXPECT_EQ(program.CountWindows(), 1);
    program.Close(window, second);
}

// A security descriptor whose empty access list grants nobody anything.
struct DenyingSecurity {
    SECURITY_DESCRIPTOR descriptor;
    ACL acl;
    SECURITY_ATTRIBUTES attributes = {sizeof(SECURITY_ATTRIBUTES), &descriptor, FALSE};
    DenyingSecurity() {
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        InitializeAcl(&acl, sizeof acl, ACL_REVISION);
        SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE);
    }
};

TEST(RunnerUnderWine, MutexOfTheSameNameThatDeniesThisUserDoesNotStopTheStart) {
    ScratchProgram program("denied", 7011, "");
    DenyingSecurity security;
    HANDLE mutex = CreateMutexA(&security.attributes, FALSE, ("Global\\" + program.Guid()).c_str());
    ASSERT_NE(mutex, nullptr);
    HANDLE again = OpenMutexA(SYNCHRONIZE, FALSE, ("Global\\" + program.Guid()).c_str());
    if (again) {
        CloseHandle(again);
        CloseHandle(mutex);
        GTEST_SKIP() << "this Wine grants access that the mutex's security denies";
    }
    HANDLE process = program.Start("");
    HWND window = program.WaitForWindow(process);
    ASSERT_NE(window, nullptr) << "a mutex the user may not open was taken for a running instance";
    program.Close(window, process);
    CloseHandle(mutex);
}

TEST(RunnerUnderWine, InstallAndUninstallSwitchesEndAtOnceWithoutSettings) {
    ScratchProgram program("install", 7005, "");
    for (const char* sw : {"/i", "-U"}) {
        HANDLE process = program.Start(sw);
        EXPECT_TRUE(WaitPumping(process, 10000)) << sw;
        EXPECT_EQ(ExitCode(process), 0u) << sw;
    }
    EXPECT_FALSE(FolderExists(program.UserDir()));
    EXPECT_FALSE(FolderExists(program.CommonDir()));
}

TEST(RunnerUnderWine, MultipleSettingLetsTwoInstancesRun) {
    ScratchProgram program("multiple", 7006, "App.Multiple=1\r\n");
    HANDLE first = program.Start("");
    HWND firstWindow = program.WaitForWindow(first);
    ASSERT_NE(firstWindow, nullptr);
    HANDLE second = program.Start("");
    HWND secondWindow = program.WaitForWindow(second);
    ASSERT_NE(secondWindow, nullptr);
    EXPECT_NE(firstWindow, secondWindow);
    program.Close(secondWindow, second);
    program.Close(firstWindow, first);
}

TEST(RunnerUnderWine, AutorunSwitchWithAutorunOffEndsSilently) {
    ScratchProgram program("autorun", 7007, "App.Autorun=0\r\n");
    HANDLE process = program.Start("/a");
    EXPECT_EQ(program.WaitForWindow(process, 15000), nullptr);
    EXPECT_TRUE(WaitPumping(process, 5000));
    EXPECT_EQ(ExitCode(process), 0u);
}

TEST(RunnerUnderWine, ShippedProgramRunsAsFirstInstanceAndEndsOnTheCloseSwitch) {
    ScratchProgram program("shipped", 7009, "", "tallowmere.exe");
    HANDLE first = program.Start("");
    HWND window = program.WaitForWindow(first);
    ASSERT_NE(window, nullptr) << "windows:" << DescribeWindows(GetProcessId(first));
    HANDLE second = program.Start("C:\\abc\\defgh.txt");
    EXPECT_TRUE(WaitPumping(second, 15000));
    EXPECT_EQ(program.FindWindowOf(GetProcessId(second)), nullptr);
    HANDLE closer = program.Start("/s");
    EXPECT_TRUE(WaitPumping(closer, 15000));
    EXPECT_TRUE(WaitPumping(first, 15000)) << "the running instance did not end";
}

}  // namespace
}  // namespace tallow
