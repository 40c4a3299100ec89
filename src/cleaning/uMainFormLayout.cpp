// TfrmMain: the components of the window and their designed values.
#include "cleaning/uMainForm.h"

#include "cleaning/Catalogue.h"

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
};

// The window's field of each catalogue page.
TskTabSheet* TfrmMain::*const kPageFields[kCataloguePageCount] = {&TfrmMain::tstIE, &TfrmMain::tstFF,
                                                                 &TfrmMain::tstSys, &TfrmMain::tstWH};

template <class T>
T* Make(TComponent* owner, const char* name) {
    T* component = new T(owner);
    component->SetName(name);
    component->SetLoading(true);
    return component;
}

template <class T>
T* MakeControl(TfrmMain* form, TskControl* parent, const char* name, int left, int top, int width, int height) {
    T* control = Make<T>(form, name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

}  // namespace

void TfrmMain::CreateComponents() {
    SetName("frmMain");
    SetWindowClassName("TfrmMain");
    SetClientWidth(678);
    SetClientHeight(369);
    SetPosition(TPosition::ScreenCenter);
    SetFont(kWindowFont);
    SetSystemMenuIcon(true);
    SetMinimizeIcon(true);

    skResourceStrData1 = Make<TskResourceStrData>(this, "skResourceStrData1");
    skResourceStrData1->ResStrings()->SetText(kResourceStrings);
    skSkinData = Make<TskSkinData>(this, "skSkinData");
    skSkinData->SetResourceStrData(skResourceStrData1);
    SetSkinData(skSkinData);

    pmSystem = Make<TPopupMenu>(this, "pmSystem");
    mniUpdate = Make<TMenuItem>(this, "mniUpdate");
    mniUpdate->SetCaption("&Update");
    mniAbout = Make<TMenuItem>(this, "mniAbout");
    mniAbout->SetCaption("&About");
    pmSystem->Add(mniUpdate);
    pmSystem->Add(mniAbout);
    skSkinFrame1 = Make<TskSkinFrame>(this, "skSkinFrame1");
    skSkinFrame1->SetSkinData(skSkinData);
    skSkinFrame1->SetSystemMenu(pmSystem);
    SetSkinFrame(skSkinFrame1);

    pngStore = Make<TskPngImageStore>(this, "pngStore");
    for (int slot = 0; slot < 3; ++slot) {
        pngStore->PngImages().Add();
    }
    imglstIcon = Make<TskPngImageList>(this, "imglstIcon");
    tmrClearAll = Make<TTimer>(this, "tmrClearAll");
    tmrClearAll->SetInterval(100);
    tmrClearAll->SetEnabled(false);

    engine1 = new TCLEngine(this);
    engine1->SetName("engine1");
    engine1->SetLoading(true);
    engine1->SkinData = skSkinData;
    engine1->ParentHWND = 0;
    engine1->SetTitleIncludeVer(true);
    engine1->SettingDefault()->SetText("Path.Skins=skins\r\nPath.Languages=langs");
    engine1->SettingOverwrite()->SetText("URL.Update=https://update.tallowmere.example/update/");

    CreateHeader();
    CreateSideButtons();
    CreatePages();
    CreateCatalogue();
}

void TfrmMain::CreateHeader() {
    imgTitle = MakeControl<TskPngImageView>(this, this, "imgTitle", 56, 8, 130, 60);
    imgTitle->SetAutoSize(true);

    skShadowLabel1 = MakeControl<TskShadowLabel>(this, this, "skShadowLabel1", 192, 16, 207, 35);
    skShadowLabel1->SetFont({"Verdana", 19, true, false});
    skShadowLabel1->SetColor(Rgb(255, 255, 255));
    skShadowLabel1->SetShadowColor(Rgb(0, 0, 0));
    skShadowLabel1->SetShadowSize(2);
    skShadowLabel1->SetShadowOffset(0);
    skShadowLabel1->SetAutoSize(true);
    skShadowLabel1->SetCaption("Tallowmere");

    skShadowLabel2 = MakeControl<TskShadowLabel>(this, this, "skShadowLabel2", 196, 45, 301, 25);
    skShadowLabel2->SetFont({"Verdana", 12, true, false});
    skShadowLabel2->SetColor(Rgb(128, 128, 128));
    skShadowLabel2->SetShadowColor(Rgb(255, 255, 255));
    skShadowLabel2->SetShadowSize(1);
    skShadowLabel2->SetShadowOffset(1);
    skShadowLabel2->SetAutoSize(true);
    skShadowLabel2->SetCaption("Clear your history and protect your privacy!");

    sgClearall = MakeControl<TskGauge>(this, this, "sgClearall", 192, 72, 467, 20);
    sgClearall->SetMinValue(0);
    sgClearall->SetVisible(false);
}

void TfrmMain::CreateSideButtons() {
    for (const SideButtonSpec& spec : kSideButtons) {
        TskButton* button = MakeControl<TskButton>(this, this, spec.name, 9, spec.top, 167, 38);
        button->SetCaption(spec.caption);
        button->SetFont(kSideButtonFont);
        button->SetImages(imglstIcon);
        button->SetImageIndex(spec.imageIndex);
        this->*spec.field = button;
    }
    bev1 = MakeControl<TskBevel>(this, this, "bev1", 8, 184, 169, 2);
    bev1->SetShape(TBevelShape::TopLine);
}

void TfrmMain::CreatePages() {
    pcMain = MakeControl<TskPageControl>(this, this, "pcMain", 192, 96, 467, 257);
    for (int page = 0; page < kCataloguePageCount; ++page) {
        TskTabSheet* sheet = Make<TskTabSheet>(this, CataloguePageName(TCataloguePage(page)));
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
        TskCheckBox* check =
            MakeControl<TskCheckBox>(this, page, row.checkName, kRowCheckLeft, row.top, kRowCheckWidth, kRowHeight);
        check->SetCaption(row.checkCaption);
        check->SetFont(kWindowFont);
        check->SetChecked(false);
        this->*fields.check = check;
        TskButton* button =
            MakeControl<TskButton>(this, page, row.buttonName, kRowButtonLeft, row.top, kRowButtonWidth, kRowHeight);
        button->SetCaption(row.buttonCaption);
        button->SetFont(kWindowFont);
        this->*fields.button = button;
    }
    const char* note = "(Including Browsing, Search, Address Bar and Form AutoComplete)";
    lblClearBrowserH = MakeControl<TskLabel>(this, tstIE, "lblClearBrowserH", 48, 48, 320, 13);
    lblFFClearBH = MakeControl<TskLabel>(this, tstFF, "lblFFClearBH", 48, 48, 320, 13);
    for (TskLabel* label : {lblClearBrowserH, lblFFClearBH}) {
        label->SetFont(kWindowFont);
        label->SetColor(Rgb(96, 102, 112));
        label->SetAutoSize(true);
        label->SetCaption(note);
    }
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
