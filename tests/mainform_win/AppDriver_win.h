// Starts the program as a separate process and drives its windows through the
// standard window messages, as a user (or a second start) would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tallow::testing {

/// Polls `done` until it holds or `ms` milliseconds passed.
bool WaitUntil(const std::function<bool()>& done, int ms = 10000);

std::string WindowText(HWND window);
std::string ClassOf(HWND window);
/// The descendants of `root` of window class `cls` (every class when empty).
std::vector<HWND> Descendants(HWND root, const std::string& cls = "");
/// The descendant of `root` of class `cls` whose text is `text`; nullptr when none.
HWND FindChild(HWND root, const std::string& cls, const std::string& text);
/// The visible top-level windows of process `pid` of class `cls`.
std::vector<HWND> TopWindows(DWORD pid, const std::string& cls);
/// The button on the row of the visible check box `caption`; nullptr when none.
HWND RowButton(HWND main, const std::string& caption);
/// Clicks `button` of process `pid`'s window and answers the message dialogs that
/// follow (Yes to a question, then OK); the text of the last one, or empty.
std::string ClickAndAnswer(DWORD pid, HWND button);

/// One run of the program.
class AppProcess {
  public:
    /// Starts `exe` with `args` in its own folder.
    AppProcess(const std::string& exe, const std::string& args = "");
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Pid() const { return info_.dwProcessId; }
    /// Waits for the process to end; true when it ended within `ms`.
    bool WaitForExit(int ms);
    /// The exit code of the ended process (STILL_ACTIVE while it runs).
    DWORD ExitCode() const;
    /// The main window (class "TfrmMain" of this process), waiting up to `ms` for it
    /// and then up to `ms` for the windows of all its pages.
    HWND MainWindow(int ms = 15000);
    /// Asks the program to end ("CL CloseApp") and waits; ends it by force otherwise.
    void Close();

  private:
    PROCESS_INFORMATION info_{};
};

/// A run of the program to its end.
struct TRunResult {
    bool ended = false;  // within the time given; a run still going is ended by force
    DWORD exitCode = 0;
    std::string output;  // its standard output and error, which went to one file
};

/// Starts `exe` with `args` in its own folder, its standard output and error
/// redirected to a file, and waits up to `ms` for it to end.
TRunResult RunToEnd(const std::string& exe, const std::string& args, int ms = 60000);

/// Sends a registered message ("CL GetAppID", "CL IfBusy", ...) to `window`.
LRESULT SendRegistered(HWND window, const char* name);

/// The directory of this test program (the build tree's bin folder), with a trailing backslash.
std::string BinDir();

}  // namespace tallow::testing
