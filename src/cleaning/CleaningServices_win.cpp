// The system's services of the cleaners: the process-wide platform bundle and
// settings store, and the cleaners' own Win32 services.
#include "cleaning/CleaningServices.h"
#include "framework/CLSettings.h"
#include "platform/Platform.h"

namespace tallow {
namespace {

class TAppSettingsAdapter : public ICleanerSettings {
public:
    std::string ReadString(const std::string& name) override { return AppSettings().ReadString(name); }
    void WriteString(const std::string& name, const std::string& value) override {
        AppSettings().WriteString(name, value);
    }
    std::string ExeDir() override { return GetExeDir(); }
    std::string ShellFolder(const std::string& valueName) override { return GetShellFolder(valueName); }
};

// The main window of this process (class "TfrmMain"), else the thread's active window.
WindowHandle ApplicationWindow(IProcessWindows& windows) {
    const WindowHandle main = windows.FindOwnWindow("TfrmMain");
    return main != 0 ? main : windows.ActiveWindow();
}

}  // namespace

TCleaningServices& RealCleaningServices() {
    static TAppSettingsAdapter settings;
    static TCleaningServices services = [] {
        const TPlatform& platform = SystemPlatform();
        TCleaningServices s;
        s.settings = &settings;
        s.registry = platform.registry;
        s.windows = platform.messages;
        s.files = &RealFileTree();
        s.systemFolders = &RealSystemFolders();
        s.clipboard = &RealClipboard();
        s.recycleBin = &RealRecycleBin();
        s.starter = &RealProgramStarter();
        s.urlCache = &RealUrlCache();
        s.applicationWindow = [windows = platform.windows] { return ApplicationWindow(*windows); };
        return s;
    }();
    return services;
}

}  // namespace tallow
