// The language of the program's windows:
//   TCLMultiLangData  the current language (loaded from a language file) and the
//                     default language (texts stored with the window); every text
//                     by key is looked up here, current language first.
//   TCLMultiLang      an applier on a window: writes the language's texts into the
//                     window's published text properties, under keys made of
//                     component and property names in the section named after the
//                     window's class ("btnClearAll.Caption" in "TfrmMain").
// Data and appliers may be destroyed in either order: the data detaches its
// appliers when it goes, an applier deregisters itself when it goes.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/Component.h"
#include "components/Strings.h"
#include "framework/CLEngineServices.h"
#include "localisation/CLMultiLangLan.h"

namespace tallow {

class IFiles;
class TCLMultiLang;
class ClassRegistry;

/// The longest text a lookup fills "{AppName}" into: a text that would grow
/// longer keeps its "{AppName}" as written (and the debug trace says so).
constexpr std::size_t kMaxFilledTextSize = 64u * 1024;

/// The default exclusion list of the language data, in its stored order.
const std::vector<std::string>& DefaultExcludeProps();

class TCLMultiLangData : public TComponent, public ILanguageData {
    TALLOW_CLASS(TCLMultiLangData, TComponent)

    explicit TCLMultiLangData(TComponent* owner);
    ~TCLMultiLangData() override;

    /// Language files are read through `files`; none: the platform bundle's.
    void SetFiles(const IFiles* files) { files_ = files; }

    //--- Lookups -------------------------------------------------------------
    /// The text of `Prefix.Key` in `section`: from the current language, else from
    /// the default one (an empty text in the current language counts), with
    /// "{AppName}" (any letter case) replaced by the cached application name, except
    /// in "AppName" of "AppRes" itself and in a text that would grow longer than
    /// kMaxFilledTextSize. False, and `value` untouched, when neither language has
    /// the key.
    bool FindText(std::string_view section, std::string_view prefix, std::string_view key, std::string& value);
    /// ILanguageData: FindText without the answer.
    void ReadText(const std::string& section,
                  const std::string& prefix,
                  const std::string& key,
                  std::string& result) override;
    /// Adds the entries of `section` of the current, then the default language to
    /// `target`, in one update; names `target` already holds keep their texts, and
    /// empty texts never arrive. "{AppName}" is left as written.
    void ReadSection(const std::string& section, TStrings& target) override;
    /// "AppName" of "AppRes" (empty when neither language has it), which becomes
    /// the text of "{AppName}" in later lookups.
    std::string ReadAppName() override;

    //--- Changing the language -------------------------------------------------
    /// Makes the file the current language (a file that cannot be read, or that is
    /// larger than kMaxLanguageFileSize, gives an empty one), refreshes the
    /// application name and applies every registered applier again.
    void LoadLanguageFile(const std::string& path) override;
    /// Empties the current language; nothing is applied again.
    void ClearCurrentData() override;

    //--- Appliers ------------------------------------------------------------
    void RegisterApplier(TCLMultiLang* applier);
    void UnregisterApplier(TCLMultiLang* applier);
    /// Applies every registered applier, in registration order.
    void ApplyAll();
    const std::vector<TCLMultiLang*>& Appliers() const { return appliers_; }

    //--- Properties ----------------------------------------------------------
    std::string CurrentLanguage() { return InfoText("Language"); }
    std::string CurrentLanguageTranslator() { return InfoText("Translator"); }
    std::string CurrentVersion() { return InfoText("Version"); }
    const std::string& AppNameCache() const { return appNameCache_; }

    /// Stored settings that no lookup or applier consults.
    bool ExcludeEmptyProp = false;
    bool ExcludeNumberEndProps = false;
    bool ExcludeWithAction = false;
    TStrings* ExcludeProps() { return &excludeProps_; }
    void SetExcludeProps(const TStrings* lines);
    /// Appliers apply as soon as their window has been loaded.
    bool AutoApply = true;

    /// The current and the default language's lines; assigning copies them, and the
    /// next lookup sees the new lines.
    TStrings* CurrentData() { return &current_.Data(); }
    TStrings* DefaultData() { return &default_.Data(); }
    void SetCurrentData(const TStrings* lines);
    void SetDefaultData(const TStrings* lines);

    void PublishProperties(PropertyList& out) override;

  private:
    std::string InfoText(std::string_view key);

    TCLMultiLangLan current_;
    TCLMultiLangLan default_;
    TStrings excludeProps_;
    std::vector<TCLMultiLang*> appliers_;
    std::string appNameCache_;
    const IFiles* files_ = nullptr;
};

class TCLMultiLang : public TComponent {
    TALLOW_CLASS(TCLMultiLang, TComponent)

    explicit TCLMultiLang(TComponent* owner);
    /// Deregisters from its language data.
    ~TCLMultiLang() override;

    /// Writes every text the language has for the owner window and the named
    /// components it owns (language components and the engine, TCLEngine, aside),
    /// then fires OnChangeLanguage. Nothing without language data.
    void Apply();
    /// Writes the texts of one component, under its name, in the section named
    /// after the owner window's class; nothing for the engine.
    void TranslateComponent(TComponent& component);

    TCLMultiLangData* LanguageData() const { return data_; }
    /// Leaves the old data's appliers and joins the new one's; applies nothing.
    void SetLanguageData(TCLMultiLangData* data);

    /// Registers with the language data and, when that applies automatically,
    /// applies (neither in a designer).
    void Loaded() override;

    /// Called at the end of every Apply, with the applier.
    std::function<void(TComponent*)> OnChangeLanguage;

    void PublishProperties(PropertyList& out) override;

  private:
    friend class TCLMultiLangData;
    std::string Section() const;
    TCLMultiLangData* data_ = nullptr;
};

/// Every text property the applier writes of `component`, in its order: the key
/// within the window's section and the property's current text, as the applier
/// sees them (string lists as their text). For checks of the shipped languages.
void ForEachTranslatableText(TComponent& component,
                             const std::function<void(const std::string& key, const std::string& text)>& visit);

/// Registers TCLMultiLangData and TCLMultiLang for stored window descriptions.
void RegisterLocalisationClasses(ClassRegistry& registry);

}  // namespace tallow
