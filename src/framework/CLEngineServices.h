// What the application engine needs from its surroundings, one small interface
// per concern, so that its logic runs without Windows in tests. The Win32
// implementations live in CLEngine*_win.cpp; tests pass fakes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/Strings.h"
#include "framework/CLEngineTypes.h"

namespace tallow {

class TCLEngine;

/// The operating-system services the engine calls.
class IEngineSystem {
  public:
    virtual ~IEngineSystem() = default;
    /// RegisterWindowMessageA: the same name gives the same number in every process.
    virtual uint32_t RegisterMessage(const std::string& name) = 0;
    /// Ends the message loop of the application (Application.Terminate).
    virtual void TerminateApplication() = 0;
    /// The text of the application's task-bar button.
    virtual void SetApplicationTitle(const std::string& title) = 0;
    /// The command-line parameters after the program name.
    virtual std::vector<std::string> CommandLineParams() = 0;
    /// The local time as days since 30 December 1899.
    virtual double Now() = 0;
    /// The default value of HKEY_CLASSES_ROOT\HTTP\shell\open\command; empty when absent.
    virtual std::string BrowserOpenCommand() = 0;
    /// CreateProcessA with the command line; the handles are closed at once.
    virtual void StartProcess(const std::string& commandLine) = 0;
    /// ShellExecuteA(application window, "open", target, no parameters, no folder, SW_SHOWNORMAL).
    virtual void ShellOpen(const std::string& target) = 0;
};

/// The settings the engine reads and writes (the process-wide settings store).
class IEngineSettings {
  public:
    virtual ~IEngineSettings() = default;
    virtual std::string ReadString(const std::string& key) = 0;
    virtual int ReadInteger(const std::string& key) = 0;
    virtual double ReadFloat(const std::string& key) = 0;
    virtual bool ReadBool(const std::string& key) = 0;
    virtual bool GetShowAgain(int module) = 0;
    virtual void SetShowAgain(int module, bool value) = 0;
    virtual int GetShowAgainResult(int module) = 0;
    virtual void SetShowAgainResult(int module, int result) = 0;
};

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
