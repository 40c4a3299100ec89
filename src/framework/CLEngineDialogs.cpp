// TCLEngine: texts by key, message boxes by key, the update and About windows,
// and web pages.
#include <string>

#include "diagnostics/TraceSender.h"
#include "framework/CLEngine.h"
#include "framework/CLEngineSchedule.h"
#include "framework/CLEngineText.h"
#include "framework/CLEngineUrl.h"

namespace tallow {

//--- Texts by key --------------------------------------------------------------

std::string TCLEngine::GetLangText(const std::string& section, const std::string& key) {
    std::string result;
    if (LanguageData) {
        LanguageData->ReadText(section, std::string(), key, result);
    }
    return result;
}

void TCLEngine::GetLangSection(const std::string& section, TStrings& list) {
    if (LanguageData) {
        LanguageData->ReadSection(section, list);
    }
}

std::string TCLEngine::GetLibText(const std::string& key) {
    return GetLangText("LibRes", key);
}

std::string TCLEngine::GetAppText(const std::string& key) {
    return GetLangText("AppRes", key);
}

std::string TCLEngine::GetResText(const std::string& key, bool isLib) {
    std::string text;
    if (TCLEngine* engine = AppEngine()) {
        text = isLib ? engine->GetLibText(key) : engine->GetAppText(key);
    }
    return text.empty() ? MissingTextMarker(key, isLib) : text;
}

//--- Message boxes ---------------------------------------------------------------

TModalResult TCLEngine::MessageBoxByKey(const std::string& key,
                                        const std::vector<std::string>& args,
                                        int module,
                                        TMsgDlgType dlgType,
                                        TMsgDlgButtons buttons,
                                        int hiddenResult,
                                        bool isLib) {
    MessageDialogRequest request;
    request.text = FillPlaceholders(GetResText(key, isLib), args);
    if (module != 0 && !settings_.GetShowAgain(module)) {
        return hiddenResult != 0 ? hiddenResult : settings_.GetShowAgainResult(module);
    }
    request.showAgainFlag = module != 0;
    request.caption = GetAppName();
    request.type = dlgType;
    request.buttons = buttons;
    IMessageDialog* dialog = SkinMessage();
    if (!dialog) {
        return mrNone;
    }
    bool showAgainValue = true;
    TModalResult result = dialog->Execute(request, showAgainValue);
    if (module != 0 && !showAgainValue) {
        settings_.SetShowAgain(module, false);
        settings_.SetShowAgainResult(module, result);
    }
    return result;
}

IMessageDialog* TCLEngine::SkinMessage() {
    if (!messageDialog_ && windows_.messageDialog) {
        messageDialog_ = windows_.messageDialog(*this);
    }
    return messageDialog_.get();
}

//--- Update and About ----------------------------------------------------------

void TCLEngine::AutoCheckUpdate() {
    if (settings_.ReadBool("Update.BeginAuto")) {
        CheckUpdateDue();
    }
}

void TCLEngine::CheckUpdateDue() {
    if (!IsUpdateDue(platform_.clock->Now(), settings_.ReadFloat("Update.LastDate"),
                     settings_.ReadInteger("Update.Days"))) {
        return;
    }
    if (!windows_.updateWindow) {
        return;
    }
    updateWindows_.push_back(windows_.updateWindow(*this));
    updateWindows_.back()->BeginCheck(false);
}

void TCLEngine::ShowUpdate(bool modal) {
    if (!windows_.updateWindow) {
        return;
    }
    updateWindows_.push_back(windows_.updateWindow(*this));
    IUpdateWindow& window = *updateWindows_.back();
    window.BeginCheck(true);
    if (modal) {
        window.ShowModal();
    }
}

void TCLEngine::ShowAbout() {
    DebugTrace().Trace(std::to_string(ParentHWND));
    if (!windows_.aboutWindow) {
        return;
    }
    aboutWindows_.push_back(windows_.aboutWindow(*this));
    IAboutWindow& window = *aboutWindows_.back();
    if (ParentHWND != 0) {
        window.PlaceInParent(ParentHWND);
    }
    window.ShowModal();
}

//--- Web pages -------------------------------------------------------------------

bool TCLEngine::OpenURL(const std::string& url) {
    std::optional<std::string> safe = SafeWebAddress(url);
    if (!safe) {
        return false;
    }
    std::string command =
        platform_.registry->ReadString(RegistryRoot::ClassesRoot, "HTTP\\shell\\open\\command", "").value_or("");
    if (command.empty()) {
        platform_.shell->Open(*safe);
    } else {
        platform_.shell->StartCommandLine(ComposeBrowserCommand(command, *safe));
    }
    return true;
}

}  // namespace tallow
