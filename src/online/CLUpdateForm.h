// TfrmCLUpdateForm, the update window: asks the vendor's update server whether a
// newer version exists, shows the answer and offers the server's download page.
//
// A manual check (the main window's Update entry) is shown modally at once and
// shows every outcome; an automatic check (the engine's schedule) stays hidden
// and shows itself only for an offer the user allows, then frees itself. The
// check's logic is TUpdateCheck; the window hosts it with its downloader and
// shows its result through the message WM_UPDATERESULT that it posts itself.
#pragma once

#include <memory>
#include <string>

#include "framework/CLEngine.h"
#include "framework/CLForm.h"
#include "framework/SettingsStore.h"
#include "online/SingleDownloader.h"
#include "online/UpdateCheck.h"
#include "platform/Platform.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/Containers.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/PngImage.h"
#include "toolkit/controls/SkinFrame.h"

namespace tallow {

/// Posted by the update window to itself (both parameters 0) to show a result.
constexpr uint32_t WM_UPDATERESULT = 1026;  // WM_USER + 2

/// What the window is built on. `engine` (texts, the request address, opening
/// pages), `settings` and `platform` (clock, HTTP client, application) must be
/// set and outlive the window; answers are checked with the platform's
/// signature service against the built-in key.
struct UpdateFormServices {
    TCLEngine* engine = nullptr;
    ISettingsStore* settings = nullptr;
    const TPlatform* platform = nullptr;
};

class TfrmCLUpdateForm : public TskForm, private IUpdateCheckHost {
    TALLOW_CLASS(TfrmCLUpdateForm, TskForm)

    /// Builds every component, assigns its designed values and loads the window
    /// (the decoration's Loaded, then FormCreate). Not shown.
    TfrmCLUpdateForm(TComponent* owner, UpdateFormServices services);
    ~TfrmCLUpdateForm() override;

    //--- Components, in creation order ---------------------------------------
    TskSkinFrame* skSkinFrame1 = nullptr;
    TCLForm* clfrm1 = nullptr;
    TSingleDownloader* sdDownload = nullptr;
    TskPngImageStore* pngLogo = nullptr;
    TskPanel* pnLogo = nullptr;
    TskPngImageView* imgLogo = nullptr;
    TskPanel* pnOK = nullptr;
    TskButton* btnOK2 = nullptr;
    TskPanel* pnOkCancel = nullptr;
    TskButton* btnOK = nullptr;
    TskButton* btnCancel = nullptr;
    TskPanel* pn1 = nullptr;
    TskLabel* lbInfo = nullptr;
    TskCheckBox* cbAutoCheckUpdate = nullptr;

    /// Starts one check with this window; a manual start makes it manual for good.
    void BeginCheck(bool manual);
    /// Shows `file` in the logo strip and fits the window to it; without a
    /// readable picture the strip goes and the window is shorter by its height.
    void LoadLogo(const std::string& file);
    const TUpdateCheck& Check() const { return check_; }

    //--- Event handlers ------------------------------------------------------
    void FormCreate(TComponent* sender);
    void sdDownloadDoneString(TSingleDownloader& sender, const std::string& strResult);
    void sdDownloadError(TSingleDownloader& sender);
    /// WM_UPDATERESULT: the result text and its buttons; a hidden window shows
    /// itself modally and is freed after it closes.
    void ShowCheckResult();
    void btnOKClick(TComponent* sender);
    void btnOK2Click(TComponent* sender);
    void FormKeyUp(TComponent* sender, unsigned key);

  private:
    void CreateComponents();
    void BindEvents();
    void LoadWindow();
    /// The text fills the info panel above the check box at its bottom.
    void ArrangeInfoPanel();
    /// Frees the window from the message loop, after the handler that asks has returned.
    void Release();

    // IUpdateCheckHost
    std::string LibText(const std::string& key) override;
    std::string RequestAddress() override;
    void StartDownload(const std::string& url) override;
    void CancelDownload() override;
    void PostResult() override;
    void OpenPage(const std::string& url) override;

    UpdateFormServices services_;
    TUpdateCheck check_;
    bool logoStripRemoved_ = false;
};

/// The engine's update window: a TfrmCLUpdateForm owned by the engine's owner
/// (the main window), which frees it. The handle the engine keeps notices when
/// the window is freed and then does nothing.
std::unique_ptr<IUpdateWindow> MakeUpdateWindow(TCLEngine& engine, ISettingsStore& settings, const TPlatform& platform);

}  // namespace tallow
