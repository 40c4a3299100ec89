// TfrmCLUpdateForm: the components of the window and their designed values.
#include "online/CLUpdateForm.h"

#include "toolkit/controls/ControlArgs.h"

namespace tallow {

namespace {

constexpr int kClientWidth = 373;
constexpr int kClientHeight = 306;
constexpr int kLogoHeight = 65;
constexpr int kOkCancelHeight = 40;
constexpr int kOkHeight = 34;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

// MS Sans Serif 8 point: 11 pixels high on a 96 dpi screen, as in the main window.
const TFontSpec kWindowFont{"MS Sans Serif", 11, false, false};

TskPanel* CreatePanel(TComponent* owner, const std::string& name, TskControl* parent, TAlign align, int height) {
    auto* panel = CreateControl<TskPanel>(
        owner, {.name = name, .parent = parent, .bounds = TRect::Bounds(0, 0, kClientWidth, height)});
    panel->SetAlign(align);
    return panel;
}

TskButton* CreateDialogButton(TComponent* owner,
                              const std::string& name,
                              TskControl* parent,
                              int left,
                              int top,
                              const std::string& caption,
                              int modalResult,
                              int tabOrder) {
    auto* button = CreateControl<TskButton>(owner, {.name = name,
                                                    .parent = parent,
                                                    .bounds = TRect::Bounds(left, top, kButtonWidth, kButtonHeight),
                                                    .caption = caption,
                                                    .font = kWindowFont,
                                                    .tabOrder = tabOrder});
    button->SetModalResult(modalResult);
    return button;
}

}  // namespace

void TfrmCLUpdateForm::CreateComponents() {
    SetName("frmCLUpdateForm");
    SetCaption("Update");
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    SetPosition(TPosition::MainFormCenter);
    SetFont(kWindowFont);
    // The window has no border icons of its own; its skinned frame offers the
    // system menu (and with it the close button).
    SetSystemMenuIcon(true);
    SetMinimizeIcon(false);
    SetKeyPreview(true);

    skSkinFrame1 = CreateComponent<TskSkinFrame>(this, "skSkinFrame1");
    SetSkinFrame(skSkinFrame1);
    clfrm1 = CreateComponent<TCLForm>(this, "clfrm1");
    clfrm1->RuntimeSetSkinData = true;
    clfrm1->RuntimeSetLanguageData = true;
    clfrm1->RunTimeSetFormProperties = false;

    sdDownload = services_.platform->http != nullptr
                     ? new TSingleDownloader(this, *services_.platform->http, *services_.platform->application)
                     : new TSingleDownloader(this);
    sdDownload->SetName("sdDownload");
    sdDownload->AcceptTypes = "*/*";
    sdDownload->BinaryData = false;
    sdDownload->UseCache = false;
    sdDownload->WaitThread = false;

    pngLogo = CreateComponent<TskPngImageStore>(this, "pngLogo");
    pnLogo = CreatePanel(this, "pnLogo", this, TAlign::Top, kLogoHeight);
    imgLogo = CreateControl<TskPngImageView>(
        this, {.name = "imgLogo", .parent = pnLogo, .bounds = TRect::Bounds(0, 0, kClientWidth, kLogoHeight)});
    imgLogo->SetAutoSize(true);

    // The lower band first: bottom-aligned panels stack upwards in creation order.
    pnOK = CreatePanel(this, "pnOK", this, TAlign::Bottom, kOkHeight);
    pnOK->SetBorderLine(true);
    btnOK2 = CreateDialogButton(this, "btnOK2", pnOK, (kClientWidth - kButtonWidth) / 2, 5, "&Ok", mrCancel, 0);
    btnOK2->SetEnabled(false);

    pnOkCancel = CreatePanel(this, "pnOkCancel", this, TAlign::Bottom, kOkCancelHeight);
    pnOkCancel->SetBorderLine(true);
    btnOK = CreateDialogButton(this, "btnOK", pnOkCancel, kClientWidth / 2 - kButtonWidth - 5, 8, "&OK", mrOk, 0);
    btnOK->SetDefault(true);
    btnOK->SetEnabled(false);
    btnCancel = CreateDialogButton(this, "btnCancel", pnOkCancel, kClientWidth / 2 + 5, 8, "&Cancel", mrCancel, 1);

    pn1 = CreatePanel(this, "pn1", this, TAlign::Client, kClientHeight - kLogoHeight - kOkHeight - kOkCancelHeight);
    lbInfo = CreateControl<TskLabel>(
        this, {.name = "lbInfo", .parent = pn1, .caption = "Connecting...", .font = kWindowFont});
    lbInfo->SetWordWrap(true);
    cbAutoCheckUpdate = CreateControl<TskCheckBox>(this, {.name = "cbAutoCheckUpdate",
                                                          .parent = pn1,
                                                          .caption = "&Auto Check Update",
                                                          .font = kWindowFont,
                                                          .tabOrder = 2});
    cbAutoCheckUpdate->SetChecked(false);
    ArrangeInfoPanel();
}

void TfrmCLUpdateForm::ArrangeInfoPanel() {
    constexpr int kMargin = 16;
    constexpr int kCheckHeight = 20;
    const int width = pn1->Width() - 2 * kMargin;
    const int checkTop = pn1->Height() - kCheckHeight - 8;
    lbInfo->SetBounds(kMargin, kMargin, width, checkTop - 2 * kMargin);
    cbAutoCheckUpdate->SetBounds(kMargin, checkTop, width, kCheckHeight);
}

}  // namespace tallow
