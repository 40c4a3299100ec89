// Fakes of the engine's own services (owner window, dialogs, windows) and an
// engine over them, the shared platform fakes and the fake settings store.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "fakes/FakeSettings.h"
#include "framework/CLEngine.h"
#include "toolkit/controls/Application.h"

namespace tallow::testing {

struct PostedMessage {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
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

/// Language data: texts by "Section/PrefixKey", sections as Name=Value lines,
/// and a record of the files loaded and of the times the language was dropped.
/// A component as the program's language data is, so form decoration can hand it on.
class FakeLanguage : public TComponent, public ILanguageData {
  public:
    FakeLanguage() : TComponent(nullptr) {}
    std::string ReadAppName() override { return appName; }
    void ReadText(const std::string& section,
                  const std::string& prefix,
                  const std::string& key,
                  std::string& result) override;
    void ReadSection(const std::string& section, TStrings& list) override;
    void LoadLanguageFile(const std::string& path) override { loaded.push_back(path); }
    void ClearCurrentData() override { ++clears; }

    std::string appName;
    std::map<std::string, std::string> texts;
    std::map<std::string, std::vector<std::string>> sections;
    std::vector<std::string> loaded;
    int clears = 0;
};

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

    TFakePlatform platform;
    /// The application object, over the fake platform's application.
    TApplication app;
    TFakeSettings settings;
    FakeOwnerState owner;
    FakeDialogState dialog;
    FakeWindowState update;
    FakeWindowState about;

  private:
    std::unique_ptr<TCLEngine> engine_;
};

}  // namespace tallow::testing
