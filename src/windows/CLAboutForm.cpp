#include "windows/CLAboutForm.h"

#include <exception>

#include "components/WholeFile.h"
#include "framework/CLEngineText.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/ControlArgs.h"

namespace tallow {

namespace {

constexpr int kClientWidth = 373;
constexpr int kClientHeight = 262;
constexpr int kLogoHeight = 65;
constexpr int kButtonBarHeight = 44;
constexpr int kInfoHeight = 73;
constexpr int kOkWidth = 75;
constexpr int kOkHeight = 25;
constexpr int kMargin = 16;

// MS Sans Serif 8 point: 11 pixels high on a 96 dpi screen.
const TFontSpec kWindowFont{"MS Sans Serif", 11, false, false};
const TFontSpec kLinkFont{"Arial", 14, false, true};

const char* const kLineBreak = "\r\n";

}  // namespace

void TCLEngineLink::Click() {
    if (Engine != nullptr && !URL().empty())
        Engine->OpenURL(URL());
}

TfrmCLAboutForm::TfrmCLAboutForm(TComponent* owner, AboutFormServices services)
    : TskForm(owner), services_(std::move(services)) {
    SetLoading(true);
    CreateComponents();
    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    OnKeyUp = [this](TComponent* sender, unsigned key) { FormKeyUp(sender, key); };
    // As a stored description would: Loaded to each component, then to the
    // window, whose OnCreate runs FormCreate. An error of FormCreate is shown
    // by the standard error box and the window still opens.
    for (int i = 0; i < ComponentCount(); ++i)
        Components(i)->Loaded();
    try {
        Loaded();
    } catch (const std::exception& e) {
        ReportException(e.what());
    }
}

void TfrmCLAboutForm::CreateComponents() {
    SetName("frmCLAboutForm");
    SetWindowClassName("TfrmCLAboutForm");
    SetCaption("About");
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    SetPosition(TPosition::MainFormCenter);
    SetFont(kWindowFont);
    SetKeyPreview(true);
    SetSystemMenuIcon(true);
    SetMinimizeIcon(false);

    skSkinFrame1 = CreateComponent<TskSkinFrame>(this, "skSkinFrame1");
    SetSkinFrame(skSkinFrame1);
    pngLogo = CreateComponent<TskPngImageStore>(this, "pngLogo");
    pngLogo->PngImages().Add();

    // Aligned panels take their places top, bottom, then the rest.
    pnLogo = CreateControl<TskPanel>(
        this, {.name = "pnLogo", .parent = this, .bounds = TRect::Bounds(0, 0, kClientWidth, kLogoHeight)});
    pnLogo->SetAlign(TAlign::Top);
    imgLogo = CreateControl<TskPngImageView>(
        this, {.name = "imgLogo", .parent = pnLogo, .bounds = TRect::Bounds(0, 0, kClientWidth, kLogoHeight)});
    imgLogo->SetAutoSize(true);

    pn2 = CreateControl<TskPanel>(
        this, {.name = "pn2",
               .parent = this,
               .bounds = TRect::Bounds(0, kClientHeight - kButtonBarHeight, kClientWidth, kButtonBarHeight)});
    pn2->SetAlign(TAlign::Bottom);
    lblSupport = CreateControl<TCLEngineLink>(this, {.name = "lblSupport",
                                                     .parent = pn2,
                                                     .bounds = TRect::Bounds(kMargin, 13, 120, 18),
                                                     .caption = "Support",
                                                     .font = kLinkFont});
    lblSupport->SetAutoSize(true);
    lblSupport->Engine = services_.engine;
    btnOK = CreateControl<TskButton>(
        this, {.name = "btnOK",
               .parent = pn2,
               .bounds = TRect::Bounds(kClientWidth - kMargin - kOkWidth, 10, kOkWidth, kOkHeight),
               .caption = "&OK",
               .tabOrder = 0});
    btnOK->SetModalResult(mrOk);
    btnOK->SetDefault(true);

    pn1 = CreateControl<TskPanel>(
        this, {.name = "pn1",
               .parent = this,
               .bounds = TRect::Bounds(0, kLogoHeight, kClientWidth, kClientHeight - kLogoHeight - kButtonBarHeight)});
    pn1->SetAlign(TAlign::Client);
    lbInfo =
        CreateControl<TskLabel>(this, {.name = "lbInfo",
                                       .parent = pn1,
                                       .bounds = TRect::Bounds(kMargin, 8, kClientWidth - 2 * kMargin, kInfoHeight)});
    lbInfo->SetWordWrap(true);
    lbInfo->SetAlignment(tfCenter);

    // Takes the main window's skin when the window has loaded; the window looks
    // its texts up itself and holds no language applier.
    clfrm1 = CreateComponent<TCLForm>(this, "clfrm1");
    clfrm1->RuntimeSetSkinData = true;
    clfrm1->RuntimeSetLanguageData = true;
    clfrm1->RunTimeSetFormProperties = false;
}

// The button keeps its distance from the right edge when the logo changes the width.
void TfrmCLAboutForm::PlaceOkButton() {
    btnOK->SetLeft(ClientWidth() - kMargin - kOkWidth);
    lbInfo->SetWidth(ClientWidth() - 2 * kMargin);
}

void TfrmCLAboutForm::LoadLogo(const std::string& file) {
    TPngImage& picture = *pngLogo->Image(0);
    if (FileOpensForReading(file)) {
        try {
            pngLogo->LoadSlot(0, file);
        } catch (const std::exception&) {
            picture.Clear();  // a damaged logo is left out like a missing one
        }
        if (!picture.Empty()) {
            SetClientWidth(picture.Width());
            SetClientHeight(ClientHeight() + picture.Height() - pnLogo->Height());
            pnLogo->SetHeight(picture.Height());
        }
        imgLogo->SetImageStore(pngLogo);
        imgLogo->SetImageIndex(0);
        imgLogo->PictureChanged();
    }
    if (picture.Empty()) {
        SetClientHeight(ClientHeight() - pnLogo->Height());
        pnLogo->SetVisible(false);
    }
    PlaceOkButton();
    Realign();
}

std::string TfrmCLAboutForm::InfoText() {
    TCLEngine& engine = *services_.engine;
    ISettingsStore& settings = *services_.settings;
    std::string text = engine.GetLibText("TfrmCLAboutForm.CopyRightLine1");
    text += kLineBreak +
            FillPlaceholders(engine.GetLibText("TfrmCLAboutForm.CopyRightLine2"), {settings.ReadString("App.Ver")});
    text += kLineBreak + settings.ReadString("App.Copyright");
    const std::string language = services_.selectedLanguage ? services_.selectedLanguage() : std::string();
    if (!language.empty() && language != "English") {
        std::string translator;
        if (engine.LanguageData != nullptr)
            engine.LanguageData->ReadText("Info", "", "Translator", translator);
        text +=
            kLineBreak + FillPlaceholders(engine.GetLibText("TfrmCLAboutForm.CopyRightLine3"), {language, translator});
    }
    return text;
}

void TfrmCLAboutForm::FormCreate(TComponent*) {
    TCLEngine& engine = *services_.engine;
    LoadLogo(services_.settings->ExeDir() + "res\\images\\about.png");
    SetCaption(engine.GetLibText("TfrmCLAboutForm.Caption"));
    btnOK->SetCaption(engine.GetLibText("btnOk.Caption"));
    lbInfo->SetCaption(InfoText());
    lblSupport->SetCaption(engine.GetLibText("lblSupport.Caption"));
    lblSupport->SetURL(engine.GetPageURL("support", true));
}

void TfrmCLAboutForm::FormKeyUp(TComponent*, unsigned key) {
    if (key == vkEscape) {
        SetModalResult(mrOk);
        Close();
    }
}

}  // namespace tallow
