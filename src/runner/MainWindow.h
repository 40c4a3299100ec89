// What the runner needs of the application's main window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tallow {

class IMainWindow {
  public:
    virtual ~IMainWindow() = default;
    virtual void ShowMainWindow() = 0;
};

/// The splash window, shown while the main window is built.
class ISplashWindow {
  public:
    virtual ~ISplashWindow() = default;
    /// Shows the window and paints it at once; it closes itself.
    virtual void ShowSplash() = 0;
};

struct MainWindowClass {
    std::string className;                                 // "TfrmMain": the registered window class name
    std::function<std::unique_ptr<IMainWindow>()> create;  // builds the window (not shown)
    /// Builds the splash window (without an owner) when "App.Splash" is on;
    /// empty: the program has none.
    std::function<std::unique_ptr<ISplashWindow>()> splashWindow = {};
};

/// A run of the program without any window, which the command line asks for
/// with options that are no switches.
class IWindowlessRun {
  public:
    virtual ~IWindowlessRun() = default;
    /// Whether `parameters` ask for this run.
    virtual bool Wanted(const std::vector<std::string>& parameters) const = 0;
    /// Does the run; the process exit code.
    virtual int Run(const std::vector<std::string>& parameters) = 0;
};

/// Runs the program: switches, debug mode, gates, main window, message loop.
/// `mainWindow` holds the main window while the message loop runs. When
/// `windowless` wants the command line, it runs instead of the single-instance
/// rule and the main window: it neither takes the mutex nor talks to a running
/// instance. Returns the process exit code when the program is to end.
int RunApplication(const MainWindowClass& cls,
                   std::unique_ptr<IMainWindow>& mainWindow,
                   std::function<bool()> startCheck = {},
                   IWindowlessRun* windowless = nullptr);

}  // namespace tallow
