// Small component classes used by the component model tests: a button-like control,
// a skin-data stand-in, an image store with a collection, and a recorder of Loaded
// and destruction order.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/Collection.h"
#include "components/Component.h"
#include "components/Strings.h"

namespace tallow::test {

/// Shared journal of events (Loaded, destruction) in the order they happen.
inline std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

class TRecorder : public TComponent {
    TALLOW_CLASS(TRecorder, TComponent)
    explicit TRecorder(TComponent* owner) : TComponent(owner) {}
    ~TRecorder() override { Journal().push_back("destroy " + Name()); }
    void Loaded() override {
        TComponent::Loaded();
        Journal().push_back("loaded " + Name());
    }
};

class TFakeSkin : public TComponent {
    TALLOW_CLASS(TFakeSkin, TComponent)
    explicit TFakeSkin(TComponent* owner) : TComponent(owner) {}
};

class TFakeButton : public TRecorder {
    TALLOW_CLASS(TFakeButton, TRecorder)
    explicit TFakeButton(TComponent* owner) : TRecorder(owner) {}

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& v) { hint_ = v; }
    std::string Version() const { return "1.0"; }
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    TStrings* Lines() { return &lines_; }
    TFakeSkin* SkinData() const { return skin_; }
    void SetSkinData(TFakeSkin* v) { skin_ = v; }

    void PublishProperties(PropertyList& out) override {
        TRecorder::PublishProperties(out);
        out.String("Caption", "TCaption", &TFakeButton::Caption, &TFakeButton::SetCaption);
        out.Integer("Width", "Integer", &TFakeButton::Width, &TFakeButton::SetWidth);
        out.Object<TFakeSkin>("SkinData", "TskSkinData", &TFakeButton::SkinData, &TFakeButton::SetSkinData);
        out.String("hint", "string", &TFakeButton::Hint, &TFakeButton::SetHint, PropKind::WideString);
        out.Boolean("Enabled", &TFakeButton::Enabled, &TFakeButton::SetEnabled);
        out.Object<TStrings>("Lines", "TStrings", &TFakeButton::Lines, nullptr);
        out.String("Version", "ShortString", &TFakeButton::Version, nullptr, PropKind::ShortString);
    }

  private:
    std::string caption_;
    std::string hint_;
    int width_ = 75;
    bool enabled_ = true;
    TStrings lines_;
    TFakeSkin* skin_ = nullptr;
};

class TFakeImageItem : public TCollectionItem {
    TALLOW_CLASS(TFakeImageItem, TCollectionItem)
    std::string name;
    int size = 0;
    void PublishProperties(PropertyList& out) override {
        out.String<TFakeImageItem>(
            "Name", "string", [](TFakeImageItem& i) { return i.name; },
            [](TFakeImageItem& i, const std::string& v) { i.name = v; });
        out.Integer<TFakeImageItem>(
            "Size", "Integer", [](TFakeImageItem& i) { return i.size; }, [](TFakeImageItem& i, int v) { i.size = v; });
    }
};

class TFakeImageStore : public TRecorder {
    TALLOW_CLASS(TFakeImageStore, TRecorder)
    explicit TFakeImageStore(TComponent* owner) : TRecorder(owner) {}
    TItemCollection<TFakeImageItem>* PngImages() { return &images_; }
    void PublishProperties(PropertyList& out) override {
        TRecorder::PublishProperties(out);
        out.Object<TCollection>("PngImages", "TPngImageCollection", &TFakeImageStore::PngImages, nullptr);
    }

  private:
    TItemCollection<TFakeImageItem> images_;
};

}  // namespace tallow::test
