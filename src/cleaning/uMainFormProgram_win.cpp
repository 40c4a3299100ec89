#include "cleaning/uMainFormProgram.h"

#include "cleaning/CleaningActions.h"
#include "cleaning/uMainForm.h"
#include "framework/CLEngineStandard.h"
#include "framework/CLSettings.h"
#include "platform/UrlHistoryStore.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/WindowLayer.h"

namespace tallow {

namespace {

class MainFormWindow : public IMainWindow {
  public:
    explicit MainFormWindow(std::unique_ptr<TfrmMain> form) : form_(std::move(form)) {}
    ~MainFormWindow() override { Application().SetMainForm(nullptr); }
    void ShowMainWindow() override { form_->Show(); }

  private:
    std::unique_ptr<TfrmMain> form_;
};

std::unique_ptr<IMainWindow> CreateMainForm() {
    InstallWindowLayer();
    InstallStandardEngineServices();
    MainFormServices services;
    services.cleaningKit = [] { return std::make_unique<TCleaningKit>(RealCleaningServices(), CreateUrlHistoryStore); };
    services.exeDir = GetExeDir;
    auto form = std::make_unique<TfrmMain>(nullptr, std::move(services));
    Application().SetMainForm(form.get());
    return std::make_unique<MainFormWindow>(std::move(form));
}

}  // namespace

MainWindowClass MainFormClass() {
    return {"TfrmMain", CreateMainForm};
}

}  // namespace tallow
