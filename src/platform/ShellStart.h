// Opening a document or link with the program the shell associates with it, and
// starting a program from a command line, without waiting for either.
#pragma once

#include <string>

namespace tallow {

class IShellStart {
  public:
    virtual ~IShellStart() = default;
    /// ShellExecuteA(the thread's active window, "open", target, no parameters,
    /// no folder, SW_SHOWNORMAL); a failure is not reported.
    virtual void Open(const std::string& target) = 0;
    /// CreateProcessA with the command line at normal priority; the process and
    /// thread handles are closed at once and a failure is not reported.
    virtual void StartCommandLine(const std::string& commandLine) = 0;
};

}  // namespace tallow
