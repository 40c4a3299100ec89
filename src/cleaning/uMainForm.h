// TfrmMain: the program's main window, showing the cleaning catalogue (Catalogue.h):
// seventeen items on five pages, the category buttons, Select All and the large
// Clear Now button, with the engine `engine1` that answers other instances.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cleaning/ClearAllRun.h"
#include "cleaning/ItemCounts.h"
#include "cleaning/ItemTally.h"
#include "cleaning/WorkerThread.h"
#include "framework/CLEngine.h"
#include "framework/SettingsStore.h"
#include "localisation/CLMultiLang.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/Containers.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Gauge.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Menu.h"
#include "toolkit/controls/PngImage.h"
#include "toolkit/controls/SkinFrame.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/skin/ResourceStrData.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {

class TCleaningKit;

/// What the window is built on besides the engine's services: the cleaners
/// (none: each item button only shows its message) and the settings store, which
/// also names the program folder (none: AppSettings). The store outlives the window.
/// `itemRunner` makes the runners that count what the items would remove (none:
/// no sizes are shown), on the user-interface thread: one for the worker that
/// fills the size labels, one for the clear-all run's lines.
struct MainFormServices {
    std::function<std::unique_ptr<TCleaningKit>()> cleaningKit;
    ISettingsStore* settings = nullptr;
    std::function<std::unique_ptr<IItemRunner>()> itemRunner;
    /// The clock of the counts' reuse; the steady clock when empty.
    TSteadyClock clock;
    /// The names of the files in a folder (its path ends in a backslash), for
    /// the icons: only the numbers present are opened. Empty, or a folder that
    /// lists nothing: every number is tried.
    std::function<std::vector<std::string>(const std::string& folder)> listFolder;
};

/// Where an item's row puts its check box and its size label, both ending before
/// the row's button.
struct TSizeLabelPlace {
    int checkWidth;
    int labelLeft;
    int labelWidth;
};
/// The place for a check box at `checkLeft` whose caption is `captionWidth` wide
/// and a size text `textWidth` wide, on a row whose button starts at `buttonLeft`.
TSizeLabelPlace PlaceSizeLabel(int checkLeft, int captionWidth, int textWidth, int buttonLeft);

class TfrmMain : public TskForm, private IClearAllWindow, private IClearAllTally {
    TALLOW_CLASS(TfrmMain, TskForm)

    /// Builds every component, assigns its designed values and loads the window
    /// (the engine's Loaded, then FormCreate).
    TfrmMain(TComponent* owner, MainFormServices services);
    explicit TfrmMain(TComponent* owner);
    ~TfrmMain() override;

    //--- Components, in creation order ---------------------------------------
    TskResourceStrData* skResourceStrData1 = nullptr;
    TskSkinData* skSkinData = nullptr;
    TskSkinFrame* skSkinFrame1 = nullptr;
    TPopupMenu* pmSystem = nullptr;
    TMenuItem* mniUpdate = nullptr;
    TMenuItem* mniAbout = nullptr;
    /// Ticked while the user's Run value cleans at sign-in; disabled while the
    /// machine's Run value does so for everyone.
    TMenuItem* mniCleanAtSignIn = nullptr;
    TskPngImageStore* pngStore = nullptr;
    TskPngImageList* imglstIcon = nullptr;
    TTimer* tmrClearAll = nullptr;
    TCLMultiLangData* clmltlngdt1 = nullptr;
    TCLMultiLang* smLanguage = nullptr;
    TCLEngine* engine1 = nullptr;

    TskPngImageView* imgTitle = nullptr;
    TskShadowLabel* skShadowLabel1 = nullptr;
    TskShadowLabel* skShadowLabel2 = nullptr;
    TskGauge* sgClearall = nullptr;
    TskButton* btnClearAll = nullptr;
    TskButton* btnSelectAll = nullptr;
    TskBevel* bev1 = nullptr;
    TskButton* btnIE = nullptr;
    TskButton* btnFF = nullptr;
    TskButton* btnWH = nullptr;
    TskButton* btnSF = nullptr;
    TskButton* btnChrome = nullptr;
    TskPageControl* pcMain = nullptr;
    TskTabSheet* tstIE = nullptr;
    TskTabSheet* tstFF = nullptr;
    TskTabSheet* tstSys = nullptr;
    TskTabSheet* tstWH = nullptr;
    TskTabSheet* tstChrome = nullptr;
    TskLabel* lblClearBrowserH = nullptr;
    TskLabel* lblFFClearBH = nullptr;
    /// The browsers found, composed at run time from "NOTE_BrowsersFound" or
    /// "NOTE_NoBrowserFound" of [AppRes].
    TskLabel* lblChromeFound = nullptr;

    TskCheckBox* rbClearIEBrowserH = nullptr;
    TskCheckBox* rbIEDeleteTemp = nullptr;
    TskCheckBox* rbIEDeleteCookie = nullptr;
    TskCheckBox* rbIEDeletePswd = nullptr;
    TskCheckBox* rbFFClearBrowseH = nullptr;
    TskCheckBox* rbFFDeleteCache = nullptr;
    TskCheckBox* rbFFDeleteCookies = nullptr;
    TskCheckBox* rbFFDeletePassword = nullptr;
    TskCheckBox* rbClearClipboard = nullptr;
    TskCheckBox* rbEmptyRecycle = nullptr;
    TskCheckBox* rbEmptyWindowsTemp = nullptr;
    TskCheckBox* rbWHClearRecent = nullptr;
    TskCheckBox* rbWHClearWindowRunHistory = nullptr;
    TskCheckBox* rbChromeClearBrowseH = nullptr;
    TskCheckBox* rbChromeDeleteCache = nullptr;
    TskCheckBox* rbChromeDeleteCookies = nullptr;
    TskCheckBox* rbChromeDeletePassword = nullptr;

    TskButton* btnIECBH = nullptr;
    TskButton* btnIEDT = nullptr;
    TskButton* btnIEDC = nullptr;
    TskButton* btnIEDP = nullptr;
    TskButton* btnFFCBH = nullptr;
    TskButton* btnFFDC = nullptr;
    TskButton* btnFFDCookie = nullptr;
    TskButton* btnFFDP = nullptr;
    TskButton* btnSysClearClipboard = nullptr;
    TskButton* btnSysER = nullptr;
    TskButton* btnSysEWT = nullptr;
    TskButton* btnWHCRDL = nullptr;
    TskButton* btnWHCR = nullptr;
    TskButton* btnChromeCBH = nullptr;
    TskButton* btnChromeDC = nullptr;
    TskButton* btnChromeDCookie = nullptr;
    TskButton* btnChromeDP = nullptr;

    //--- Event handlers ------------------------------------------------------
    void FormCreate(TComponent* sender);
    void FormShow(TComponent* sender);
    void FormCloseQuery(TComponent* sender, bool& canClose);
    void btnIEClick(TComponent* sender);
    void btnFFClick(TComponent* sender);
    void btnWHClick(TComponent* sender);
    void btnSFClick(TComponent* sender);
    /// Shows the Chrome and Edge page with its note brought up to date.
    void btnChromeClick(TComponent* sender);
    void btnSelectAllClick(TComponent* sender);
    void btnClearAllClick(TComponent* sender);
    void tmrClearAllTimer(TComponent* sender);
    void mniUpdateClick(TComponent* sender);
    void mniAboutClick(TComponent* sender);
    /// Adds or removes the user's Run value, then shows what the registry holds.
    void mniCleanAtSignInClick(TComponent* sender);
    /// Brings the entries that show system state up to date.
    void pmSystemPopup(TComponent* sender);
    /// The per-item button of catalogue item `item` (1 to kItemCount).
    void ItemButtonClick(int item);
    /// Names the browsers found in the note of the Chrome and Edge page, in the
    /// current language.
    void UpdateBrowserNote();

    /// The check box and the button of catalogue item `item` (1 to kItemCount).
    TskCheckBox* ItemCheckBox(int item) const;
    TskButton* ItemButton(int item) const;
    /// Every check box of the window, in catalogue order.
    std::vector<TskCheckBox*> CheckBoxes() const;
    /// The grey label beside item `item`'s caption: what the item would remove.
    TskLabel* ItemSizeLabel(int item) const;
    /// The counts behind the size labels; nullptr without an item runner.
    TItemCounts* Counts() const { return counts_.get(); }

  private:
    void CreateComponents();
    void CreateLanguage();
    void CreateHeader();
    void CreateSideButtons();
    void CreatePages();
    void CreateCatalogue();
    void BindEvents();
    void LoadWindow();
    void LoadIcons(const std::string& exeDir);
    void ShowItemMessage(const std::string& key, const std::vector<std::string>& args = {});
    void CloseIfAskedDuringRun();

    // Size labels (uMainFormSizes.cpp).
    void CreateSizeLabels();
    void StartCounting();
    void StopCounting();
    /// Counts the items of the page shown, reusing recent counts.
    void CountShownPage();
    void UpdateSizeLabel(int item);
    void UpdateSizeLabels();
    void PlaceItemRow(int item);
    std::string AppText(const std::string& key);
    /// The message of `key` with `args`, and `line` below it.
    TModalResult ShowWithLine(const std::string& key,
                              const std::vector<std::string>& args,
                              const std::string& line,
                              TMsgDlgButtons buttons);
    IItemRunner* UiRunner();

    // IClearAllWindow: the run of the large Clear Now button.
    bool IsItemTicked(int item) override;
    int GaugeMax() override;
    void SetGaugeMax(int value) override;
    int GaugeValue() override;
    void SetGaugeValue(int value) override;
    void SetGaugeVisible(bool visible) override;
    void SetTimerEnabled(bool enabled) override;
    bool AskYesNo(const std::string& key) override;
    void ShowMessage(const std::string& key) override;
    void ShowMessageWith(const std::string& key, const std::vector<std::string>& args) override;
    void ProcessMessages() override;
    void SetRunning(bool running) override;
    bool StopRequested() override;
    bool AskYesNoWithTotal(const std::string& key, const TItemTally& total) override;
    void ShowMessageWithFreed(const std::string& key,
                              const std::vector<std::string>& args,
                              const TItemTally& freed) override;

    // IClearAllTally: the run's sizes from the counts, or counted here.
    std::optional<TItemTally> Expected(int item) override;
    std::optional<TItemTally> Left(int item) override;

    MainFormServices services_;
    // A clear-all run is going; a close asked for meanwhile waits for its end.
    bool clearAllRunning_ = false;
    bool closeAskedDuringRun_ = false;
    std::unique_ptr<TCleaningKit> cleaning_;
    std::array<TskLabel*, kItemCount> sizeLabels_{};
    std::unique_ptr<TWorkerThread> countWorker_;
    std::unique_ptr<TItemCounts> counts_;
    std::unique_ptr<IItemRunner> uiRunner_;  // the clear-all run's counts
};

/// The file of icon `n` in the program folder: "res\icon24_" + n with at least
/// two digits + ".png".
std::string IconFileName(const std::string& exeDir, int n);

}  // namespace tallow
