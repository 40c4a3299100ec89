#include "GalleryForm.h"

#include <cstdio>
#include <fstream>

#include "toolkit/controls/ControlArgs.h"
#include "toolkit/controls/Mnemonic.h"

namespace tallow {

namespace {
bool FileExists(const std::string& path) {
    return std::ifstream(path).good();
}

struct Row {
    const char* check;
    const char* button;
    int top;
};
}  // namespace

const std::vector<GalleryDialog>& GalleryDialogs() {
    static const std::vector<GalleryDialog> dialogs = {
        {TMsgDlgType::mtWarning, "&Warning", MsgButtons({mbOK, mbCancel}), false},
        {TMsgDlgType::mtError, "&Error", MsgButtons({mbAbort, mbRetry, mbIgnore}), false},
        {TMsgDlgType::mtInformation, "I&nformation", MsgButtons({mbOK}), false},
        {TMsgDlgType::mtConfirmation, "Con&firmation", MsgButtons({mbYes, mbNo}), true},
        {TMsgDlgType::mtCustom, "Cu&stom", MsgButtons({mbYes, mbNo, mbCancel, mbYesToAll, mbNoToAll}), false},
    };
    return dialogs;
}

TGalleryForm::TGalleryForm(TComponent* owner, const std::string& resDir) : TskForm(owner), resDir_(resDir) {
    SetName("frmGallery");
    SetCaption("Tallowmere Toolkit Gallery");
    SetBounds(0, 0, 678, 431);
    SetPosition(TPosition::ScreenCenter);
    SetFont({"Tahoma", 12, false, false});

    pmSystem = new TPopupMenu(this);
    for (const char* caption : {"&Update", "&About"}) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        pmSystem->Add(item);
    }
    pmSystem->Items(1)->OnClick = [this](TComponent*) { ShowDialog(2); };
    skFrame = new TskSkinFrame(this);
    skFrame->SetSystemMenu(pmSystem);
    skMessage = new TskSkinMessage(this);

    BuildHeader(resDir);
    BuildSideButtons();
    BuildPages();
    BuildDialogPanel();

    tmrGauge = new TTimer(this);
    tmrGauge->SetInterval(100);
    tmrGauge->OnTimer = [this](TComponent*) {
        sgClearall->SetValue(sgClearall->Value() >= 100 ? 0 : sgClearall->Value() + 1);
    };
    tmrGauge->SetEnabled(false);
}

TskButton* TGalleryForm::AddButton(TskControl* parent, const std::string& name, const std::string& caption, TRect r) {
    return CreateControl<TskButton>(this, {.name = name,
                                           .parent = parent,
                                           .bounds = r,
                                           .caption = caption,
                                           .font = Font(),
                                           .tabOrder = int(parent->Children().size()),
                                           .loading = false});
}

TskCheckBox* TGalleryForm::AddCheck(TskControl* parent, const std::string& name, const std::string& caption, int top) {
    auto* c = CreateControl<TskCheckBox>(this, {.name = name,
                                                .parent = parent,
                                                .bounds = TRect::Bounds(24, top, 340, 25),
                                                .caption = caption,
                                                .font = Font(),
                                                .tabOrder = int(parent->Children().size()),
                                                .loading = false});
    checkBoxes.push_back(c);
    return c;
}

void TGalleryForm::BuildHeader(const std::string& resDir) {
    pngStore = new TskPngImageStore(this);
    imgTitle = CreateControl<TskPngImageView>(
        this, {.name = "imgTitle", .parent = this, .bounds = TRect::Bounds(56, 8, 105, 80), .loading = false});
    if (FileExists(resDir + "title.png")) {
        pngStore->LoadSlot(0, resDir + "title.png");
        imgTitle->SetImageStore(pngStore);
    }

    skShadowLabel1 = CreateControl<TskShadowLabel>(this, {.name = "skShadowLabel1",
                                                          .parent = this,
                                                          .bounds = TRect::Bounds(192, 16, 207, 35),
                                                          .font = TFontSpec{"Verdana", 19, true, false},
                                                          .loading = false});
    skShadowLabel1->SetColor(Rgb(255, 255, 255));
    skShadowLabel1->SetShadowColor(Rgb(0, 0, 0));
    skShadowLabel1->SetShadowSize(2);
    skShadowLabel1->SetShadowOffset(0);
    skShadowLabel1->SetAutoSize(true);
    skShadowLabel1->SetCaption("Tallowmere");

    skShadowLabel2 = CreateControl<TskShadowLabel>(this, {.name = "skShadowLabel2",
                                                          .parent = this,
                                                          .bounds = TRect::Bounds(196, 45, 301, 25),
                                                          .font = TFontSpec{"Verdana", 12, true, false},
                                                          .loading = false});
    skShadowLabel2->SetShadowSize(1);
    skShadowLabel2->SetShadowOffset(1);
    skShadowLabel2->SetAutoSize(true);
    skShadowLabel2->SetCaption("Clear your history and protect your privacy!");

    sgClearall = CreateControl<TskGauge>(
        this, {.name = "sgClearall", .parent = this, .bounds = TRect::Bounds(192, 72, 467, 20), .loading = false});
    sgClearall->SetValue(60);
}

void TGalleryForm::BuildSideButtons() {
    imglstIcon = new TskPngImageList(this);
    // Icons as the main window loads them: icon24_01.png upwards, missing ones skipped.
    for (int n = 1; n <= 100; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "icon24_%.2d.png", n);
        if (FileExists(resDir_ + name))
            imglstIcon->AddFromFile(resDir_ + name);
    }
    const char* names[] = {"btnClearAll", "btnSelectAll", "btnIE", "btnFF", "btnWH", "btnSF"};
    const char* captions[] = {"Clear Now", "Select All",      "Internet Explorer",
                              "Fire Fox",  "Windows History", "System Files"};
    const int tops[] = {97, 140, 191, 234, 277, 320};
    for (int i = 0; i < 6; ++i) {
        TskButton* b = AddButton(this, names[i], captions[i], TRect::Bounds(9, tops[i], 167, 38));
        b->SetFont({"Arial", 14, false, false});
        b->SetImages(imglstIcon);
        b->SetImageIndex(i);
        if (i >= 2)
            categoryButtons.push_back(b);
    }
    btnClearAll = static_cast<TskButton*>(Children()[Children().size() - 6]);
    btnSelectAll = static_cast<TskButton*>(Children()[Children().size() - 5]);
    btnSelectAll->OnClick = [this](TComponent*) {
        for (TskCheckBox* c : checkBoxes)
            c->SetChecked(true);
    };
    btnClearAll->OnClick = [this](TComponent*) {
        sgClearall->SetValue(0);
        tmrGauge->SetEnabled(!tmrGauge->Enabled());
    };
    bev1 = CreateControl<TskBevel>(
        this, {.name = "bev1", .parent = this, .bounds = TRect::Bounds(8, 184, 169, 2), .loading = false});
}

void TGalleryForm::BuildPages() {
    pcMain = CreateControl<TskPageControl>(this, {.name = "pcMain",
                                                  .parent = this,
                                                  .bounds = TRect::Bounds(192, 96, 467, 257),
                                                  .tabOrder = 10,
                                                  .loading = false});
    const char* sheetNames[] = {"tstIE", "tstFF", "tstWH", "tstSys"};
    for (const char* n : sheetNames) {
        auto* sheet = CreateComponent<TskTabSheet>(this, n, false);
        sheet->SetPageControl(pcMain);
        pages.push_back(sheet);
    }
    const Row ie[] = {{"Clear Browser History", "Clear Now", 24},
                      {"Delete Temporary Internet Files (Cache)", "Delete Now", 72},
                      {"Delete Cookies", "Delete Now", 104},
                      {"Delete stored Passwords", "Delete Now", 136}};
    const Row wh[] = {{"Clear Recent Documents List", "Clear Now", 24}, {"Clear Windows Run History", "Clear Now", 56}};
    const Row sys[] = {{"Clear Clipboard", "Clear Now", 24},
                       {"Empty Recycle Bin", "Clear Now", 56},
                       {"Empty Windows Temporary Folder", "Clear Now", 88}};
    auto fill = [this](TskTabSheet* page, const Row* rows, int count, const std::string& prefix) {
        for (int i = 0; i < count; ++i) {
            AddCheck(page, "rb" + prefix + std::to_string(i), rows[i].check, rows[i].top);
            AddButton(page, "btn" + prefix + std::to_string(i), rows[i].button,
                      TRect::Bounds(376, rows[i].top, 75, 25));
        }
    };
    fill(pages[0], ie, 4, "IE");
    fill(pages[1], ie, 4, "FF");
    fill(pages[2], wh, 2, "WH");
    fill(pages[3], sys, 3, "Sys");
    for (int p = 0; p < 2; ++p) {
        auto* note =
            CreateControl<TskLabel>(this, {.name = p == 0 ? "lblClearBrowserH" : "lblFFClearBH",
                                           .parent = pages[size_t(p)],
                                           .bounds = TRect::Bounds(48, 48, 380, 16),
                                           .caption = "(Including Browsing, Search, Address Bar and Form AutoComplete)",
                                           .font = TFontSpec{"Tahoma", 11, false, false},
                                           .loading = false});
        note->SetColor(Rgb(110, 116, 128));
    }
    for (size_t i = 0; i < categoryButtons.size(); ++i) {
        TskTabSheet* page = pages[i];
        categoryButtons[i]->OnClick = [this, page](TComponent*) { pcMain->SetActivePage(page); };
    }
}

void TGalleryForm::BuildDialogPanel() {
    pnDialogs = CreateControl<TskPanel>(
        this,
        {.name = "pnDialogs", .parent = this, .bounds = TRect::Bounds(0, 0, 0, 62), .tabOrder = 20, .loading = false});
    pnDialogs->SetAlign(TAlign::Bottom);

    CreateControl<TskLabel>(this, {.name = "lblDialogs",
                                   .parent = pnDialogs,
                                   .bounds = TRect::Bounds(9, 6, 200, 16),
                                   .caption = "Message dialogs:",
                                   .font = Font(),
                                   .loading = false});

    const auto& dialogs = GalleryDialogs();
    for (size_t i = 0; i < dialogs.size(); ++i) {
        TskButton* b = AddButton(pnDialogs, "btnDialog" + std::to_string(i), dialogs[i].caption,
                                 TRect::Bounds(9 + int(i) * 92, 26, 86, 28));
        int index = int(i);
        b->OnClick = [this, index](TComponent*) { ShowDialog(index); };
        dialogButtons.push_back(b);
    }
    btnDisabled = AddButton(pnDialogs, "btnDisabled", "Disabled", TRect::Bounds(474, 26, 76, 28));
    btnDisabled->SetEnabled(false);

    lblLink = CreateControl<TskLinkLabel>(this, {.name = "lblLink",
                                                 .parent = pnDialogs,
                                                 .bounds = TRect::Bounds(566, 32, 80, 18),
                                                 .caption = "Support",
                                                 .font = TFontSpec{"Arial", 14, false, false},
                                                 .loading = false});

    lblResult = CreateControl<TskLabel>(this, {.name = "lblResult",
                                               .parent = pnDialogs,
                                               .bounds = TRect::Bounds(474, 6, 190, 16),
                                               .caption = "Result: none",
                                               .font = Font(),
                                               .loading = false});
    lblResult->SetAlignment(tfRight);
}

int TGalleryForm::ShowDialog(int index) {
    const auto& dialogs = GalleryDialogs();
    if (index < 0 || index >= int(dialogs.size()))
        return mrNone;
    const GalleryDialog& d = dialogs[size_t(index)];
    skMessage->SetShowAgainFlag(d.showFlag);
    skMessage->SetShowAgainFlagValue(true);
    std::string text = "This is the " + ParseMnemonic(d.caption).Text +
                       " message of the toolkit gallery.\r\nIts buttons return the dialog results the engine expects.";
    int result = skMessage->MessageDlg(text, Caption(), d.type, d.buttons);
    std::string flag = d.showFlag ? (skMessage->ShowAgainFlagValue() ? " show-again" : " hide-again") : "";
    lblResult->SetCaption("Result: " + std::to_string(result) + flag);
    return result;
}

}  // namespace tallow
