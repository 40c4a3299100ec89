#include "engine/EngineFakes.h"

namespace tallow::testing {

MessageHandler FakeEngineOwner::ReplaceMessageHandler(MessageHandler handler) {
    MessageHandler old = std::move(state->handler);
    state->handler = std::move(handler);
    return old;
}

void FakeLanguage::ReadText(const std::string& section,
                            const std::string& prefix,
                            const std::string& key,
                            std::string& result) {
    auto it = texts.find(section + "/" + prefix + key);
    if (it != texts.end()) {
        result = it->second;
    }
}

void FakeLanguage::ReadSection(const std::string& section, TStrings& list) {
    for (const std::string& line : sections[section]) {
        if (list.IndexOfName(line.substr(0, line.find('='))) < 0) {
            list.Add(line);
        }
    }
}

namespace {

class FakeDialog : public IMessageDialog {
  public:
    explicit FakeDialog(FakeDialogState& s) : state_(s) {}
    TModalResult Execute(const MessageDialogRequest& request, bool& showAgainFlagValue) override {
        state_.shown.push_back(request);
        if (request.showAgainFlag && state_.tick) {
            showAgainFlagValue = false;
        }
        if (state_.onShow) {
            state_.onShow();
        }
        return state_.answer;
    }

  private:
    FakeDialogState& state_;
};

class FakeUpdateWindow : public IUpdateWindow {
  public:
    explicit FakeUpdateWindow(FakeWindowState& s) : state_(s) { ++state_.created; }
    void BeginCheck(bool manual) override { state_.checks.push_back(manual); }
    TModalResult ShowModal() override { return ++state_.shownModal, mrOk; }

  private:
    FakeWindowState& state_;
};

class FakeAboutWindow : public IAboutWindow {
  public:
    explicit FakeAboutWindow(FakeWindowState& s) : state_(s) { ++state_.created; }
    void PlaceInParent(WindowHandle parent) override { state_.parents.push_back(parent); }
    TModalResult ShowModal() override { return ++state_.shownModal, mrOk; }

  private:
    FakeWindowState& state_;
};

}  // namespace

std::function<std::unique_ptr<IMessageDialog>(TCLEngine&)> FakeDialogFactory(FakeDialogState& state) {
    return [&state](TCLEngine&) { return std::make_unique<FakeDialog>(state); };
}

EngineFixture::EngineFixture() {
    app.SetPlatformApplication(&platform.application);
    owner.handler = [this](EngineMessage& m) {
        owner.passedOn.push_back(m.msg);
        m.result = -5;
    };
    EngineServices services;
    services.platform = &platform.Platform();
    services.application = &app;
    services.settings = &settings;
    services.owner = std::make_unique<FakeEngineOwner>(owner);
    services.windows.messageDialog = FakeDialogFactory(dialog);
    services.windows.updateWindow = [this](TCLEngine&) { return std::make_unique<FakeUpdateWindow>(update); };
    services.windows.aboutWindow = [this](TCLEngine&) { return std::make_unique<FakeAboutWindow>(about); };
    engine_ = std::make_unique<TCLEngine>(&form, std::move(services));
}

intptr_t EngineFixture::Send(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    EngineMessage m{msg, wParam, lParam, 0};
    owner.handler(m);
    return m.result;
}

void EngineFixture::RunPosted() {
    while (!owner.posted.empty()) {
        PostedMessage p = owner.posted.front();
        owner.posted.erase(owner.posted.begin());
        Send(p.msg, p.wParam, p.lParam);
    }
}

}  // namespace tallow::testing
