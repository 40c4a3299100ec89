// TCLEngine: choosing the skin and the language named by the settings, with the
// built-in skin "Default" and the built-in texts "English" as fallbacks.
#include <cstdint>

#include "framework/CLEngine.h"
#include "framework/cwm_WinVersion.h"
#include "toolkit/skin/SkinFile.h"

namespace tallow {

namespace {
const char* const kDefaultSkin = "Default";
const char* const kDefaultLanguage = "English";
}  // namespace

// The program folder followed directly by the folder name a setting holds.
std::string TCLEngine::ShippedFolder(const std::string& setting) const {
    return settings_.ExeDir() + settings_.ReadString(setting);
}

// Read through the platform's files so a skin is found exactly where Exists
// looked; a file that is not a skin leaves the skin in use and answers false.
bool TCLEngine::LoadSkinFile(const std::string& path) {
    const TFileRead read = platform_.files->ReadFileUpTo(path, kSkinMaxFileSize);
    if (read.status != FileReadStatus::Read) {
        return false;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(read.content.data());
    return SkinData->LoadFromCompressedData(bytes, read.content.size(), path);
}

void TCLEngine::SetSkin(const std::string& requested) {
    if (!SkinData) {
        return;
    }
    const std::string name = requested.empty() ? kDefaultSkin : requested;
    if (name == selectedSkin_) {
        return;
    }
    const std::string base = ShippedFolder("Path.Skins") + "\\" + name;
    std::string path = base + ".skn";
    bool skinnable = true;
    if (!platform_.files->Exists(path)) {
        path = base + ".nsf.skn";
        skinnable = false;
    }
    // A damaged skin file counts as a missing one: the window must not keep a
    // half-chosen look under a name the settings would then remember.
    if (platform_.files->Exists(path) && LoadSkinFile(path)) {
        SkinData->SetSkinnableForm(skinnable);
        selectedSkin_ = name;
    } else {
        if (!selectedSkin_.empty()) {
            SkinData->SetStoredSkin(builtInSkin_);
            SkinData->SetSkinnableForm(builtInSkinnable_);
        }
        selectedSkin_ = kDefaultSkin;
    }
    // The glow frames draw badly on 64-bit Vista; once off they stay off.
    if (platform_.systemInfo && IsVista64(*platform_.systemInfo)) {
        SkinData->SetShowButtonGlowFrames(false);
        SkinData->SetShowCaptionButtonGlowFrames(false);
    }
    settings_.WriteString("Skin", selectedSkin_);
    if (!inLoaded_ && OnSkinChanged) {
        OnSkinChanged(*this);
    }
}

void TCLEngine::SetLanguage(const std::string& requested) {
    if (!LanguageData) {
        return;
    }
    // An empty name asks for "Default", which without Default.lan ends on "English".
    const std::string name = requested.empty() ? "Default" : requested;
    if (name == selectedLanguage_) {
        return;
    }
    const std::string path = ShippedFolder("Path.Languages") + "\\" + name + ".lan";
    if (platform_.files->Exists(path)) {
        LanguageData->LoadLanguageFile(path);
        selectedLanguage_ = name;
    } else {
        if (!selectedLanguage_.empty()) {
            LanguageData->ClearCurrentData();
        }
        selectedLanguage_ = kDefaultLanguage;
    }
    settings_.WriteString("Language", selectedLanguage_);
    if (SkinData && SkinData->ResourceStrData()) {
        GetLangSection("SkinRes", *SkinData->ResourceStrData()->ResStrings());
    }
    if (!inLoaded_ && OnLanguageChanged) {
        OnLanguageChanged(*this);
    }
    UpdateTitle();
}

void TCLEngine::LoadInitialSkin() {
    if (!SkinData) {
        return;
    }
    builtInSkin_ = SkinData->GetStoredSkin();
    builtInSkinnable_ = SkinData->SkinnableForm();
    SetSkin(settings_.ReadString("Skin"));
}

void TCLEngine::LoadInitialLanguage() {
    if (!LanguageData) {
        return;
    }
    const std::string name = settings_.ReadString("Language");
    SetLanguage(name.empty() ? kDefaultLanguage : name);
}

}  // namespace tallow
