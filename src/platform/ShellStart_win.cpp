#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "platform/WinServices.h"

namespace tallow {

namespace {

class TWinShellStart : public IShellStart {
  public:
    void Open(const std::string& target) override {
        ShellExecuteA(GetActiveWindow(), "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }

    void StartCommandLine(const std::string& commandLine) override {
        std::string buffer = commandLine;  // CreateProcessA may write into the command line
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                           &startup, &info)) {
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

}  // namespace

IShellStart& WinShellStart() {
    static TWinShellStart shell;
    return shell;
}

}  // namespace tallow
