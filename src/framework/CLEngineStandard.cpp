#include "framework/CLEngineStandard.h"

#include <typeinfo>

#include "framework/CLSettings.h"
#include "platform/Platform.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/SkinMessage.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {

namespace {

class FormEngineOwner : public IEngineOwner {
  public:
    explicit FormEngineOwner(TskForm& form) : form_(form) {}
    WindowHandle Handle() override { return form_.WindowHandle(); }
    void SetCaption(const std::string& caption) override { form_.SetCaption(caption); }
    void Post(uint32_t msg, uintptr_t wParam, intptr_t lParam) override { form_.Post(msg, wParam, lParam); }
    MessageHandler ReplaceMessageHandler(MessageHandler handler) override {
        MessageHandler old = form_.WindowProc();
        form_.SetWindowProc(std::move(handler));
        return old;
    }

  private:
    TskForm& form_;
};

// The toolkit's dialog, owned by the engine's owner window and kept for later use.
class SkinMessageDialog : public IMessageDialog {
  public:
    explicit SkinMessageDialog(TskSkinMessage& dialog) : dialog_(dialog) {}
    TModalResult Execute(const MessageDialogRequest& request, bool& showAgainFlagValue) override {
        dialog_.SetShowAgainFlag(request.showAgainFlag);
        dialog_.SetShowAgainFlagValue(showAgainFlagValue);
        TModalResult result =
            dialog_.MessageDlg(request.text, request.caption, request.type, request.buttons, request.helpContext);
        showAgainFlagValue = dialog_.ShowAgainFlagValue();
        return result;
    }

  private:
    TskSkinMessage& dialog_;
};

}  // namespace

std::unique_ptr<IEngineOwner> MakeFormEngineOwner(TskForm& form) {
    return std::make_unique<FormEngineOwner>(form);
}

std::unique_ptr<IMessageDialog> MakeSkinMessageDialog(TCLEngine& engine) {
    auto* dialog = new TskSkinMessage(engine.Owner());
    dialog->SetSkinData(engine.SkinData);
    dialog->SetCtrlSkinData(engine.SkinData);
    // The toolkit's texts ("MSG_BTN_YES", "MSG_CAP_SHOWFLAG") as the skin data
    // holds them now, language replacements included.
    dialog->SetTextLookup([&engine](const std::string& key) {
        return engine.SkinData ? engine.SkinData->ResourceText(key) : std::string();
    });
    return std::make_unique<SkinMessageDialog>(*dialog);
}

void InstallStandardEngineServices(EngineWindowFactories windows) {
    windows.messageDialog = MakeSkinMessageDialog;
    SetEngineServicesProvider([windows = std::move(windows)](TComponent* owner) {
        auto* form = dynamic_cast<TskForm*>(owner);
        if (!form) {
            throw std::bad_cast();
        }
        EngineServices services;
        services.platform = &SystemPlatform();
        services.settings = &AppSettings();
        services.application = &Application();
        services.owner = MakeFormEngineOwner(*form);
        services.windows = windows;
        return services;
    });
}

}  // namespace tallow
