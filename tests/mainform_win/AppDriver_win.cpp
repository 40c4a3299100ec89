#include "mainform_win/AppDriver_win.h"

#include <fstream>
#include <iterator>

namespace tallow::testing {

bool WaitUntil(const std::function<bool()>& done, int ms) {
    for (int waited = 0; waited <= ms; waited += 50) {
        if (done()) {
            return true;
        }
        Sleep(50);
    }
    return done();
}

std::string WindowText(HWND window) {
    char buffer[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                             5000, &copied)) {
        return std::string();
    }
    return std::string(buffer, copied);
}

std::string ClassOf(HWND window) {
    char buffer[256] = {};
    int n = GetClassNameA(window, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

namespace {

constexpr size_t kItemCheckBoxes = 17;  // the items of every page

struct Collect {
    std::string cls;
    DWORD pid = 0;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    auto* c = reinterpret_cast<Collect*>(param);
    if (c->cls.empty() || ClassOf(window) == c->cls) {
        c->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
    auto* c = reinterpret_cast<Collect*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == c->pid && IsWindowVisible(window) && ClassOf(window) == c->cls) {
        c->found.push_back(window);
    }
    return TRUE;
}
}  // namespace

std::vector<HWND> Descendants(HWND root, const std::string& cls) {
    Collect c{cls, 0, {}};
    EnumChildWindows(root, CollectChild, reinterpret_cast<LPARAM>(&c));
    return c.found;
}

HWND FindChild(HWND root, const std::string& cls, const std::string& text) {
    for (HWND w : Descendants(root, cls)) {
        if (WindowText(w) == text) {
            return w;
        }
    }
    return nullptr;
}

std::vector<HWND> TopWindows(DWORD pid, const std::string& cls) {
    Collect c{cls, pid, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&c));
    return c.found;
}

HWND RowButton(HWND main, const std::string& caption) {
    HWND box = nullptr;
    for (HWND w : Descendants(main, "TallowCheckBox")) {
        if (WindowText(w) == caption && IsWindowVisible(w)) {
            box = w;
        }
    }
    if (!box) {
        return nullptr;
    }
    RECT boxRect;
    GetWindowRect(box, &boxRect);
    for (HWND b : Descendants(GetParent(box), "TallowButton")) {
        RECT r;
        GetWindowRect(b, &r);
        if (r.top == boxRect.top) {
            return b;
        }
    }
    return nullptr;
}

std::string ClickAndAnswer(DWORD pid, HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
    for (;;) {
        std::vector<HWND> dialogs;
        if (!WaitUntil([&] { return !(dialogs = TopWindows(pid, "TallowMessageDialog")).empty(); }, 60000)) {
            return "";
        }
        std::string text;
        for (HWND w : Descendants(dialogs[0])) {
            text += ClassOf(w) == "TallowButton" ? "" : WindowText(w);
        }
        std::vector<HWND> answers = Descendants(dialogs[0], "TallowButton");
        PostMessageA(answers[0], BM_CLICK, 0, 0);  // Yes, or the only OK
        WaitUntil([&] { return !IsWindowVisible(dialogs[0]); });
        if (answers.size() == 1) {
            return text;
        }
    }
}

AppProcess::AppProcess(const std::string& exe, const std::string& args) {
    std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
    std::string commandLine = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info_)) {
        info_ = {};
    }
}

AppProcess::~AppProcess() {
    Close();
}

bool AppProcess::WaitForExit(int ms) {
    return Started() && WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD AppProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND AppProcess::MainWindow(int ms) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w = FindWindowExA(nullptr, nullptr, "TfrmMain", nullptr); w;
                 w = FindWindowExA(nullptr, w, "TfrmMain", nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == Pid()) {
                    found = w;
                    return true;
                }
            }
            return false;
        },
        ms);
    // The pages not shown get their windows just after the first paint: the
    // window is whole once all the items' check boxes are there.
    if (found)
        WaitUntil([&] { return Descendants(found, "TallowCheckBox").size() >= kItemCheckBoxes; }, ms);
    return found;
}

void AppProcess::Close() {
    if (!Started()) {
        return;
    }
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) {
        if (HWND main = MainWindow(0)) {
            PostMessageA(main, RegisterWindowMessageA("CL CloseApp"), 0, 0);
        }
        if (!WaitForExit(10000)) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
    info_ = {};
}

TRunResult RunToEnd(const std::string& exe, const std::string& args, int ms) {
    const std::string outputPath = BinDir() + "run_output_" + std::to_string(GetTickCount64()) + ".txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::string commandLine = "\"" + exe + "\" " + args;
    const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
    PROCESS_INFORMATION info{};
    TRunResult result;
    if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                       &info)) {
        result.ended = WaitForSingleObject(info.hProcess, ms) == WAIT_OBJECT_0;
        if (!result.ended) {
            TerminateProcess(info.hProcess, 1);
            WaitForSingleObject(info.hProcess, 5000);
        }
        GetExitCodeProcess(info.hProcess, &result.exitCode);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    CloseHandle(output);
    std::ifstream read(outputPath, std::ios::binary);
    result.output.assign(std::istreambuf_iterator<char>(read), std::istreambuf_iterator<char>());
    read.close();
    DeleteFileA(outputPath.c_str());
    return result;
}

LRESULT SendRegistered(HWND window, const char* name) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, RegisterWindowMessageA(name), 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

std::string BinDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    return p.substr(0, p.find_last_of('\\') + 1);
}

}  // namespace tallow::testing
