#include "runner/CLMain.h"

#include <exception>
#include <optional>

#include "diagnostics/TraceSender.h"
#include "framework/CLSettings.h"
#include "framework/InstanceMessages.h"
#include "platform/Platform.h"

namespace tallow {

bool DebugMode = false;

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void SetTraceFlags(bool on) {
    DebugTrace().Enabled = on;
    DebugTrace().AutoStartViewer = on;
}

// Releases the settings store on every way out of RunApplication.
struct TSettingsRelease {
    ~TSettingsRelease() { ReleaseAppSettings(); }
};

bool DecideDebugMode(const TPlatform& platform, const std::vector<std::string>& params) {
    TCLSettings& settings = AppSettings();
    const bool chord = platform.keys->IsDown(Key::Control) && platform.keys->IsDown(Key::Shift);
    const bool wanted = settings.ReadBool("Debug.Enabled") || chord;
    return (wanted && !settings.ReadBool("Debug.Disabled")) || HasSwitch(params, 'd');
}

// The first parameter is a file name for the running instance unless it looks like a switch.
bool IsHandOverParameter(const std::vector<std::string>& params) {
    return !params.empty() && !params[0].empty() && params[0][0] != '-' && params[0][0] != '/';
}

// After "/r" asked the running instance to end, that instance may hold the
// mutex a while longer than its window lives (its process still ends). While
// the mutex exists and no instance answers, wait for it to go, up to 10 s.
void WaitForClosingInstance(const TPlatform& platform, const std::string& className, const std::string& mutexName) {
    const unsigned kLimitMs = 10000;
    const unsigned kStepMs = 100;
    for (unsigned waited = 0;
         waited < kLimitMs && platform.kernel->MutexExists(mutexName) && !FindRunningInstance(className);
         waited += kStepMs) {
        platform.application->Sleep(kStepMs);
    }
}

void RunSecondInstance(const std::string& className, const std::vector<std::string>& params) {
    ActivateRunningInstance(className);
    if (IsHandOverParameter(params)) {
        HandOverCommandLine(className, params[0]);
    }
}

// The splash window, when the program has one: shown and painted at once; it
// closes itself, and `splash` keeps it until the message loop ends.
void ShowSplashWindow(const MainWindowClass& cls, std::unique_ptr<ISplashWindow>& splash) {
    splash = cls.splashWindow ? cls.splashWindow() : nullptr;
    if (splash) {
        splash->ShowSplash();
    }
}

void RunMainWindow(const TPlatform& platform,
                   const MainWindowClass& cls,
                   std::unique_ptr<IMainWindow>& mainWindow,
                   bool hidden) {
    IApplication& app = *platform.application;
    const bool com = app.InitializeCom();
    std::unique_ptr<ISplashWindow> splash;
    try {
        if (AppSettings().ReadBool("App.Splash")) {
            ShowSplashWindow(cls, splash);
        }
        mainWindow = cls.create ? cls.create() : nullptr;
        if (mainWindow && !hidden) {
            mainWindow->ShowMainWindow();
        }
        // What the start wrote (its count, the skin and language chosen) is
        // saved once the window is up, not before.
        AppSettings().SaveDeferred();
        if (mainWindow) {
            app.RunMessageLoop();
        }
    } catch (const std::exception& e) {
        app.ShowErrorBox(AppSettings().ReadString("App.Name"), e.what());
    }
    mainWindow.reset();
    splash.reset();
    if (com) {
        app.UninitializeCom();
    }
}

// A windowless run on the user-interface thread, with COM as the main window would have it.
int RunWithoutWindow(const TPlatform& platform, IWindowlessRun& run, const std::vector<std::string>& params) {
    IApplication& app = *platform.application;
    const bool com = app.InitializeCom();
    const int code = run.Run(params);
    if (com) {
        app.UninitializeCom();
    }
    return code;
}

}  // namespace

//--- Switches --------------------------------------------------------------------------------------

bool IsSwitch(const std::string& parameter, char letter) {
    return parameter.size() == 2 && (parameter[0] == '-' || parameter[0] == '/') &&
           LowerAscii(parameter[1]) == LowerAscii(letter);
}

bool HasSwitch(const std::vector<std::string>& parameters, char letter) {
    for (const std::string& p : parameters) {
        if (IsSwitch(p, letter)) {
            return true;
        }
    }
    return false;
}

//--- The running instance --------------------------------------------------------------------------

WindowHandle FindRunningInstance(const std::string& className) {
    IWindowMessages& messages = *SystemPlatform().messages;
    const int appId = AppSettings().ReadInteger("App.ID");
    const std::uint32_t getAppId = messages.RegisterMessage(kMsgGetAppID);
    for (WindowHandle w = messages.FindWindowByClass(className, 0); w; w = messages.FindWindowByClass(className, w)) {
        if (messages.Send(w, getAppId, 0, 0) == appId) {
            return w;
        }
    }
    return 0;
}

void CloseRunningInstance(const std::string& className) {
    if (WindowHandle w = FindRunningInstance(className)) {
        IWindowMessages& messages = *SystemPlatform().messages;
        messages.Send(w, messages.RegisterMessage(kMsgCloseApp), 0, 0);
    }
}

void ActivateRunningInstance(const std::string& className) {
    if (WindowHandle w = FindRunningInstance(className)) {
        IWindowMessages& messages = *SystemPlatform().messages;
        if (messages.Send(w, messages.RegisterMessage(kMsgIfBusy), 0, 0) != 1) {
            ForceForegroundWindow(w);
        }
    }
}

void HandOverCommandLine(const std::string& className, const std::string& text) {
    if (WindowHandle w = FindRunningInstance(className)) {
        SystemPlatform().messages->SendCopyData(w, 0, text);
    }
}

bool ForceForegroundWindow(WindowHandle window) {
    return SystemPlatform().foreground->ForceForegroundWindow(window);
}

bool AcquireInstanceMutex(const std::string& name) {
    return SystemPlatform().kernel->CreateNamedMutex(name) != MutexResult::AlreadyExists;
}

//--- The run ---------------------------------------------------------------------------------------

int RunApplication(const MainWindowClass& cls,
                   std::unique_ptr<IMainWindow>& mainWindow,
                   std::function<bool()> startCheck,
                   IWindowlessRun* windowless) {
    SetTraceFlags(false);
    const TPlatform& platform = SystemPlatform();
    const std::vector<std::string> params = platform.process->Parameters();
    if (HasSwitch(params, 'i') || HasSwitch(params, 'u')) {
        return 0;
    }
    TSettingsRelease release;
    // Until the window is visible the store saves nothing; every way out of this
    // run saves what it holds (the store saves it when released).
    DeferAppSettingsSaves();
    if (HasSwitch(params, 's')) {
        CloseRunningInstance(cls.className);
        return 0;
    }
    if (HasSwitch(params, 'r')) {
        CloseRunningInstance(cls.className);
        platform.application->Sleep(2000);
    }
    DebugMode = DecideDebugMode(platform, params);
    // Only in debug mode does the trace get its channel to the viewer (and so
    // ever launch it); the channel lives until the run ends.
    std::optional<TScopedTraceConnection> traceConnection;
    if (DebugMode) {
        traceConnection.emplace(platform);
    }
    SetTraceFlags(DebugMode);
    if (DebugMode) {
        DebugTrace().Trace("Enter Debug Mode...");
    }
    if (HasSwitch(params, 'a') && !AppSettings().ReadBool("App.Autorun")) {
        return 0;
    }
    if (startCheck && !startCheck()) {
        return 0;
    }
    if (windowless && windowless->Wanted(params)) {
        AppSettings().SaveDeferred();
        return RunWithoutWindow(platform, *windowless, params);
    }
    if (!AppSettings().ReadBool("App.Multiple")) {
        const std::string mutexName = "Global\\" + AppSettings().ReadString("App.GUID");
        if (HasSwitch(params, 'r')) {
            WaitForClosingInstance(platform, cls.className, mutexName);
        }
        if (!AcquireInstanceMutex(mutexName)) {
            RunSecondInstance(cls.className, params);
            return 0;
        }
    }
    RunMainWindow(platform, cls, mainWindow, HasSwitch(params, 'h'));
    return 0;
}

}  // namespace tallow
