#include "cleaning/uMainForm.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>

#include "cleaning/CleaningActions.h"
#include "cleaning/SignInClean.h"
#include "components/TextCase.h"
#include "framework/CLEngineText.h"
#include "framework/CLSettings.h"
#include "platform/Platform.h"
#include "toolkit/controls/Application.h"

namespace tallow {

namespace {

// A clean first waits (a while) for the size labels' count under way and holds
// the next counts until it is done: a count reads the very files the clean
// checks and removes, and a file the count has open would pass for one that a
// running browser holds.
class TCountsHeld {
  public:
    explicit TCountsHeld(TWorkerThread* worker) : worker_(worker) {
        if (worker_)
            worker_->Pause(std::chrono::seconds(5));
    }
    ~TCountsHeld() {
        if (worker_)
            worker_->Resume();
    }
    TCountsHeld(const TCountsHeld&) = delete;
    TCountsHeld& operator=(const TCountsHeld&) = delete;

  private:
    TWorkerThread* worker_;
};

}  // namespace

std::string IconFileName(const std::string& exeDir, int n) {
    char number[16];
    std::snprintf(number, sizeof number, "%.2d", n);
    return exeDir + "res\\icon24_" + number + ".png";
}

TfrmMain::TfrmMain(TComponent* owner) : TfrmMain(owner, MainFormServices{}) {}

TfrmMain::TfrmMain(TComponent* owner, MainFormServices services) : TskForm(owner), services_(std::move(services)) {
    SetLoading(true);
    CreateComponents();
    BindEvents();
    if (services_.cleaningKit) {
        cleaning_ = services_.cleaningKit();
    }
    StartCounting();
    LoadWindow();
    UpdateSizeLabels();
}

TfrmMain::~TfrmMain() {
    StopCounting();
}

void TfrmMain::BindEvents() {
    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    OnShow = [this](TComponent* sender) { FormShow(sender); };
    OnCloseQuery = [this](TComponent* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    btnIE->OnClick = [this](TComponent* sender) { btnIEClick(sender); };
    btnFF->OnClick = [this](TComponent* sender) { btnFFClick(sender); };
    btnWH->OnClick = [this](TComponent* sender) { btnWHClick(sender); };
    btnSF->OnClick = [this](TComponent* sender) { btnSFClick(sender); };
    btnChrome->OnClick = [this](TComponent* sender) { btnChromeClick(sender); };
    smLanguage->OnChangeLanguage = [this](TComponent*) {
        UpdateBrowserNote();
        UpdateSizeLabels();
    };
    btnSelectAll->OnClick = [this](TComponent* sender) { btnSelectAllClick(sender); };
    btnClearAll->OnClick = [this](TComponent* sender) { btnClearAllClick(sender); };
    tmrClearAll->OnTimer = [this](TComponent* sender) { tmrClearAllTimer(sender); };
    mniUpdate->OnClick = [this](TComponent* sender) { mniUpdateClick(sender); };
    mniAbout->OnClick = [this](TComponent* sender) { mniAboutClick(sender); };
    mniCleanAtSignIn->OnClick = [this](TComponent* sender) { mniCleanAtSignInClick(sender); };
    pmSystem->OnPopup = [this](TComponent* sender) { pmSystemPopup(sender); };
    for (int item = 1; item <= kItemCount; ++item) {
        ItemButton(item)->OnClick = [this, item](TComponent*) { ItemButtonClick(item); };
    }
}

// As a stored description would: Loaded to each component in creation order
// (the engine hooks the window and posts "CL InitPost"), then to the window,
// whose OnCreate runs FormCreate. An error of FormCreate is shown by the
// standard error box and the window still opens.
void TfrmMain::LoadWindow() {
    if (Application().Title().empty()) {
        Application().SetTitle(engine1->GetAppName());
    }
    for (int i = 0; i < ComponentCount(); ++i) {
        Components(i)->Loaded();
    }
    try {
        Loaded();
    } catch (const std::exception& e) {
        ReportException(e.what());
    }
    if (cleaning_) {
        cleaning_->UrlHistory1.Loaded();
    }
}

//--- Form events ----------------------------------------------------------------

// An existing icon takes the next index; a damaged one stays empty there, so
// that it neither moves the later icons nor stops the window from loading.
void TfrmMain::LoadIcons(const std::string& exeDir) {
    // One listing of the folder spares a failed open for each absent number, and
    // the icons it names are read when their buttons are first painted.
    std::vector<std::string> listed;
    if (services_.listFolder)
        for (const std::string& name : services_.listFolder(exeDir + "res\\"))
            listed.push_back(LowerCaseAscii(exeDir + "res\\" + name));
    for (int n = 1; n <= 100; ++n) {
        const std::string file = IconFileName(exeDir, n);
        if (!listed.empty()) {
            if (std::find(listed.begin(), listed.end(), LowerCaseAscii(file)) != listed.end())
                imglstIcon->Add().LoadLater(file);
            continue;
        }
        // Without a listing each number is tried: an icon that does not open is
        // skipped silently.
        const TFileRead read = ReadPictureFile(file);
        if (read.status == FileReadStatus::Missing || read.status == FileReadStatus::Failed)
            continue;
        TPngImage& icon = imglstIcon->Add();  // empty unless it decodes
        if (read.status != FileReadStatus::Read)
            continue;
        try {
            icon.LoadFromMemory(reinterpret_cast<const uint8_t*>(read.content.data()), read.content.size());
        } catch (const std::exception&) {
            icon.Clear();
        }
    }
}

void TfrmMain::FormCreate(TComponent*) {
    ISettingsStore& settings = services_.settings ? *services_.settings : AppSettings();
    const std::string exeDir = settings.ExeDir();
    LoadIcons(exeDir);
    pngStore->LoadSlot(0, exeDir + "res\\title.png");
    imgTitle->SetImageStore(pngStore);
    imgTitle->SetImageIndex(0);
    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* box = dynamic_cast<TskCheckBox*>(Components(i))) {
            box->SetChecked(true);
        }
    }
    const std::string version = settings.ReadString("APP.VER");
    SetCaption(engine1->GetAppName() + " " + version);
    UpdateBrowserNote();
}

void TfrmMain::FormShow(TComponent*) {
    pcMain->SetActivePage(tstIE);
    btnIE->SetFocus();
    CountShownPage();
}

// The clear-all run lets the window handle its messages between items, so a
// close can arrive inside it. The window must neither vanish nor be destroyed
// under the running handler: the close is noted, the run stops after its
// current item, and the window closes once the run has returned.
void TfrmMain::FormCloseQuery(TComponent*, bool& canClose) {
    canClose = !clearAllRunning_;
    if (clearAllRunning_) {
        closeAskedDuringRun_ = true;
    }
}

//--- Category buttons and Select All ----------------------------------------------

void TfrmMain::btnIEClick(TComponent*) {
    pcMain->SetActivePage(tstIE);
    CountShownPage();
}

void TfrmMain::btnFFClick(TComponent*) {
    pcMain->SetActivePage(tstFF);
    CountShownPage();
}

void TfrmMain::btnWHClick(TComponent*) {
    pcMain->SetActivePage(tstWH);
    CountShownPage();
}

void TfrmMain::btnSFClick(TComponent*) {
    pcMain->SetActivePage(tstSys);
    CountShownPage();
}

void TfrmMain::btnChromeClick(TComponent*) {
    UpdateBrowserNote();  // a browser may have come or gone since
    pcMain->SetActivePage(tstChrome);
    CountShownPage();
}

void TfrmMain::UpdateBrowserNote() {
    const std::vector<std::string> names = cleaning_ ? cleaning_->chromium.BrowserNames() : std::vector<std::string>{};
    if (names.empty())
        lblChromeFound->SetCaption(engine1->GetResText("NOTE_NoBrowserFound", false));
    else
        lblChromeFound->SetCaption(
            FillPlaceholders(engine1->GetResText("NOTE_BrowsersFound", false), {JoinNames(names)}));
}

void TfrmMain::btnSelectAllClick(TComponent*) {
    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* box = dynamic_cast<TskCheckBox*>(Components(i))) {
            box->SetChecked(true);
        }
    }
}

//--- Cleaning ------------------------------------------------------------------

void TfrmMain::ShowItemMessage(const std::string& key, const std::vector<std::string>& args) {
    engine1->MessageBoxByKey(key, args, 0, TMsgDlgType::mtInformation, MsgButtons({mbOK}), 0, false);
}

void TfrmMain::ItemButtonClick(int item) {
    if (clearAllRunning_) {
        return;  // the buttons are disabled meanwhile; a click that still arrives is dropped
    }
    if (!cleaning_) {
        ShowItemMessage("MSGBOX_Cleared");
        return;
    }
    {
        TCountsHeld held(countWorker_.get());
        cleaning_->actions.ItemButtonClick(
            item, [this](const std::string& key, const std::vector<std::string>& args) { ShowItemMessage(key, args); });
    }
    if (counts_)
        counts_->Recount(item);
}

void TfrmMain::btnClearAllClick(TComponent*) {
    if (!cleaning_ || clearAllRunning_) {
        return;
    }
    try {
        TCountsHeld held(countWorker_.get());
        TClearAllRun(*this, cleaning_->actions, counts_ ? static_cast<IClearAllTally*>(this) : nullptr).Run();
    } catch (...) {
        CloseIfAskedDuringRun();
        throw;
    }
    CloseIfAskedDuringRun();
}

void TfrmMain::CloseIfAskedDuringRun() {
    if (closeAskedDuringRun_) {
        closeAskedDuringRun_ = false;
        Close();
    }
}

void TfrmMain::tmrClearAllTimer(TComponent*) {
    if (cleaning_) {
        TClearAllRun(*this, cleaning_->actions).TimerTick();
    }
}

void TfrmMain::mniUpdateClick(TComponent*) {
    if (TCLEngine* engine = AppEngine()) {
        engine->ShowUpdate(true);
    }
}

void TfrmMain::mniAboutClick(TComponent*) {
    if (TCLEngine* engine = AppEngine()) {
        engine->ShowAbout();
    }
}

namespace {
// The program's own Run value, when the system's services are there.
std::unique_ptr<TSignInClean> ProgramSignIn() {
    const TPlatform& platform = SystemPlatform();
    if (!platform.registry || !platform.process)
        return nullptr;
    return std::make_unique<TSignInClean>(*platform.registry, platform.process->ModuleFileName());
}
}  // namespace

void TfrmMain::pmSystemPopup(TComponent*) {
    std::unique_ptr<TSignInClean> signIn = ProgramSignIn();
    mniCleanAtSignIn->SetChecked(signIn && signIn->IsOn());
    mniCleanAtSignIn->SetEnabled(signIn && !signIn->FixedByMachine());
}

void TfrmMain::mniCleanAtSignInClick(TComponent*) {
    if (std::unique_ptr<TSignInClean> signIn = ProgramSignIn(); signIn && !signIn->FixedByMachine())
        signIn->Set(!signIn->IsOn());
    pmSystemPopup(pmSystem);
}

//--- The clear-all run's view of the window ------------------------------------------

bool TfrmMain::IsItemTicked(int item) {
    TskCheckBox* box = ItemCheckBox(item);
    return box && box->Checked();
}

int TfrmMain::GaugeMax() {
    return sgClearall->MaxValue();
}

void TfrmMain::SetGaugeMax(int value) {
    sgClearall->SetMaxValue(value);
}

int TfrmMain::GaugeValue() {
    return sgClearall->Value();
}

void TfrmMain::SetGaugeValue(int value) {
    sgClearall->SetValue(value);
}

void TfrmMain::SetGaugeVisible(bool visible) {
    sgClearall->SetVisible(visible);
}

void TfrmMain::SetTimerEnabled(bool enabled) {
    tmrClearAll->SetEnabled(enabled);
}

bool TfrmMain::AskYesNo(const std::string& key) {
    return engine1->MessageBoxByKey(key, {}, 0, TMsgDlgType::mtInformation, MsgButtons({mbYes, mbNo})) == mrYes;
}

void TfrmMain::ShowMessage(const std::string& key) {
    ShowItemMessage(key);
}

void TfrmMain::ShowMessageWith(const std::string& key, const std::vector<std::string>& args) {
    ShowItemMessage(key, args);
}

void TfrmMain::ProcessMessages() {
    SystemPlatform().application->ProcessMessages();
}

void TfrmMain::SetRunning(bool running) {
    clearAllRunning_ = running;
    btnClearAll->SetEnabled(!running);
    for (int item = 1; item <= kItemCount; ++item) {
        ItemButton(item)->SetEnabled(!running);
    }
}

// "CL CloseApp" ends the application's message loop rather than closing the window.
bool TfrmMain::StopRequested() {
    return closeAskedDuringRun_ || Application().Terminated();
}

}  // namespace tallow
