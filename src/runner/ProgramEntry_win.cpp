// The program entry, and the one place where the program is put together: the
// toolkit's window layer, the engine's services with the windows other parts
// provide, the main window TfrmMain over the real cleaners, and the runner.
//
// A GUI program of the MinGW runtime may start at main(); the runner reads the
// command line from the platform, so WinMain's arguments are not needed.
#include <memory>

#include <exception>
#include <string>

#include "cleaning/CleaningActions.h"
#include "cleaning/ItemRunner.h"
#include "cleaning/uMainForm.h"
#include "framework/CLEngineStandard.h"
#include "framework/CLSettings.h"
#include "online/CLUpdateForm.h"
#include "online/SingleDownloader.h"
#include "platform/FileTree.h"
#include "platform/WinServices.h"
#include "runner/CommandLineRun.h"
#include "runner/MainWindow.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/Desktop.h"
#include "toolkit/win/WindowLayer.h"
#include "windows/CLAboutForm.h"
#include "windows/CLSplashForm.h"

namespace tallow {

namespace {

// The windows besides the main window. A window that is not part of the program
// yet has an empty factory: the runner and the engine then show nothing where
// they would have shown it.
struct ProgramWindows {
    std::function<std::unique_ptr<ISplashWindow>()> splash;
    std::function<std::unique_ptr<IUpdateWindow>(TCLEngine&)> update;
    std::function<std::unique_ptr<IAboutWindow>(TCLEngine&)> about;
};

class MainFormWindow : public IMainWindow {
  public:
    explicit MainFormWindow(std::unique_ptr<TfrmMain> form) : form_(std::move(form)) {}
    ~MainFormWindow() override { Application().SetMainForm(nullptr); }
    void ShowMainWindow() override { form_->Show(); }

  private:
    std::unique_ptr<TfrmMain> form_;
};

// Switches the toolkit's window layer and the engine's services on and builds
// TfrmMain over the real cleaners (not shown).
std::unique_ptr<IMainWindow> CreateMainForm(const ProgramWindows& windows) {
    InstallWindowLayer();
    EngineWindowFactories engineWindows;
    engineWindows.updateWindow = windows.update;
    engineWindows.aboutWindow = windows.about;
    InstallStandardEngineServices(std::move(engineWindows));
    MainFormServices services;
    services.cleaningKit = [] { return std::make_unique<TCleaningKit>(SystemPlatform(), AppSettings()); };
    services.itemRunner = [] { return MakeItemRunner(SystemPlatform(), AppSettings()); };
    services.listFolder = [](const std::string& folder) {
        std::vector<std::string> names;
        for (const TFileEntry& entry : SystemPlatform().fileTree->ListEntries(folder))
            names.push_back(entry.name);
        return names;
    };
    auto form = std::make_unique<TfrmMain>(nullptr, std::move(services));
    Application().SetMainForm(form.get());
    return std::make_unique<MainFormWindow>(std::move(form));
}

MainWindowClass ProgramMainWindow(const ProgramWindows& windows) {
    MainWindowClass cls;
    cls.className = "TfrmMain";
    cls.create = [windows] { return CreateMainForm(windows); };
    cls.splashWindow = windows.splash;
    return cls;
}

//--- The About and splash windows ---------------------------------------------------

// An About window of the engine's owner (the main window), which keeps it
// after it closes and frees it with itself.
class AboutWindow : public IAboutWindow {
  public:
    explicit AboutWindow(TfrmCLAboutForm& form) : form_(form) {}
    void PlaceInParent(WindowHandle parent) override { PlaceFormInWindow(form_, parent); }
    TModalResult ShowModal() override { return form_.ShowModal(); }

  private:
    TfrmCLAboutForm& form_;
};

std::function<std::unique_ptr<IAboutWindow>(TCLEngine&)> AboutWindowFactory() {
    return [](TCLEngine& engine) -> std::unique_ptr<IAboutWindow> {
        AboutFormServices services;
        services.engine = &engine;
        services.settings = &AppSettings();
        services.selectedLanguage = [&engine] { return engine.SelectedLanguage(); };
        return std::make_unique<AboutWindow>(*new TfrmCLAboutForm(engine.Owner(), std::move(services)));
    };
}

// The splash window comes before the main window, so it switches the window layer on itself.
class SplashWindow : public ISplashWindow {
  public:
    SplashWindow() {
        InstallWindowLayer();
        form_ = std::make_unique<TfrmCLSplashForm>(nullptr, SplashFormServices{&AppSettings(), ScreenSize()});
    }
    void ShowSplash() override { form_->Show(); }

  private:
    std::unique_ptr<TfrmCLSplashForm> form_;
};

std::function<std::unique_ptr<ISplashWindow>()> SplashWindowFactory() {
    return [] { return std::make_unique<SplashWindow>(); };
}

//--- The update window --------------------------------------------------------------

// The update window over the program's settings store and platform.
std::unique_ptr<IUpdateWindow> CreateUpdateWindow(TCLEngine& engine) {
    return MakeUpdateWindow(engine, AppSettings(), SystemPlatform());
}

// Shows what ended the program in the standard error box. Nothing here may
// throw again: the title falls back to none when the settings are the trouble.
void ReportFatal(const char* what) {
    std::string title;
    try {
        title = AppSettings().ReadString("App.Name");
    } catch (...) {
    }
    try {
        WinApplication().ShowErrorBox(title, what);
    } catch (...) {
    }
}

// A transfer still running when the program ends (an update check) is stopped,
// and its worker gets up to 2 s to end before the application object goes away;
// one that still runs then never touches it again.
struct TransfersEnd {
    ~TransfersEnd() { TSingleDownloader::EndAllTransfers(2000); }
};

}  // namespace

}  // namespace tallow

int main() {
    // Ends after the main window and its update windows have gone (their
    // downloaders cancel their transfers) and before the program's statics do.
    tallow::TransfersEnd transfersEnd;
    try {
        tallow::ProgramWindows windows;
        windows.splash = tallow::SplashWindowFactory();
        windows.about = tallow::AboutWindowFactory();
        windows.update = tallow::CreateUpdateWindow;
        std::unique_ptr<tallow::IMainWindow> mainWindow;
        tallow::TCommandLineRun commandLine(tallow::MakeItemRunner);
        return tallow::RunApplication(tallow::ProgramMainWindow(windows), mainWindow, {}, &commandLine);
    } catch (const std::exception& e) {
        tallow::ReportFatal(e.what());
    } catch (...) {
        tallow::ReportFatal("Unknown error");
    }
    return 1;
}
