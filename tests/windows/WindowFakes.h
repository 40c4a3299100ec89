// What the auxiliary windows' tests share: the About window over the engine's
// fakes with its texts; a window layer without windows, whose form peers record
// the messages posted to them; PNG files of a given size.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/EngineFakes.h"
#include "png/PngBuilder.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Peer.h"
#include "windows/CLAboutForm.h"

namespace tallow::testing {

/// The information text of the About window below in English.
inline const std::string kAboutThreeLines = "Tallowmere\r\nVersion : 1.2.3.4\r\n(c) 2026 Tallowmere";

/// The About window over an engine on fakes whose language holds the window's
/// texts (translator "Hanna Berg"), with the version and the copyright line set.
struct AboutWindowSetup {
    AboutWindowSetup() {
        f.settings.values = {{"App.Ver", "1.2.3.4"},
                             {"App.Copyright", "(c) 2026 Tallowmere"},
                             {"URL.support", "http://www.tallowmere.example/support/"}};
        language.texts = {{"LibRes/TfrmCLAboutForm.Caption", "About Tallowmere"},
                          {"LibRes/btnOk.Caption", "&OK"},
                          {"LibRes/lblSupport.Caption", "Support"},
                          {"LibRes/TfrmCLAboutForm.CopyRightLine1", "Tallowmere"},
                          {"LibRes/TfrmCLAboutForm.CopyRightLine2", "Version : {1}"},
                          {"LibRes/TfrmCLAboutForm.CopyRightLine3", "{1} is translated by {2}"},
                          {"Info/Translator", "Hanna Berg"}};
        f.engine().LanguageData = &language;
    }
    /// A new window, made with `selected` as the language in use.
    std::unique_ptr<TfrmCLAboutForm> Create(const std::string& selected) {
        AboutFormServices services;
        services.engine = &f.engine();
        services.settings = &f.settings;
        services.selectedLanguage = [selected] { return selected; };
        return std::make_unique<TfrmCLAboutForm>(nullptr, std::move(services));
    }

    EngineFixture f;
    FakeLanguage language;
};

class FakeControlPeer : public IFormPeer {
  public:
    uintptr_t Handle() const override { return 0x4242; }
    void Invalidate() override {}
    void BoundsChanged() override {}
    void VisibleChanged() override {}
    void EnabledChanged() override {}
    void TextChanged() override {}
    void TakeFocus() override {}
    void ChildAdded(TskControl&) override {}
    void RunModal() override {}
    void Close() override {}
    void DefaultHandler(TMessage&) override {}
    bool Post(uint32_t msg, uintptr_t, intptr_t) override { return posted->push_back(msg), true; }
    void ShowPopupMenuAt(int, int) override {}
    std::vector<uint32_t>* posted = nullptr;
};

/// Installed while it lives; `posted` collects the messages posted to any form.
class FakeWindowLayer : public IWindowFactory {
  public:
    FakeWindowLayer() { SetWindowFactory(this); }
    ~FakeWindowLayer() override { SetWindowFactory(nullptr); }
    IFormPeer* CreateFormWindow(TskForm&) override { return Make(); }
    IControlPeer* CreateControlWindow(TskControl&) override { return Make(); }
    std::vector<uint32_t> posted;

  private:
    FakeControlPeer* Make() {
        auto* peer = new FakeControlPeer;
        peer->posted = &posted;
        return peer;
    }
};

/// Writes an opaque RGBA PNG of `width` x `height` pixels to `path`.
inline void WritePng(const std::string& path, uint32_t width, uint32_t height) {
    test::Bytes raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        for (uint32_t x = 0; x < width; ++x)
            raw.insert(raw.end(), {40, 90, 160, 255});
    }
    const test::Bytes png = test::MakePng(test::HeaderData(width, height, 8, 6), raw);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
}

}  // namespace tallow::testing
