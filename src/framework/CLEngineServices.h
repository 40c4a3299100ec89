// What the application engine needs from its surroundings besides the platform
// bundle and the settings store, one small interface per concern, so that its
// logic runs without Windows in tests; tests pass fakes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/Strings.h"
#include "framework/CLEngineTypes.h"

namespace tallow {

class TCLEngine;

/// The window that owns the engine.
class IEngineOwner {
  public:
    virtual ~IEngineOwner() = default;
    virtual WindowHandle Handle() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    /// Posts a message to the window (creating its window first when needed).
    virtual void Post(uint32_t msg, uintptr_t wParam, intptr_t lParam) = 0;
    /// Installs `handler` as the window's message handler and returns the one it replaces.
    virtual MessageHandler ReplaceMessageHandler(MessageHandler handler) = 0;
};

/// What a message box shows.
struct MessageDialogRequest {
    std::string text;
    std::string caption;
    TMsgDlgType type = TMsgDlgType::mtInformation;
    TMsgDlgButtons buttons = MsgButtons({mbOK});
    int helpContext = 0;
    /// Offer the "don't display this message again" check box.
    bool showAgainFlag = false;
};

/// The modal message dialog (the skin toolkit's TskSkinMessage).
class IMessageDialog {
  public:
    virtual ~IMessageDialog() = default;
    /// Shows the dialog modally. `showAgainFlagValue` is true on entry; on return
    /// it is false exactly when the user ticked the check box.
    virtual TModalResult Execute(const MessageDialogRequest& request, bool& showAgainFlagValue) = 0;
};

/// The update window: `BeginCheck(manual)` starts one check.
class IUpdateWindow {
  public:
    virtual ~IUpdateWindow() = default;
    virtual void BeginCheck(bool manual) = 0;
    virtual TModalResult ShowModal() = 0;
};

/// The About window.
class IAboutWindow {
  public:
    virtual ~IAboutWindow() = default;
    /// Makes the window a child of `parent` (SetParent) at position 0, 0.
    virtual void PlaceInParent(WindowHandle parent) = 0;
    virtual TModalResult ShowModal() = 0;
};

/// The language data the engine reads texts from.
class ILanguageData {
  public:
    virtual ~ILanguageData() = default;
    /// The text of "AppName" in section "AppRes"; empty when there is none.
    virtual std::string ReadAppName() = 0;
    /// Fills `result` with the text of `prefix` + `key` in `section`; leaves it
    /// unchanged when there is none.
    virtual void ReadText(const std::string& section,
                          const std::string& prefix,
                          const std::string& key,
                          std::string& result) = 0;
    /// Adds the section's Name=Value pairs to `list`; names it already holds stay.
    virtual void ReadSection(const std::string& section, TStrings& list) = 0;
    /// Loads a language file as the current language and translates the windows
    /// that follow this data again.
    virtual void LoadLanguageFile(const std::string& path) = 0;
    /// Drops the current language: lookups fall back to the built-in texts.
    virtual void ClearCurrentData() = 0;
};

/// Creates the windows and dialogs that other parts of the system provide. An
/// empty factory means the window does not exist in this program yet; the
/// engine then does nothing where it would have used it.
/// Each factory gets the engine that asks; the windows belong to its owner window.
struct EngineWindowFactories {
    std::function<std::unique_ptr<IMessageDialog>(TCLEngine&)> messageDialog;
    std::function<std::unique_ptr<IUpdateWindow>(TCLEngine&)> updateWindow;
    std::function<std::unique_ptr<IAboutWindow>(TCLEngine&)> aboutWindow;
};

}  // namespace tallow
