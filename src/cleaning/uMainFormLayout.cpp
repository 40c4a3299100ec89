// TfrmMain: the components of the window and their designed values.
#include "cleaning/uMainForm.h"

#include "cleaning/Catalogue.h"
#include "toolkit/controls/ControlArgs.h"

namespace tallow {

namespace {

constexpr int kRowCheckLeft = 24;
constexpr int kRowCheckWidth = 340;
constexpr int kRowHeight = 25;
constexpr int kRowButtonLeft = 376;
constexpr int kRowButtonWidth = 75;

const TFontSpec kSideButtonFont{"Arial", 14, false, false};
// MS Sans Serif 8 point: 11 pixels high on a 96 dpi screen.
const TFontSpec kWindowFont{"MS Sans Serif", 11, false, false};

// The toolkit's own texts in this window.
const char* const kResourceStrings =
    "MSG_BTN_YES=&Yes\r\n"
    "MSG_BTN_NO=&No\r\n"
    "MSG_BTN_OK=&OK\r\n"
    "MSG_BTN_CANCEL=&Cancel\r\n"
    "MSG_BTN_ABORT=&Abort\r\n"
    "MSG_BTN_RETRY=&Retry\r\n"
    "MSG_BTN_IGNORE=&Ignore\r\n"
    "MSG_BTN_ALL=&All\r\n"
    "MSG_BTN_NOTOALL=N&o to All\r\n"
    "MSG_BTN_YESTOALL=Yes to &All\r\n"
    "MSG_BTN_HELP=&Help\r\n"
    "MSG_CAP_SHOWFLAG=Don't display this message again\r\n";

// The language data's exclusion list as stored with this window.
const char* const kExcludeProps =
    "TWebBrowser:\r\n:TComponentName\r\n.SkinDataName\r\nTskResourceStrData:\r\nTShockwaveFlash:\r\n"
    "TskSkinNotebook:\r\nTskCompressedStoredSkin:\r\nTskSkinMessage:\r\nTEmbeddedWB:\r\nTCLEngine:\r\n"
    "TskSkinData:\r\n.Text\r\nTIEDownload:\r\n:TComponentName\r\n.SkinDataName\r\n.EditSkinDataName\r\n"
    ".LabelSkinDataName\r\n.ButtonSkinDataName\r\n.BothSkinDataName\r\n.MessageLabelSkinDataName\r\n"
    ".Category\r\n.CompressedFileName\r\n.TrackBarSkinDataName\r\n.TabWidths\r\n.HeaderSkinDataName\r\n"
    ".LVHeaderSkinDataName\r\n";

// The built-in texts of the framework's windows: the fallback of every language.
// The windows look their captions up by class name ("TfrmCLAboutForm.Caption");
// the "frmCL..." keys stay for language files written against them.
const char* const kDefaultLanguage =
    "[LibRes]\r\n"
    "btnOk.Caption=&Ok\r\n"
    "btnCancel.Caption=&Cancel\r\n"
    "TfrmCLAboutForm.CopyRightLine1={AppName}\r\n"
    "TfrmCLAboutForm.CopyRightLine2=Version : {1}\r\n"
    "TfrmCLAboutForm.CopyRightLine3={1} is tranlated by {2}\r\n"
    "cbAutoCheckUpdate.Caption=&Automatic Check Update\r\n"
    "Update.NetError=Update.NetError\r\n"
    "Update.LastVersionAlready=Update.LastVersionAlready\r\n"
    "lblSupport.Caption=Support\r\n"
    "frmCLAboutForm.Caption=About {AppName}\r\n"
    "frmCLUpdateForm.Caption=Update {AppName}\r\n"
    "TfrmCLAboutForm.Caption=About {AppName}\r\n"
    "TfrmCLUpdateForm.Caption=Update {AppName}\r\n";

// The current language until a language file is loaded.
const char* const kCurrentLanguage =
    "[LibRes]\r\n"
    "btnCancel.Caption=&Cancel\r\n"
    "btnOk.Caption=&Ok\r\n"
    "cbAutoCheckUpdate.Caption=&Automatic Check Update\r\n"
    "frmCLAboutForm.Caption=About {AppName}\r\n"
    "frmCLUpdateForm.Caption=Update {AppName}\r\n"
    "lblSupport.Caption=Support\r\n"
    "TfrmCLAboutForm.CopyRightLine1={AppName}\r\n"
    "TfrmCLAboutForm.CopyRightLine2=Version : {1}\r\n"
    "TfrmCLAboutForm.CopyRightLine3={1} is tranlated by {2}\r\n"
    "TfrmCLAboutForm.Caption=About {AppName}\r\n"
    "TfrmCLUpdateForm.Caption=Update {AppName}\r\n"
    "Update.LastVersionAlready=Update.LastVersionAlready\r\n"
    "Update.NetError=Update.NetError\r\n";

// One large button of the left column.
struct SideButtonSpec {
    TskButton* TfrmMain::*field;
    const char* name;
    int top;
    const char* caption;
    int imageIndex;
};

const SideButtonSpec kSideButtons[] = {
    {&TfrmMain::btnClearAll, "btnClearAll", 97, "Clear Now", 0},
    {&TfrmMain::btnSelectAll, "btnSelectAll", 140, "Select All", 1},
    {&TfrmMain::btnIE, "btnIE", 191, "Internet Explorer", 2},
    {&TfrmMain::btnFF, "btnFF", 234, "Fire Fox", 3},
    {&TfrmMain::btnWH, "btnWH", 277, "Windows History", 4},
    {&TfrmMain::btnSF, "btnSF", 320, "System Files", 5},
    {&TfrmMain::btnChrome, "btnChrome", 363, "Chrome and Edge", 6},
};

// The window's fields of each catalogue item, in item order; everything else
// about an item is its catalogue row.
struct ItemFields {
    TskCheckBox* TfrmMain::*check;
    TskButton* TfrmMain::*button;
};

const ItemFields kItemFields[kItemCount] = {
    {&TfrmMain::rbClearIEBrowserH, &TfrmMain::btnIECBH},
    {&TfrmMain::rbIEDeleteTemp, &TfrmMain::btnIEDT},
    {&TfrmMain::rbIEDeleteCookie, &TfrmMain::btnIEDC},
    {&TfrmMain::rbIEDeletePswd, &TfrmMain::btnIEDP},
    {&TfrmMain::rbFFClearBrowseH, &TfrmMain::btnFFCBH},
    {&TfrmMain::rbFFDeleteCache, &TfrmMain::btnFFDC},
    {&TfrmMain::rbFFDeleteCookies, &TfrmMain::btnFFDCookie},
    {&TfrmMain::rbFFDeletePassword, &TfrmMain::btnFFDP},
    {&TfrmMain::rbClearClipboard, &TfrmMain::btnSysClearClipboard},
    {&TfrmMain::rbEmptyRecycle, &TfrmMain::btnSysER},
    {&TfrmMain::rbEmptyWindowsTemp, &TfrmMain::btnSysEWT},
    {&TfrmMain::rbWHClearRecent, &TfrmMain::btnWHCRDL},
    {&TfrmMain::rbWHClearWindowRunHistory, &TfrmMain::btnWHCR},
    {&TfrmMain::rbChromeClearBrowseH, &TfrmMain::btnChromeCBH},
    {&TfrmMain::rbChromeDeleteCache, &TfrmMain::btnChromeDC},
    {&TfrmMain::rbChromeDeleteCookies, &TfrmMain::btnChromeDCookie},
    {&TfrmMain::rbChromeDeletePassword, &TfrmMain::btnChromeDP},
};

// The window's field of each catalogue page.
TskTabSheet* TfrmMain::*const kPageFields[kCataloguePageCount] = {&TfrmMain::tstIE, &TfrmMain::tstFF, &TfrmMain::tstSys,
                                                                  &TfrmMain::tstWH, &TfrmMain::tstChrome};

}  // namespace

void TfrmMain::CreateComponents() {
    SetName("frmMain");
    SetWindowClassName("TfrmMain");
    SetClientWidth(678);
    SetClientHeight(412);  // the left column's six large buttons and the fifth page's
    SetPosition(TPosition::ScreenCenter);
    SetFont(kWindowFont);
    SetSystemMenuIcon(true);
    SetMinimizeIcon(true);

    skResourceStrData1 = CreateComponent<TskResourceStrData>(this, "skResourceStrData1");
    skResourceStrData1->ResStrings()->SetText(kResourceStrings);
    skSkinData = CreateComponent<TskSkinData>(this, "skSkinData");
    skSkinData->SetResourceStrData(skResourceStrData1);
    SetSkinData(skSkinData);

    pmSystem = CreateComponent<TPopupMenu>(this, "pmSystem");
    mniUpdate = CreateComponent<TMenuItem>(this, "mniUpdate");
    mniUpdate->SetCaption("&Update");
    mniAbout = CreateComponent<TMenuItem>(this, "mniAbout");
    mniAbout->SetCaption("&About");
    mniCleanAtSignIn = CreateComponent<TMenuItem>(this, "mniCleanAtSignIn");
    mniCleanAtSignIn->SetCaption("Clean at &sign-in");
    pmSystem->Add(mniUpdate);
    pmSystem->Add(mniAbout);
    pmSystem->Add(mniCleanAtSignIn);
    skSkinFrame1 = CreateComponent<TskSkinFrame>(this, "skSkinFrame1");
    skSkinFrame1->SetSkinData(skSkinData);
    skSkinFrame1->SetSystemMenu(pmSystem);
    SetSkinFrame(skSkinFrame1);

    pngStore = CreateComponent<TskPngImageStore>(this, "pngStore");
    for (int slot = 0; slot < 3; ++slot) {
        pngStore->PngImages().Add();
    }
    imglstIcon = CreateComponent<TskPngImageList>(this, "imglstIcon");
    tmrClearAll = CreateComponent<TTimer>(this, "tmrClearAll");
    tmrClearAll->SetInterval(100);
    tmrClearAll->SetEnabled(false);

    CreateLanguage();

    engine1 = new TCLEngine(this);
    engine1->SetName("engine1");
    engine1->SetLoading(true);
    engine1->SkinData = skSkinData;
    engine1->LanguageData = clmltlngdt1;
    engine1->ParentHWND = 0;
    engine1->SetTitleIncludeVer(true);
    engine1->SettingDefault()->SetText("Path.Skins=skins\r\nPath.Languages=langs");
    engine1->SettingOverwrite()->SetText("URL.Update=http://update.tallowmere.example/update/");

    CreateHeader();
    CreateSideButtons();
    CreatePages();
    CreateCatalogue();
}

// The language data with its built-in texts, and the applier that translates this
// window whenever a language file is loaded (not when the window loads).
void TfrmMain::CreateLanguage() {
    clmltlngdt1 = CreateComponent<TCLMultiLangData>(this, "clmltlngdt1");
    clmltlngdt1->ExcludeEmptyProp = true;
    clmltlngdt1->ExcludeNumberEndProps = true;
    clmltlngdt1->AutoApply = false;
    clmltlngdt1->ExcludeWithAction = false;
    clmltlngdt1->ExcludeProps()->SetText(kExcludeProps);
    clmltlngdt1->DefaultData()->SetText(kDefaultLanguage);
    clmltlngdt1->CurrentData()->SetText(kCurrentLanguage);
    smLanguage = CreateComponent<TCLMultiLang>(this, "smLanguage");
    smLanguage->SetLanguageData(clmltlngdt1);
}

void TfrmMain::CreateHeader() {
    imgTitle = CreateControl<TskPngImageView>(
        this, {.name = "imgTitle", .parent = this, .bounds = TRect::Bounds(56, 8, 130, 60)});
    imgTitle->SetAutoSize(true);

    skShadowLabel1 = CreateControl<TskShadowLabel>(
        this, {.name = "skShadowLabel1", .parent = this, .bounds = TRect::Bounds(192, 16, 207, 35)});
    skShadowLabel1->SetFont({"Verdana", 19, true, false});
    skShadowLabel1->SetColor(Rgb(255, 255, 255));
    skShadowLabel1->SetShadowColor(Rgb(0, 0, 0));
    skShadowLabel1->SetShadowSize(2);
    skShadowLabel1->SetShadowOffset(0);
    skShadowLabel1->SetAutoSize(true);
    skShadowLabel1->SetCaption("Tallowmere");

    skShadowLabel2 = CreateControl<TskShadowLabel>(
        this, {.name = "skShadowLabel2", .parent = this, .bounds = TRect::Bounds(196, 45, 301, 25)});
    skShadowLabel2->SetFont({"Verdana", 12, true, false});
    skShadowLabel2->SetColor(Rgb(128, 128, 128));
    skShadowLabel2->SetShadowColor(Rgb(255, 255, 255));
    skShadowLabel2->SetShadowSize(1);
    skShadowLabel2->SetShadowOffset(1);
    skShadowLabel2->SetAutoSize(true);
    skShadowLabel2->SetCaption("Clear your history and protect your privacy!");

    sgClearall = CreateControl<TskGauge>(
        this, {.name = "sgClearall", .parent = this, .bounds = TRect::Bounds(192, 72, 467, 20)});
    sgClearall->SetMinValue(0);
    sgClearall->SetVisible(false);
}

void TfrmMain::CreateSideButtons() {
    for (const SideButtonSpec& spec : kSideButtons) {
        TskButton* button = CreateControl<TskButton>(this, {.name = spec.name,
                                                            .parent = this,
                                                            .bounds = TRect::Bounds(9, spec.top, 167, 38),
                                                            .caption = spec.caption,
                                                            .font = kSideButtonFont,
                                                            .imageIndex = spec.imageIndex});
        button->SetImages(imglstIcon);
        this->*spec.field = button;
    }
    bev1 = CreateControl<TskBevel>(this, {.name = "bev1", .parent = this, .bounds = TRect::Bounds(8, 184, 169, 2)});
    bev1->SetShape(TBevelShape::TopLine);
}

void TfrmMain::CreatePages() {
    pcMain = CreateControl<TskPageControl>(
        this, {.name = "pcMain", .parent = this, .bounds = TRect::Bounds(192, 96, 467, 257)});
    for (int page = 0; page < kCataloguePageCount; ++page) {
        TskTabSheet* sheet = CreateComponent<TskTabSheet>(this, CataloguePageName(TCataloguePage(page)));
        sheet->SetPageControl(pcMain);
        this->*kPageFields[page] = sheet;
    }
    pcMain->SetActivePage(tstIE);
}

void TfrmMain::CreateCatalogue() {
    for (int item = 1; item <= kItemCount; ++item) {
        const TCatalogueItem& row = *CatalogueItem(item);
        const ItemFields& fields = kItemFields[item - 1];
        TskTabSheet* page = this->*kPageFields[row.page];
        TskCheckBox* check = CreateControl<TskCheckBox>(
            this, {.name = row.checkName,
                   .parent = page,
                   .bounds = TRect::Bounds(kRowCheckLeft, row.top, kRowCheckWidth, kRowHeight),
                   .caption = row.checkCaption,
                   .font = kWindowFont});
        check->SetChecked(false);
        this->*fields.check = check;
        TskButton* button = CreateControl<TskButton>(
            this, {.name = row.buttonName,
                   .parent = page,
                   .bounds = TRect::Bounds(kRowButtonLeft, row.top, kRowButtonWidth, kRowHeight),
                   .caption = row.buttonCaption,
                   .font = kWindowFont});
        this->*fields.button = button;
    }
    const char* note = "(Including Browsing, Search, Address Bar and Form AutoComplete)";
    lblClearBrowserH = CreateControl<TskLabel>(
        this, {.name = "lblClearBrowserH", .parent = tstIE, .bounds = TRect::Bounds(48, 48, 320, 13)});
    lblFFClearBH = CreateControl<TskLabel>(
        this, {.name = "lblFFClearBH", .parent = tstFF, .bounds = TRect::Bounds(48, 48, 320, 13)});
    for (TskLabel* label : {lblClearBrowserH, lblFFClearBH}) {
        label->SetFont(kWindowFont);
        label->SetColor(Rgb(96, 102, 112));
        label->SetAutoSize(true);
        label->SetCaption(note);
    }
    // Below the items; its text is composed at run time (UpdateBrowserNote).
    lblChromeFound = CreateControl<TskLabel>(
        this, {.name = "lblChromeFound", .parent = tstChrome, .bounds = TRect::Bounds(24, 168, 420, 13)});
    lblChromeFound->SetFont(kWindowFont);
    lblChromeFound->SetColor(Rgb(96, 102, 112));
    CreateSizeLabels();
}

TskCheckBox* TfrmMain::ItemCheckBox(int item) const {
    return item >= 1 && item <= kItemCount ? this->*kItemFields[item - 1].check : nullptr;
}

TskButton* TfrmMain::ItemButton(int item) const {
    return item >= 1 && item <= kItemCount ? this->*kItemFields[item - 1].button : nullptr;
}

std::vector<TskCheckBox*> TfrmMain::CheckBoxes() const {
    std::vector<TskCheckBox*> boxes;
    for (int item = 1; item <= kItemCount; ++item) {
        boxes.push_back(ItemCheckBox(item));
    }
    return boxes;
}

}  // namespace tallow
