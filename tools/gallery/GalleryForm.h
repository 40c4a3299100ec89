// The gallery window: every control of the toolkit in the layout of the main
// window, a button per message-dialog type and a picture window. UI-automation
// tests drive it and the documentation's screenshots show it.
#pragma once

#include <string>
#include <vector>

#include "toolkit/controls/Button.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/Containers.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Gauge.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Menu.h"
#include "toolkit/controls/PngImage.h"
#include "toolkit/controls/SkinFrame.h"
#include "toolkit/controls/SkinMessage.h"
#include "toolkit/controls/Timer.h"

namespace tallow {

// The button set and show-again box the gallery uses for each dialog type.
struct GalleryDialog {
    TMsgDlgType type;
    const char* caption;
    TMsgDlgButtons buttons;
    bool showFlag;
};
const std::vector<GalleryDialog>& GalleryDialogs();

class TGalleryForm : public TskForm {
    TALLOW_CLASS(TGalleryForm, TskForm)

    // `resDir` holds title.png and icon24_NN.png (missing files are skipped).
    TGalleryForm(TComponent* owner, const std::string& resDir);
    const char* WindowClassName() const override { return "TallowGallery"; }

    // Shows the message dialog of gallery entry `index` and writes its result
    // to lblResult ("Result: 6" ...).
    int ShowDialog(int index);

    TskPngImageStore* pngStore = nullptr;
    TskPngImageList* imglstIcon = nullptr;
    TskPngImageView* imgTitle = nullptr;
    TskShadowLabel* skShadowLabel1 = nullptr;
    TskShadowLabel* skShadowLabel2 = nullptr;
    TskGauge* sgClearall = nullptr;
    TskButton* btnClearAll = nullptr;
    TskButton* btnSelectAll = nullptr;
    TskBevel* bev1 = nullptr;
    std::vector<TskButton*> categoryButtons;
    TskPageControl* pcMain = nullptr;
    std::vector<TskTabSheet*> pages;
    std::vector<TskCheckBox*> checkBoxes;
    TskPanel* pnDialogs = nullptr;
    std::vector<TskButton*> dialogButtons;
    TskButton* btnDisabled = nullptr;
    TskLinkLabel* lblLink = nullptr;
    TskLabel* lblResult = nullptr;
    TTimer* tmrGauge = nullptr;
    TPopupMenu* pmSystem = nullptr;
    TskSkinFrame* skFrame = nullptr;
    TskSkinMessage* skMessage = nullptr;

  private:
    void BuildHeader(const std::string& resDir);
    void BuildSideButtons();
    void BuildPages();
    void BuildDialogPanel();
    TskButton* AddButton(TskControl* parent, const std::string& name, const std::string& caption, TRect r);
    TskCheckBox* AddCheck(TskControl* parent, const std::string& name, const std::string& caption, int top);
    std::string resDir_;
};

}  // namespace tallow
