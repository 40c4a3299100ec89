// TskSkinData: the skin in use by the controls that refer to it. It holds the
// built-in skin until a skin file is loaded, tells its observers (the controls)
// when the skin or a switch changes, and links the toolkit's own texts.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/Component.h"
#include "toolkit/skin/ResourceStrData.h"
#include "toolkit/skin/SkinTheme.h"

namespace tallow {

/// A skin captured from a TskSkinData and given back later. Cheap to copy: the
/// theme is shared and never changes.
struct StoredSkin {
    std::shared_ptr<const SkinTheme> theme;  // nullptr: the built-in skin
    std::string sourcePath;                  // the file it came from ("" for the built-in)
};

class TskSkinData : public TComponent {
    TALLOW_CLASS(TskSkinData, TComponent)

    explicit TskSkinData(TComponent* owner);
    ~TskSkinData() override;

    /// The skin in use: the built-in one or the last one loaded.
    const SkinTheme& Theme() const { return *theme_; }
    bool IsBuiltIn() const { return sourcePath_.empty(); }
    /// The path of the loaded skin file, "" for the built-in skin.
    const std::string& SkinFile() const { return sourcePath_; }

    /// Loads a compressed skin file (.skn / .nsf.skn). On failure the skin in use
    /// stays and `error` (when given) says why. Keys the file lacks take the
    /// built-in skin's values.
    bool LoadFromCompressedFile(const std::string& path, std::string* error = nullptr);
    /// The same for skin file bytes held in memory (`name` is reported as the source).
    bool LoadFromCompressedData(const uint8_t* data,
                                size_t size,
                                const std::string& name,
                                std::string* error = nullptr);
    /// Back to the built-in skin.
    void ClearSkin();
    void UseBuiltInSkin() { ClearSkin(); }

    StoredSkin GetStoredSkin() const;
    /// Gives back a captured skin (an empty one means the built-in skin).
    void SetStoredSkin(const StoredSkin& stored);

    // Switches. SkinnableForm false: window frames keep their standard look and
    // only the controls are skinned (".nsf.skn" skins).
    bool SkinnableForm() const { return skinnableForm_; }
    void SetSkinnableForm(bool on);
    bool ShowButtonGlowFrames() const { return buttonGlow_; }
    void SetShowButtonGlowFrames(bool on);
    bool ShowCaptionButtonGlowFrames() const { return captionButtonGlow_; }
    void SetShowCaptionButtonGlowFrames(bool on);

    /// The toolkit's texts; not owned. Cleared when that component is destroyed.
    TskResourceStrData* ResourceStrData() const { return resourceStrData_; }
    void SetResourceStrData(TskResourceStrData* data);
    /// A toolkit text from ResourceStrData, or the default text without one.
    std::string ResourceText(std::string_view name) const;

    /// Observers are called after every change of the skin or a switch. Returns an
    /// id for RemoveChangeObserver. Observers may add or remove observers.
    int AddChangeObserver(std::function<void(TskSkinData&)> observer);
    void RemoveChangeObserver(int id);

    void PublishProperties(PropertyList& out) override;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    void Changed();
    void SetSwitch(bool& field, bool on);

    std::shared_ptr<const SkinTheme> theme_;
    std::string sourcePath_;
    bool skinnableForm_ = true;
    bool buttonGlow_ = true;
    bool captionButtonGlow_ = true;
    TskResourceStrData* resourceStrData_ = nullptr;
    std::vector<std::pair<int, std::function<void(TskSkinData&)>>> observers_;
    int nextObserverId_ = 1;
};

}  // namespace tallow
