// TCLEngine, the application engine: the hub of the application framework,
// placed on the main window as `engine1`.
//
// It supplies the two setting lists the settings store layers around its files,
// hooks the owner window's message handler to answer other instances of the
// program, runs the start-up sequence once the window exists, composes the
// title, looks texts up by key in the current language, shows message boxes by
// key, schedules the automatic update check, opens the About and update windows
// and opens web pages in the user's browser.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "components/Component.h"
#include "components/Strings.h"
#include "framework/CLEngineServices.h"
#include "framework/CLEngineTypes.h"
#include "framework/SettingLists.h"
#include "framework/SettingsStore.h"
#include "platform/Platform.h"
#include "toolkit/controls/Application.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {

class TskSkinData;
class TCLEngine;

using TNotifyEvent = std::function<void(TCLEngine& sender)>;
using TOnCmdFile = std::function<void(const std::string& strFileName)>;

/// Everything an engine is built on. `platform`, `settings`, `application` and
/// `owner` must be set; what they point to outlives the engine.
struct EngineServices {
    /// Registered messages, the command line, the clock, the registry's browser
    /// command, shell open and process start.
    const TPlatform* platform = nullptr;
    ISettingsStore* settings = nullptr;
    /// The application object: its title and the end of its message loop.
    TApplication* application = nullptr;
    /// The owner window as the engine uses it.
    std::unique_ptr<IEngineOwner> owner;
    EngineWindowFactories windows;
};

/// Builds the services of an engine owned by `owner`. The program installs one
/// at start-up (the standard one hooks a TskForm and shows TskSkinMessage); an
/// owner that is not a window form is an invalid cast (std::bad_cast).
using EngineServicesProvider = std::function<EngineServices(TComponent* owner)>;
void SetEngineServicesProvider(EngineServicesProvider provider);

class TCLEngine : public TComponent, public ISettingLists {
    TALLOW_CLASS(TCLEngine, TComponent)

    /// A component on `owner`, built on the installed services provider.
    explicit TCLEngine(TComponent* owner);
    /// Registers the five messages, hooks the owner's message handler, fills
    /// SettingDefault and, when there is none yet, becomes the process-wide engine,
    /// whose lists the settings store layers around its files.
    TCLEngine(TComponent* owner, EngineServices services);
    ~TCLEngine() override;

    void PublishProperties(PropertyList& out) override;

    //--- Published properties ------------------------------------------------
    TskSkinData* SkinData = nullptr;
    TNotifyEvent OnSkinChanged;
    ILanguageData* LanguageData = nullptr;
    TNotifyEvent OnLanguageChanged;
    WindowHandle ParentHWND = 0;
    TOnCmdFile OnCmdFile;
    TNotifyEvent OnTitleChange;

    /// The two setting lists; assigning replaces the lines with a copy.
    TStrings* SettingOverwrite() { return &settingOverwrite_; }
    void SetSettingOverwrite(TStrings* lines);
    TStrings* SettingDefault() { return &settingDefault_; }
    void SetSettingDefault(TStrings* lines);

    bool TitleIncludeVer() const { return titleIncludeVer_; }
    /// Assigning recomposes the title.
    void SetTitleIncludeVer(bool value);

    //--- Start-up ------------------------------------------------------------
    /// The owner window has loaded its stored properties: initial skin and
    /// language, then "CL InitPost" is posted to the owner window.
    void Loaded() override;
    /// The deferred start-up, run on "CL InitPost".
    void DoInitPost();
    /// Hands the first command-line parameter to OnCmdFile (through "CL CmdParam")
    /// unless it begins with "-" or "/".
    void CheckCmdParam();
    /// The owner window's message handler while the engine lives.
    void EngineWndProc(EngineMessage& message);

    bool StartingUp() const { return startingUp_; }
    bool InLoaded() const { return inLoaded_; }
    const std::string& CmdParam() const { return cmdParam_; }
    const std::string& Title() const { return title_; }

    /// The registered message numbers, in registration order.
    uint32_t MsgGetAppID() const { return msgGetAppID_; }
    uint32_t MsgCloseApp() const { return msgCloseApp_; }
    uint32_t MsgInitPost() const { return msgInitPost_; }
    uint32_t MsgCmdParam() const { return msgCmdParam_; }
    uint32_t MsgIfBusy() const { return msgIfBusy_; }

    //--- Skin and language selection (CLEngineSkin.cpp) ----------------------
    /// Captures the built-in skin, then selects the skin named by "Skin".
    void LoadInitialSkin();
    /// Selects the language named by "Language" ("English" when empty).
    void LoadInitialLanguage();
    /// Selects skins\<name>.skn (framed) or skins\<name>.nsf.skn (controls only);
    /// a name without a usable file, or that is no bare file name (IsBareFileName),
    /// ends on the built-in skin, "Default". The choice is stored in "Skin".
    /// Nothing without SkinData.
    void SetSkin(const std::string& name);
    /// Loads <language folder>\<name>.lan; without the file, or for a name that
    /// is no bare file name, the built-in texts, "English". The choice is stored
    /// in "Language". Nothing without LanguageData.
    void SetLanguage(const std::string& name);
    /// The selected names; empty until the first selection.
    const std::string& SelectedSkin() const { return selectedSkin_; }
    const std::string& SelectedLanguage() const { return selectedLanguage_; }

    //--- Title ---------------------------------------------------------------
    std::string GetAppName();
    void UpdateTitle();

    //--- Texts by key --------------------------------------------------------
    std::string GetLangText(const std::string& section, const std::string& key);
    void GetLangSection(const std::string& section, TStrings& list);
    std::string GetLibText(const std::string& key);
    std::string GetAppText(const std::string& key);
    /// The text through the process-wide engine, or "[LibRes]Key" / "[AppRes]Key".
    std::string GetResText(const std::string& key, bool isLib);

    //--- Message boxes -------------------------------------------------------
    TModalResult MessageBoxByKey(const std::string& key,
                                 const std::vector<std::string>& args = {},
                                 int module = 0,
                                 TMsgDlgType dlgType = TMsgDlgType::mtInformation,
                                 TMsgDlgButtons buttons = MsgButtons({mbOK}),
                                 int hiddenResult = 0,
                                 bool isLib = false);
    /// The engine's message dialog, created on first use; nullptr when this
    /// program has none.
    IMessageDialog* SkinMessage();

    //--- Update and About ----------------------------------------------------
    void AutoCheckUpdate();
    void CheckUpdateDue();
    void ShowUpdate(bool modal);
    void ShowAbout();

    //--- Web pages -----------------------------------------------------------
    /// Opens a web page in the default browser. Addresses other than http and
    /// https are refused (false); nothing else is reported.
    bool OpenURL(const std::string& url);

    //--- Request addresses of the vendor's pages -------------------------------
    /// The address of page `name` (setting "URL." + name, or "URL.Redirect" when
    /// that is blank), with "%exepath%" replaced by the program folder; a web
    /// address gets "ACTION=" + name and BuildRequestQuery() when `withQuery`.
    std::string GetPageURL(const std::string& name, bool withQuery);
    /// What the vendor's server learns of this installation: time stamp, PID,
    /// LANG, DAY, RUNTIME, VER, SVER, WVER, WLANG and CHL, in that order.
    std::string BuildRequestQuery();

    //--- Settings lists for the settings store -------------------------------
    std::optional<std::string> FindOverwrite(const std::string& name) const override;
    std::optional<std::string> FindDefault(const std::string& name) const override;

  private:
    void RegisterMessages();
    bool HandleOwnMessage(EngineMessage& message);
    void TakeCopyData(const EngineMessage& message);
    void PostToOwner(uint32_t msg);
    std::string ShippedFolder(const std::string& setting, const char* builtIn) const;
    bool LoadSkinFile(const std::string& path);

    const TPlatform& platform_;
    TApplication& application_;
    ISettingsStore& settings_;
    std::unique_ptr<IEngineOwner> owner_;
    EngineWindowFactories windows_;
    MessageHandler savedWndProc_;

    uint32_t msgGetAppID_ = 0;
    uint32_t msgCloseApp_ = 0;
    uint32_t msgInitPost_ = 0;
    uint32_t msgCmdParam_ = 0;
    uint32_t msgIfBusy_ = 0;

    bool inLoaded_ = false;
    std::string cmdParam_;
    bool startingUp_ = true;
    std::string title_;
    bool titleIncludeVer_ = true;

    // Skin and language selection.
    std::string selectedSkin_;
    StoredSkin builtInSkin_;
    bool builtInSkinnable_ = true;
    std::string selectedLanguage_;

    TStrings settingOverwrite_;
    TStrings settingDefault_;

    std::unique_ptr<IMessageDialog> messageDialog_;
    std::vector<std::unique_ptr<IUpdateWindow>> updateWindows_;
    std::vector<std::unique_ptr<IAboutWindow>> aboutWindows_;
};

/// The process-wide engine: the first one created, until it is destroyed.
TCLEngine* AppEngine();

}  // namespace tallow
