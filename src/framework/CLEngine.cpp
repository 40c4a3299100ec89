// TCLEngine: creation, the owner's message handler and the start-up sequence.
#include "framework/CLEngine.h"

#include <stdexcept>

#include "framework/CLEngineText.h"
#include "framework/InstanceMessages.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {

namespace {
TCLEngine* g_appEngine = nullptr;

EngineServicesProvider& Provider() {
    static EngineServicesProvider provider;
    return provider;
}

EngineServices ProvidedServices(TComponent* owner) {
    if (!Provider()) {
        throw std::logic_error("TCLEngine: no engine services installed");
    }
    return Provider()(owner);
}
}  // namespace

void SetEngineServicesProvider(EngineServicesProvider provider) {
    Provider() = std::move(provider);
}

TCLEngine* AppEngine() {
    return g_appEngine;
}

//--- Creation and destruction ------------------------------------------------

TCLEngine::TCLEngine(TComponent* owner) : TCLEngine(owner, ProvidedServices(owner)) {}

TCLEngine::TCLEngine(TComponent* owner, EngineServices services)
    : TComponent(owner),
      platform_(*services.platform),
      application_(*services.application),
      settings_(*services.settings),
      owner_(std::move(services.owner)),
      windows_(std::move(services.windows)) {
    if (!owner_) {
        throw std::invalid_argument("TCLEngine needs an owner window");
    }
    RegisterMessages();
    savedWndProc_ = owner_->ReplaceMessageHandler([this](EngineMessage& m) { EngineWndProc(m); });
    settingDefault_.Add("Path.Skins=skins");
    settingDefault_.Add("Path.Languages=lang");
    if (!g_appEngine) {
        g_appEngine = this;
        settings_.SetSettingLists(this);
    }
}

TCLEngine::~TCLEngine() {
    if (g_appEngine == this) {
        g_appEngine = nullptr;
        settings_.SetSettingLists(nullptr);
    }
    // A window that is being destroyed (and so destroys its components) has no
    // message handler left to give back.
    if (!Owner() || (Owner()->ComponentState() & csDestroying) == 0) {
        owner_->ReplaceMessageHandler(savedWndProc_);
    }
}

void TCLEngine::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Object<TskSkinData, TCLEngine>(
        "SkinData", "TskSkinData", [](TCLEngine& e) { return e.SkinData; },
        [](TCLEngine& e, TskSkinData* skin) { e.SkinData = skin; });
    out.Object<TStrings>("SettingOverwrite", "TStrings", &TCLEngine::SettingOverwrite, &TCLEngine::SetSettingOverwrite);
    out.Object<TStrings>("SettingDefault", "TStrings", &TCLEngine::SettingDefault, &TCLEngine::SetSettingDefault);
    out.Integer<TCLEngine>(
        "ParentHWND", "Cardinal", [](TCLEngine& e) { return static_cast<long long>(e.ParentHWND); },
        [](TCLEngine& e, int v) { e.ParentHWND = static_cast<WindowHandle>(static_cast<unsigned>(v)); });
    out.Boolean("TitleIncludeVer", &TCLEngine::TitleIncludeVer, &TCLEngine::SetTitleIncludeVer);
}

void TCLEngine::SetSettingOverwrite(TStrings* lines) {
    if (lines) {
        settingOverwrite_.Assign(*lines);
    } else {
        settingOverwrite_.Clear();
    }
}

void TCLEngine::SetSettingDefault(TStrings* lines) {
    if (lines) {
        settingDefault_.Assign(*lines);
    } else {
        settingDefault_.Clear();
    }
}

void TCLEngine::RegisterMessages() {
    IWindowMessages& messages = *platform_.messages;
    msgGetAppID_ = messages.RegisterMessage(kMsgGetAppID);
    msgCloseApp_ = messages.RegisterMessage(kMsgCloseApp);
    msgInitPost_ = messages.RegisterMessage(kMsgInitPost);
    msgCmdParam_ = messages.RegisterMessage(kMsgCmdParam);
    msgIfBusy_ = messages.RegisterMessage(kMsgIfBusy);
}

void TCLEngine::SetTitleIncludeVer(bool value) {
    titleIncludeVer_ = value;
    if (!IsLoading()) {
        UpdateTitle();
    }
}

//--- Messages ------------------------------------------------------------------

void TCLEngine::EngineWndProc(EngineMessage& message) {
    if (HandleOwnMessage(message)) {
        return;
    }
    if (savedWndProc_) {
        savedWndProc_(message);
    }
}

// The rows of the message table, tested in order; false passes the message on.
bool TCLEngine::HandleOwnMessage(EngineMessage& message) {
    const uint32_t msg = message.msg;
    if (msg == 0) {
        return false;  // a failed registration must not capture WM_NULL
    }
    if (msg == msgGetAppID_) {
        message.result = settings_.ReadInteger("App.ID");
    } else if (msg == msgCloseApp_) {
        application_.Terminate();
    } else if (msg == msgInitPost_) {
        DoInitPost();
        message.result = 0;
    } else if (msg == msgIfBusy_) {
        message.result = startingUp_ ? 1 : 0;
    } else if (msg == kWmCopyData && message.lParam != 0) {
        TakeCopyData(message);
        message.result = 0;
    } else if (msg == msgCmdParam_ && OnCmdFile) {
        OnCmdFile(cmdParam_);
        message.result = 0;
    } else {
        return false;
    }
    return true;
}

// Exactly cbData bytes; a record without data gives an empty text.
void TCLEngine::TakeCopyData(const EngineMessage& message) {
    const auto* record = reinterpret_cast<const CopyDataRecord*>(message.lParam);
    if (record->lpData && record->cbData > 0) {
        cmdParam_.assign(static_cast<const char*>(record->lpData), record->cbData);
    } else {
        cmdParam_.clear();
    }
    PostToOwner(msgCmdParam_);
}

void TCLEngine::PostToOwner(uint32_t msg) {
    owner_->Post(msg, 0, 0);
}

//--- Start-up ------------------------------------------------------------------

void TCLEngine::Loaded() {
    TComponent::Loaded();
    if (IsDesigning()) {
        return;
    }
    inLoaded_ = true;
    try {
        LoadInitialSkin();
        LoadInitialLanguage();
    } catch (...) {
        inLoaded_ = false;
        throw;
    }
    inLoaded_ = false;
    PostToOwner(msgInitPost_);
}

void TCLEngine::DoInitPost() {
    struct StartUpDone {
        bool& flag;
        ~StartUpDone() { flag = false; }
    } done{startingUp_};
    if (OnLanguageChanged) {
        OnLanguageChanged(*this);
    }
    if (OnSkinChanged) {
        OnSkinChanged(*this);
    }
    UpdateTitle();
    AutoCheckUpdate();
    CheckCmdParam();
}

void TCLEngine::CheckCmdParam() {
    std::vector<std::string> params = platform_.process->Parameters();
    if (params.empty() || params[0].empty()) {
        return;
    }
    if (params[0][0] == '-' || params[0][0] == '/') {
        return;
    }
    cmdParam_ = params[0];
    PostToOwner(msgCmdParam_);
}

//--- Title ---------------------------------------------------------------------

std::string TCLEngine::GetAppName() {
    if (LanguageData) {
        std::string name = LanguageData->ReadAppName();
        if (!name.empty()) {
            return name;
        }
    }
    return settings_.ReadString("App.Name");
}

void TCLEngine::UpdateTitle() {
    if (IsDesigning()) {
        return;
    }
    std::string t = GetAppName();
    if (titleIncludeVer_) {
        t += "  " + settings_.ReadString("App.Ver");
    }
    title_ = t;
    if (settings_.ReadBool("App.NoAutoTitle")) {
        return;
    }
    application_.SetTitle(t);
    owner_->SetCaption(t);
    if (OnTitleChange) {
        OnTitleChange(*this);
    }
}

//--- Setting lists -------------------------------------------------------------

std::optional<std::string> TCLEngine::FindOverwrite(const std::string& name) const {
    return FindListValue(settingOverwrite_.Lines(), name);
}

std::optional<std::string> TCLEngine::FindDefault(const std::string& name) const {
    return FindListValue(settingDefault_.Lines(), name);
}

}  // namespace tallow
