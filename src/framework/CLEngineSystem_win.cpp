// The engine's system services on Windows.
#include <typeinfo>

#include "framework/CLEngineStandard.h"
#include "platform/Platform.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"

namespace tallow {

namespace {

class WinEngineSystem : public IEngineSystem {
  public:
    uint32_t RegisterMessage(const std::string& name) override {
        return SystemPlatform().messages->RegisterMessage(name);
    }
    // The toolkit's application notes the end (a handler running inside the
    // loop, such as a clear-all run, stops on it); the quit itself is posted once.
    void TerminateApplication() override {
        Application().Terminate();
        SystemPlatform().application->Terminate();
    }
    void SetApplicationTitle(const std::string& title) override { Application().SetTitle(title); }
    std::vector<std::string> CommandLineParams() override { return SystemPlatform().process->Parameters(); }
    double Now() override { return SystemPlatform().clock->Now(); }
    std::string BrowserOpenCommand() override {
        return SystemPlatform()
            .registry->ReadString(RegistryRoot::ClassesRoot, "HTTP\\shell\\open\\command", "")
            .value_or("");
    }
    void StartProcess(const std::string& commandLine) override { SystemPlatform().shell->StartCommandLine(commandLine); }
    void ShellOpen(const std::string& target) override { SystemPlatform().shell->Open(target); }
};

}  // namespace

IEngineSystem& StandardEngineSystem() {
    static WinEngineSystem system;
    return system;
}

void InstallStandardEngineServices(EngineWindowFactories windows) {
    windows.messageDialog = MakeSkinMessageDialog;
    SetEngineServicesProvider([windows = std::move(windows)](TComponent* owner) {
        auto* form = dynamic_cast<TskForm*>(owner);
        if (!form) {
            throw std::bad_cast();
        }
        EngineServices services;
        services.system = &StandardEngineSystem();
        services.settings = &AppSettingsForEngine();
        services.owner = MakeFormEngineOwner(*form);
        services.windows = windows;
        return services;
    });
}

}  // namespace tallow
