// The engine's system services on Windows.
#include <windows.h>

#include <shellapi.h>

#include <cstddef>
#include <typeinfo>

#include "framework/CLEngineStandard.h"
#include "platform/Platform.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"

namespace tallow {

static_assert(sizeof(CopyDataRecord) == sizeof(COPYDATASTRUCT));
static_assert(offsetof(CopyDataRecord, cbData) == offsetof(COPYDATASTRUCT, cbData));
static_assert(offsetof(CopyDataRecord, lpData) == offsetof(COPYDATASTRUCT, lpData));
static_assert(kWmCopyData == WM_COPYDATA);

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
    void StartProcess(const std::string& commandLine) override {
        std::string buffer = commandLine;  // CreateProcessA may write into the command line
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0x20, nullptr, nullptr, &startup, &info)) {
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
    void ShellOpen(const std::string& target) override {
        ShellExecuteA(GetActiveWindow(), "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
};

}  // namespace

IEngineSystem& StandardEngineSystem() {
    static WinEngineSystem system;
    return system;
}

void InstallStandardEngineServices() {
    SetEngineServicesProvider([](TComponent* owner) {
        auto* form = dynamic_cast<TskForm*>(owner);
        if (!form) {
            throw std::bad_cast();
        }
        EngineServices services;
        services.system = &StandardEngineSystem();
        services.settings = &AppSettingsForEngine();
        services.owner = MakeFormEngineOwner(*form);
        services.windows = StandardEngineWindows();
        services.windows.messageDialog = MakeSkinMessageDialog;
        return services;
    });
}

}  // namespace tallow
