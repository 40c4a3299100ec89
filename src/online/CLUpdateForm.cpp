// handle on it.
#include "online/CLUpdateForm.h"

#include <exception>

#include "components/WholeFile.h"
#include "online/UpdateKey.h"
#include "toolkit/controls/Application.h"

namespace tallow {

namespace {

const char* const kLogoFile = "res\\images\\update.png";

// A reference to a component that turns null when the component is freed.
class TComponentWatch : public TComponent {
  public:
    explicit TComponentWatch(TComponent* target) : TComponent(nullptr), target_(target) {
        if (target_ != nullptr)
            FreeNotification(target_);
    }
    ~TComponentWatch() override {
        if (target_ != nullptr)
            RemoveFreeNotification(target_);
    }
    TComponent* Target() const { return target_; }

  protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component == target_)
            target_ = nullptr;
    }

  private:
    TComponent* target_;
};

}  // namespace

TfrmCLUpdateForm::TfrmCLUpdateForm(TComponent* owner, UpdateFormServices services)
    : TskForm(owner),
      services_(services),
      check_(*services.settings,
             *services.platform->clock,
             static_cast<IUpdateCheckHost&>(*this),
             *services.platform->signatures,
             BuiltInUpdateKey()) {
    SetLoading(true);
    CreateComponents();
    BindEvents();
    LoadWindow();
}

TfrmCLUpdateForm::~TfrmCLUpdateForm() = default;

void TfrmCLUpdateForm::BindEvents() {
    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    OnKeyUp = [this](TComponent* sender, unsigned key) { FormKeyUp(sender, key); };
    sdDownload->OnDoneString = [this](TSingleDownloader& sender, const std::string& text) {
        sdDownloadDoneString(sender, text);
    };
    sdDownload->OnError = [this](TSingleDownloader& sender) { sdDownloadError(sender); };
    btnOK->OnClick = [this](TComponent* sender) { btnOKClick(sender); };
    btnOK2->OnClick = [this](TComponent* sender) { btnOK2Click(sender); };
    SetWindowProc([this](TMessage& message) {
        if (message.msg == WM_UPDATERESULT) {
            ShowCheckResult();
            return;
        }
        DefaultHandler(message);
    });
}

// As a stored description would: Loaded to each component in creation order
// (the decoration hands out the engine's skin), then to the window, whose
// OnCreate runs FormCreate.
void TfrmCLUpdateForm::LoadWindow() {
    for (int i = 0; i < ComponentCount(); ++i)
        Components(i)->Loaded();
    Loaded();
}

//--- Loading -------------------------------------------------------------------

void TfrmCLUpdateForm::FormCreate(TComponent*) {
    LoadLogo(services_.settings->ExeDir() + kLogoFile);
    SetCaption(LibText(std::string(ClassName()) + ".Caption"));
    btnOK->SetCaption(LibText("btnOk.Caption"));
    btnOK2->SetCaption(LibText("btnOk.Caption"));
    btnCancel->SetCaption(LibText("btnCancel.Caption"));
    cbAutoCheckUpdate->SetCaption(LibText("cbAutoCheckUpdate.Caption"));
    lbInfo->SetCaption(LibText("Update.Connecting"));
    // While the check runs only the disabled Ok shows.
    pnOkCancel->SetVisible(false);
    if (check_.AutoCheckLocked())
        cbAutoCheckUpdate->SetVisible(false);
    if (check_.AutoCheck())
        cbAutoCheckUpdate->SetChecked(true);
    // A choice Group Policy made stays as it is.
    cbAutoCheckUpdate->SetEnabled(!services_.settings->FixedByPolicy("Update.AutoCheck"));
    ArrangeInfoPanel();
}

void TfrmCLUpdateForm::LoadLogo(const std::string& file) {
    TPngImage* picture = pngLogo->Image(0);
    if (FileOpensForReading(file)) {
        try {
            pngLogo->LoadSlot(0, file);
        } catch (const std::exception&) {
            if (TPngImage* slot = pngLogo->Image(0))
                slot->Clear();
        }
        picture = pngLogo->Image(0);
        imgLogo->SetImageStore(pngLogo);
        imgLogo->SetImageIndex(0);
        imgLogo->PictureChanged();
        if (picture != nullptr && !picture->Empty()) {
            SetClientWidth(picture->Width());
            SetClientHeight(ClientHeight() + picture->Height() - pnLogo->Height());
            pnLogo->SetHeight(picture->Height());
        }
    }
    if ((picture == nullptr || picture->Empty()) && !logoStripRemoved_) {
        logoStripRemoved_ = true;
        pnLogo->SetVisible(false);
        imgLogo->SetVisible(false);
        SetClientHeight(ClientHeight() - pnLogo->Height());
    }
    ArrangeInfoPanel();
}

//--- The check -------------------------------------------------------------------

void TfrmCLUpdateForm::BeginCheck(bool manual) {
    check_.Begin(manual);
}

void TfrmCLUpdateForm::sdDownloadDoneString(TSingleDownloader&, const std::string& strResult) {
    check_.DownloadDone(strResult);
}

void TfrmCLUpdateForm::sdDownloadError(TSingleDownloader&) {
    check_.DownloadError();
}

void TfrmCLUpdateForm::ShowCheckResult() {
    lbInfo->SetCaption(check_.InfoText());
    const bool offersPage = !check_.PageURL().empty();
    pnOkCancel->SetVisible(offersPage);
    pnOK->SetVisible(!offersPage);
    if (!offersPage)
        btnCancel->SetVisible(false);
    btnOK->SetEnabled(true);
    btnOK2->SetEnabled(true);
    ArrangeInfoPanel();
    if (!Visible()) {
        ShowModal();
        Release();
    }
}

void TfrmCLUpdateForm::btnOKClick(TComponent*) {
    check_.Accept(cbAutoCheckUpdate->Checked());
}

void TfrmCLUpdateForm::btnOK2Click(TComponent*) {
    check_.Dismiss(cbAutoCheckUpdate->Checked());
}

void TfrmCLUpdateForm::FormKeyUp(TComponent*, unsigned key) {
    check_.Abandon();
    if (key == vkEscape) {
        if (InModal())
            SetModalResult(mrCancel);
        else
            Close();
    }
}

void TfrmCLUpdateForm::Release() {
    auto watch = std::make_shared<TComponentWatch>(this);
    services_.platform->application->PostToUiThread([watch] { delete watch->Target(); });
}

//--- Host of the check -------------------------------------------------------------

std::string TfrmCLUpdateForm::LibText(const std::string& key) {
    return services_.engine->GetLibText(key);
}

std::string TfrmCLUpdateForm::RequestAddress() {
    return services_.engine->GetPageURL("Update", true);
}

void TfrmCLUpdateForm::StartDownload(const std::string& url) {
    sdDownload->URL = url;
    sdDownload->DownloadToString();
}

void TfrmCLUpdateForm::CancelDownload() {
    sdDownload->Cancel();
}

void TfrmCLUpdateForm::PostResult() {
    Post(WM_UPDATERESULT, 0, 0);
}

// The engine opens web addresses only: a "file:" or "javascript:" page from a
// forged or damaged answer opens nothing.
void TfrmCLUpdateForm::OpenPage(const std::string& url) {
    services_.engine->OpenURL(url);
}

//--- The engine's handle -------------------------------------------------------------

namespace {

class TUpdateWindowHandle : public IUpdateWindow {
  public:
    explicit TUpdateWindowHandle(TfrmCLUpdateForm* form) : watch_(form) {}
    void BeginCheck(bool manual) override {
        if (TfrmCLUpdateForm* form = Form())
            form->BeginCheck(manual);
    }
    TModalResult ShowModal() override {
        TfrmCLUpdateForm* form = Form();
        return form != nullptr ? form->ShowModal() : mrCancel;
    }

  private:
    TfrmCLUpdateForm* Form() const { return static_cast<TfrmCLUpdateForm*>(watch_.Target()); }
    TComponentWatch watch_;
};

}  // namespace

std::unique_ptr<IUpdateWindow> MakeUpdateWindow(TCLEngine& engine,
                                                ISettingsStore& settings,
                                                const TPlatform& platform) {
    UpdateFormServices services;
    services.engine = &engine;
    services.settings = &settings;
    services.platform = &platform;
    return std::make_unique<TUpdateWindowHandle>(new TfrmCLUpdateForm(engine.Owner(), services));
}

}  // namespace tallow
