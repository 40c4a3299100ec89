// TfrmCLAboutForm: the About window. It shows the logo strip, the product's
// name, version and copyright line, the translator of a language other than
// English, and a Support link to the vendor's support page. Every text comes
// from the current language (section LibRes) or from the settings.
#pragma once

#include <functional>
#include <string>

#include "framework/CLEngine.h"
#include "framework/CLForm.h"
#include "framework/SettingsStore.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Containers.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/PngImage.h"
#include "toolkit/controls/SkinFrame.h"

namespace tallow {

/// A link label whose address opens through the application engine's OpenURL,
/// like every other web page the program opens; an empty address does nothing.
class TCLEngineLink : public TskLinkLabel {
    TALLOW_CLASS(TCLEngineLink, TskLinkLabel)

    explicit TCLEngineLink(TComponent* owner) : TskLinkLabel(owner) {}
    TCLEngine* Engine = nullptr;
    void Click() override;
};

/// What the window is built on. `engine` looks the texts up, composes the
/// support address and opens it; `settings` gives the version, the copyright
/// line and the program folder; `selectedLanguage` names the language in use
/// (empty before the first selection). All outlive the window.
struct AboutFormServices {
    TCLEngine* engine = nullptr;
    ISettingsStore* settings = nullptr;
    std::function<std::string()> selectedLanguage;
};

class TfrmCLAboutForm : public TskForm {
    TALLOW_CLASS(TfrmCLAboutForm, TskForm)

    /// Builds every component with its designed values and loads the window
    /// (FormCreate fills it). `owner` is the main window in the program.
    TfrmCLAboutForm(TComponent* owner, AboutFormServices services);

    //--- Components, in creation order ---------------------------------------
    TskSkinFrame* skSkinFrame1 = nullptr;
    TskPngImageStore* pngLogo = nullptr;
    TskPanel* pnLogo = nullptr;
    TskPngImageView* imgLogo = nullptr;
    TskPanel* pn2 = nullptr;
    TCLEngineLink* lblSupport = nullptr;
    TskButton* btnOK = nullptr;
    TskPanel* pn1 = nullptr;
    TskLabel* lbInfo = nullptr;
    TCLForm* clfrm1 = nullptr;

    //--- Event handlers ------------------------------------------------------
    void FormCreate(TComponent* sender);
    void FormKeyUp(TComponent* sender, unsigned key);

    /// Loads `file` into the logo strip when it exists and fits the window to
    /// the picture; an absent or unreadable picture hides the strip and makes
    /// the window shorter by the strip's height.
    void LoadLogo(const std::string& file);
    /// The information text: name, version and copyright lines, and the
    /// translator line when the language in use is not exactly "English".
    std::string InfoText();

  private:
    void CreateComponents();
    void PlaceOkButton();

    AboutFormServices services_;
};

}  // namespace tallow
