#include <windows.h>

#include "components/TextCase.h"
#include "platform/AnsiText_win.h"
#include "platform/ProgramStarter.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

bool IsBatchFile(const std::string& path) {
    return EndsWithText(path, ".bat") || EndsWithText(path, ".cmd");
}

bool IsExistingFile(const std::string& path) {
    DWORD attributes = GetFileAttributesW(AnsiToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The command interpreter: %ComSpec%, else cmd.exe in the system folder.
std::string CommandInterpreter() {
    char buffer[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA("ComSpec", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return std::string(buffer, n);
    UINT m = GetSystemDirectoryA(buffer, MAX_PATH);
    return (m > 0 && m < MAX_PATH ? std::string(buffer, m) : std::string("C:\\Windows\\System32")) + "\\cmd.exe";
}

bool Create(const std::string& application,
            std::string commandLine,
            const TProcessRequest& request,
            PROCESS_INFORMATION& process) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (request.hidden) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    }
    const char* folder = request.workingFolder.empty() ? nullptr : request.workingFolder.c_str();
    return CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                          &startup, &process) != FALSE;
}

class TWinProgramStarter : public IProgramStarter {
  public:
    bool Start(const TProcessRequest& request) override {
        PROCESS_INFORMATION process = {};
        bool created = Create(request.application, request.commandLine, request, process);
        // Not every system runs a batch file named as the application; then the
        // command interpreter runs it with the same command line.
        if (!created && IsBatchFile(request.application) && IsExistingFile(request.application))
            created = Create(CommandInterpreter(), "cmd.exe /c \"" + request.commandLine + "\"", request, process);
        if (!created)
            return false;
        if (request.wait)
            WaitForSingleObjectEx(process.hProcess, request.timeoutMs < 0 ? INFINITE : DWORD(request.timeoutMs), TRUE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
};

}  // namespace

IProgramStarter& RealProgramStarter() {
    static TWinProgramStarter starter;
    return starter;
}

}  // namespace tallow
