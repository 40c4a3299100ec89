// A window layer without windows for the auxiliary windows' tests: forms get a
// peer that records the messages posted to them, controls one that does nothing.
// And PNG files of a given size for the windows' pictures.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "png/PngBuilder.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Peer.h"

namespace tallow::testing {

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
