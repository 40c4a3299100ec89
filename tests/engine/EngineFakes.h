// Fakes of the engine's services: plain data that tests fill and inspect.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/CLEngine.h"

namespace tallow::testing {

struct PostedMessage {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
};

class FakeEngineSystem : public IEngineSystem {
  public:
    uint32_t RegisterMessage(const std::string& name) override;
    void TerminateApplication() override { ++terminated; }
    void SetApplicationTitle(const std::string& title) override { appTitle = title; }
    std::vector<std::string> CommandLineParams() override { return params; }
    double Now() override { return now; }
    std::string BrowserOpenCommand() override { return openCommand; }
    void StartProcess(const std::string& commandLine) override { started.push_back(commandLine); }
    void ShellOpen(const std::string& target) override { shellOpened.push_back(target); }

    std::vector<std::string> registered;  // names in registration order
    int terminated = 0;
    std::string appTitle;
    std::vector<std::string> params;
    double now = 45000.5;
    std::string openCommand;
    std::vector<std::string> started;
    std::vector<std::string> shellOpened;
};

class FakeEngineSettings : public IEngineSettings {
  public:
    std::string ReadString(const std::string& key) override;
    int ReadInteger(const std::string& key) override;
    double ReadFloat(const std::string& key) override;
    bool ReadBool(const std::string& key) override { return ReadInteger(key) != 0; }
    bool GetShowAgain(int module) override;
    void SetShowAgain(int module, bool value) override { showAgain[module] = value; }
    int GetShowAgainResult(int module) override;
    void SetShowAgainResult(int module, int result) override { showAgainResult[module] = result; }

    std::map<std::string, std::string> values;
    std::map<int, bool> showAgain;
    std::map<int, int> showAgainResult;
};

/// The owner window: records its caption and keeps the installed handler.
struct FakeOwnerState {
    WindowHandle handle = 0x1234;
    std::string caption;
    MessageHandler handler;
    std::vector<PostedMessage> posted;
    std::vector<uint32_t> passedOn;  // messages that reached the window's own handler
};

class FakeEngineOwner : public IEngineOwner {
  public:
    FakeOwnerState* state;
    explicit FakeEngineOwner(FakeOwnerState& s) : state(&s) {}
    WindowHandle Handle() override { return state->handle; }
    void SetCaption(const std::string& caption) override { state->caption = caption; }
    void Post(uint32_t msg, uintptr_t wParam, intptr_t lParam) override {
        state->posted.push_back({msg, wParam, lParam});
    }
    MessageHandler ReplaceMessageHandler(MessageHandler handler) override;
};

/// The message dialog: answers with `answer` and ticks the box when `tick`.
struct FakeDialogState {
    std::vector<MessageDialogRequest> shown;
    TModalResult answer = mrOk;
    bool tick = false;
    /// Runs while a dialog is up, after it was recorded.
    std::function<void()> onShow;
};

struct FakeWindowState {
    int created = 0;
    std::vector<bool> checks;  // BeginCheck arguments
    int shownModal = 0;
    std::vector<WindowHandle> parents;
};

/// Message dialogs that record what they show in `state`.
std::function<std::unique_ptr<IMessageDialog>(TCLEngine&)> FakeDialogFactory(FakeDialogState& state);

/// An engine on fakes, with the message loop's delivery of posted messages.
class EngineFixture {
  public:
    EngineFixture();
    TCLEngine& engine() { return *engine_; }
    /// The component that owns the engine (the window form in the program).
    TComponent form{nullptr};
    /// Sends a message to the owner window as another process would.
    intptr_t Send(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    /// Delivers every posted message in order, as the message loop does.
    void RunPosted();
    void Destroy() { engine_.reset(); }

    FakeEngineSystem system;
    FakeEngineSettings settings;
    FakeOwnerState owner;
    FakeDialogState dialog;
    FakeWindowState update;
    FakeWindowState about;

  private:
    std::unique_ptr<TCLEngine> engine_;
};

}  // namespace tallow::testing
