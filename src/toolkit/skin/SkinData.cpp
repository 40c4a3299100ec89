#include "toolkit/skin/SkinData.h"

#include <algorithm>

#include "toolkit/skin/SkinLoader.h"

namespace tallow {

namespace {

// The built-in theme shared by every TskSkinData (never freed before them).
std::shared_ptr<const SkinTheme> BuiltInTheme() {
    static const std::shared_ptr<const SkinTheme> theme(&BuiltInSkinTheme(), [](const SkinTheme*) {});
    return theme;
}

}  // namespace

TskSkinData::TskSkinData(TComponent* owner) : TComponent(owner), theme_(BuiltInTheme()) {}

TskSkinData::~TskSkinData() {
    SetResourceStrData(nullptr);
}

bool TskSkinData::LoadFromCompressedFile(const std::string& path, std::string* error) {
    SkinTheme loaded;
    const SkinLoadResult result = LoadSkinThemeFile(path, BuiltInSkinTheme(), loaded);
    if (!result.ok()) {
        if (error)
            *error = result.error;
        return false;
    }
    theme_ = std::make_shared<const SkinTheme>(std::move(loaded));
    sourcePath_ = path;
    Changed();
    return true;
}

bool TskSkinData::LoadFromCompressedData(const uint8_t* data,
                                         size_t size,
                                         const std::string& name,
                                         std::string* error) {
    SkinTheme loaded;
    const SkinLoadResult result = LoadSkinTheme(data, size, BuiltInSkinTheme(), loaded);
    if (!result.ok()) {
        if (error)
            *error = result.error;
        return false;
    }
    theme_ = std::make_shared<const SkinTheme>(std::move(loaded));
    sourcePath_ = name.empty() ? "(memory)" : name;
    Changed();
    return true;
}

void TskSkinData::ClearSkin() {
    theme_ = BuiltInTheme();
    sourcePath_.clear();
    Changed();
}

StoredSkin TskSkinData::GetStoredSkin() const {
    if (IsBuiltIn())
        return StoredSkin();
    return StoredSkin{theme_, sourcePath_};
}

void TskSkinData::SetStoredSkin(const StoredSkin& stored) {
    theme_ = stored.theme ? stored.theme : BuiltInTheme();
    sourcePath_ = stored.theme ? stored.sourcePath : std::string();
    if (stored.theme && sourcePath_.empty())
        sourcePath_ = "(stored)";
    Changed();
}

void TskSkinData::SetSkinnableForm(bool on) {
    SetSwitch(skinnableForm_, on);
}

void TskSkinData::SetShowButtonGlowFrames(bool on) {
    SetSwitch(buttonGlow_, on);
}

void TskSkinData::SetShowCaptionButtonGlowFrames(bool on) {
    SetSwitch(captionButtonGlow_, on);
}

void TskSkinData::SetSwitch(bool& field, bool on) {
    if (field == on)
        return;
    field = on;
    Changed();
}

void TskSkinData::SetResourceStrData(TskResourceStrData* data) {
    if (resourceStrData_ == data)
        return;
    if (resourceStrData_)
        RemoveFreeNotification(resourceStrData_);
    resourceStrData_ = data;
    if (data)
        FreeNotification(data);
}

std::string TskSkinData::ResourceText(std::string_view name) const {
    if (resourceStrData_)
        return resourceStrData_->Text(name);
    static TskResourceStrData defaults(nullptr);
    return defaults.Text(name);
}

int TskSkinData::AddChangeObserver(std::function<void(TskSkinData&)> observer) {
    observers_.emplace_back(nextObserverId_, std::move(observer));
    return nextObserverId_++;
}

void TskSkinData::RemoveChangeObserver(int id) {
    for (auto it = observers_.begin(); it != observers_.end(); ++it) {
        if (it->first == id) {
            observers_.erase(it);
            return;
        }
    }
}

void TskSkinData::Changed() {
    // A copy: observers may add or remove observers while being called.
    const auto observers = observers_;
    for (const auto& [id, observer] : observers) {
        const bool stillThere = std::any_of(observers_.begin(), observers_.end(),
                                            [id = id](const auto& entry) { return entry.first == id; });
        if (stillThere && observer)
            observer(*this);
    }
}

void TskSkinData::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Object<TskResourceStrData>("ResourceStrData", "TskResourceStrData", &TskSkinData::ResourceStrData,
                                   &TskSkinData::SetResourceStrData);
    out.Boolean("ShowButtonGlowFrames", &TskSkinData::ShowButtonGlowFrames, &TskSkinData::SetShowButtonGlowFrames);
    out.Boolean("ShowCaptionButtonGlowFrames", &TskSkinData::ShowCaptionButtonGlowFrames,
                &TskSkinData::SetShowCaptionButtonGlowFrames);
    out.Boolean("SkinnableForm", &TskSkinData::SkinnableForm, &TskSkinData::SetSkinnableForm);
}

void TskSkinData::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == resourceStrData_)
        resourceStrData_ = nullptr;
}

}  // namespace tallow
