// TCLMultiLangData: the current and the default language, lookups and appliers.
#include <algorithm>
#include <unordered_set>

#include "components/ClassRegistry.h"
#include "components/TextCase.h"
#include "diagnostics/TraceSender.h"
#include "localisation/CLMultiLang.h"
#include "platform/Platform.h"

namespace tallow {

namespace {

// Every "{AppName}" of `text`, in any letter case, replaced by `name`, in one
// pass. A result longer than kMaxFilledTextSize is given up as soon as it
// grows past it (a language file of a few hundred kilobytes could otherwise
// ask for gigabytes): `text` then stays as written and the answer is false.
bool FillAppName(std::string& text, const std::string& name) {
    constexpr std::string_view kToken = "{AppName}";
    const std::string_view source = text;
    std::string out;
    size_t copied = 0;
    for (size_t at = source.find('{'); at != std::string_view::npos; at = source.find('{', at)) {
        if (!StartsWithText(source.substr(at), kToken)) {
            ++at;
            continue;
        }
        if (out.empty())
            out.reserve(std::min(text.size() + name.size(), kMaxFilledTextSize + 1));
        out.append(source.substr(copied, at - copied)).append(name);
        at = copied = at + kToken.size();
        if (out.size() > kMaxFilledTextSize)
            return false;
    }
    if (copied == 0)
        return true;  // no token: nothing to fill
    out.append(source.substr(copied));
    if (out.size() > kMaxFilledTextSize)
        return false;
    text = std::move(out);
    return true;
}

std::string NameOf(const std::string& line) {
    return LowerCaseAscii(std::string_view(line).substr(0, line.find('=')));
}

}  // namespace

const std::vector<std::string>& DefaultExcludeProps() {
    static const std::vector<std::string> props = {
        "TWebBrowser:",
        ":TComponentName",
        ".SkinDataName",
        "TskResourceStrData:",
        "TShockwaveFlash:",
        "TskSkinNotebook:",
        "TEmbeddedWB:",
        "TskCompressedStoredSkin:",
        "TskSkinMessage:",
        "TCLEngine:",
        "TskSkinData:",
        ".Text",
        "TIEDownload:",
        ":TComponentName",
        ".SkinDataName",
        ".EditSkinDataName",
        ".LabelSkinDataName",
        ".ButtonSkinDataName",
        ".BothSkinDataName",
        ".MessageLabelSkinDataName",
        ".Category",
        ".CompressedFileName",
        ".TrackBarSkinDataName",
        ".TabWidths",
        ".HeaderSkinDataName",
        ".LVHeaderSkinDataName",
    };
    return props;
}

TCLMultiLangData::TCLMultiLangData(TComponent* owner) : TComponent(owner) {
    for (const std::string& entry : DefaultExcludeProps())
        excludeProps_.Add(entry);
}

// The appliers keep a pointer to this data until they are told it is gone.
TCLMultiLangData::~TCLMultiLangData() {
    for (TCLMultiLang* applier : appliers_)
        applier->data_ = nullptr;
}

//--- Lookups -----------------------------------------------------------------

bool TCLMultiLangData::FindText(std::string_view section,
                                std::string_view prefix,
                                std::string_view key,
                                std::string& value) {
    if (!current_.ReadText(section, prefix, key, value) && !default_.ReadText(section, prefix, key, value))
        return false;
    const bool isAppName = prefix.empty() && SameText(section, "AppRes") && SameText(key, "AppName");
    if (!isAppName && !IsDesigning() && !FillAppName(value, appNameCache_)) {
        std::string where = std::string(section) + "/" + std::string(prefix) + (prefix.empty() ? "" : ".");
        DebugTrace().TraceWithTag("Text of " + where + std::string(key) + " longer than " +
                                      std::to_string(kMaxFilledTextSize) + " bytes with {AppName}; kept unfilled",
                                  "CLMultiLang");
    }
    return true;
}

void TCLMultiLangData::ReadText(const std::string& section,
                                const std::string& prefix,
                                const std::string& key,
                                std::string& result) {
    FindText(section, prefix, key, result);
}

void TCLMultiLangData::ReadSection(const std::string& section, TStrings& target) {
    TStrings fromCurrent;
    TStrings fromDefault;
    current_.ReadSection(section, fromCurrent);
    default_.ReadSection(section, fromDefault);
    std::unordered_set<std::string> names;
    for (const std::string& line : target.Lines())
        names.insert(NameOf(line));
    target.BeginUpdate();
    for (const TStrings* source : {&fromCurrent, &fromDefault}) {
        for (const std::string& line : source->Lines()) {
            if (names.insert(NameOf(line)).second)
                target.Add(line);
        }
    }
    target.EndUpdate();
}

std::string TCLMultiLangData::ReadAppName() {
    std::string name;
    FindText("AppRes", "", "AppName", name);
    appNameCache_ = name;
    return name;
}

std::string TCLMultiLangData::InfoText(std::string_view key) {
    std::string text;
    FindText("Info", "", key, text);
    return text;
}

//--- Changing the language -------------------------------------------------------

void TCLMultiLangData::LoadLanguageFile(const std::string& path) {
    appNameCache_.clear();
    current_.LoadFromFile(files_ ? files_ : SystemPlatform().files, path);
    ReadAppName();
    if (!IsDesigning())
        ApplyAll();
}

void TCLMultiLangData::ClearCurrentData() {
    current_.Clear();
}

//--- Appliers --------------------------------------------------------------------

void TCLMultiLangData::RegisterApplier(TCLMultiLang* applier) {
    if (applier && std::find(appliers_.begin(), appliers_.end(), applier) == appliers_.end())
        appliers_.push_back(applier);
}

void TCLMultiLangData::UnregisterApplier(TCLMultiLang* applier) {
    appliers_.erase(std::remove(appliers_.begin(), appliers_.end(), applier), appliers_.end());
}

// An applier may leave (or a new one join) while the others apply: each is
// looked up again before it applies.
void TCLMultiLangData::ApplyAll() {
    const std::vector<TCLMultiLang*> appliers = appliers_;
    for (TCLMultiLang* applier : appliers) {
        if (std::find(appliers_.begin(), appliers_.end(), applier) != appliers_.end())
            applier->Apply();
    }
}

//--- Properties ------------------------------------------------------------------

void TCLMultiLangData::SetExcludeProps(const TStrings* lines) {
    if (lines)
        excludeProps_.Assign(*lines);
}

void TCLMultiLangData::SetCurrentData(const TStrings* lines) {
    if (lines)
        current_.SetData(*lines);
}

void TCLMultiLangData::SetDefaultData(const TStrings* lines) {
    if (lines)
        default_.SetData(*lines);
}

void TCLMultiLangData::PublishProperties(PropertyList& out) {
    using D = TCLMultiLangData;
    TComponent::PublishProperties(out);
    out.String<D>(
        "CurrentLanguage", "String", [](D& d) { return d.CurrentLanguage(); }, nullptr);
    out.String<D>(
        "CurrentLanguageTranslator", "String", [](D& d) { return d.CurrentLanguageTranslator(); }, nullptr);
    out.String<D>(
        "CurrentVersion", "String", [](D& d) { return d.CurrentVersion(); }, nullptr);
    out.Boolean<D>(
        "ExcludeEmptyProp", [](D& d) { return d.ExcludeEmptyProp; }, [](D& d, bool v) { d.ExcludeEmptyProp = v; });
    out.Object<TStrings, D>(
        "ExcludeProps", "TStrings", [](D& d) { return d.ExcludeProps(); },
        [](D& d, TStrings* v) { d.SetExcludeProps(v); });
    out.Boolean<D>(
        "ExcludeNumberEndProps", [](D& d) { return d.ExcludeNumberEndProps; },
        [](D& d, bool v) { d.ExcludeNumberEndProps = v; });
    out.Boolean<D>(
        "AutoApply", [](D& d) { return d.AutoApply; }, [](D& d, bool v) { d.AutoApply = v; });
    out.Boolean<D>(
        "ExcludeWithAction", [](D& d) { return d.ExcludeWithAction; }, [](D& d, bool v) { d.ExcludeWithAction = v; });
    out.Object<TStrings, D>(
        "CurrentData", "TStrings", [](D& d) { return d.CurrentData(); },
        [](D& d, TStrings* v) { d.SetCurrentData(v); });
    out.Object<TStrings, D>(
        "DefaultData", "TStrings", [](D& d) { return d.DefaultData(); },
        [](D& d, TStrings* v) { d.SetDefaultData(v); });
}

void RegisterLocalisationClasses(ClassRegistry& registry) {
    registry.Register<TCLMultiLangData>();
    registry.Register<TCLMultiLang>();
}

}  // namespace tallow
