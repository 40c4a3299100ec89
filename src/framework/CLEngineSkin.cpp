// TCLEngine: choosing the skin and the language named by the settings, with the
// built-in skin "Default" and the built-in texts "English" as fallbacks.
#include <cstdint>

#include "diagnostics/TraceSender.h"
#include "framework/CLEngine.h"
#include "framework/cwm_WinVersion.h"
#include "platform/Files.h"
#include "toolkit/skin/SkinFile.h"

namespace tallow {

namespace {
const char* const kDefaultSkin = "Default";
const char* const kDefaultLanguage = "English";

void TraceRefused(const std::string& what, const std::string& value) {
    DebugTrace().TraceWithTag("Refused " + what + ": " + value, "CLEngine");
}
}  // namespace

// The program folder followed directly by the folder a setting names. Only a
// folder below the program folder is taken: a drive, a root, a share or a ".."
// part would have the program read (at every start) wherever the settings, an
// update answer or a stranger's setting.dat point. Such a value gives way to
// the engine's own default list, then to `builtIn`.
std::string TCLEngine::ShippedFolder(const std::string& setting, const char* builtIn) const {
    std::string folder = settings_.ReadString(setting);
    if (!IsRelativeSubfolder(folder)) {
        TraceRefused(setting, folder);
        folder = FindDefault(setting).value_or(builtIn);
        if (!IsRelativeSubfolder(folder)) {
            folder = builtIn;
        }
    }
    return settings_.ExeDir() + folder;
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
    // A name that is not a bare file name counts as a missing file, and so
    // does a damaged skin file: the window must not keep a half-chosen look
    // under a name the settings would then remember.
    const bool bare = IsBareFileName(name);
    std::string path;
    bool skinnable = true;
    if (bare) {
        const std::string base = ShippedFolder("Path.Skins", "skins") + "\\" + name;
        path = base + ".skn";
        if (!platform_.files->Exists(path)) {
            path = base + ".nsf.skn";
            skinnable = false;
        }
    } else {
        TraceRefused("skin name", name);
    }
    if (bare && platform_.files->Exists(path) && LoadSkinFile(path)) {
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
    // A name that is not a bare file name counts as a missing file.
    const bool bare = IsBareFileName(name);
    if (!bare) {
        TraceRefused("language name", name);
    }
    const std::string path = bare ? ShippedFolder("Path.Languages", "lang") + "\\" + name + ".lan" : std::string();
    if (bare && platform_.files->Exists(path)) {
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
