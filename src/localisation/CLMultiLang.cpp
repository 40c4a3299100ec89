// TCLMultiLang: writing a language's texts into a window's published properties.
#include "localisation/CLMultiLang.h"

#include "components/Collection.h"
#include "components/TextCase.h"

namespace tallow {

namespace {

// Calls `text(key, prop)` for every string property and `lines(key, list)` for
// every string list the applier writes of `component`, in the applier's order,
// string properties of collection items under "Prop[i].ItemProp". Names are
// sorted without regard to letter case; the component's name is never a text.
template <class Text, class Lines>
void VisitTextProperties(TPersistent& component, Text&& text, Lines&& lines) {
    for (const PropInfo& prop : GetPropList(component, true)) {
        if (SameText(prop.typeName, "TStrings")) {
            if (auto* list = dynamic_cast<TStrings*>(prop.GetObject()))
                lines(prop.name, *list);
        } else if (prop.IsStringKind()) {
            if (!SameText(prop.typeName, "TComponentName"))
                text(prop.name, prop);
        } else if (prop.kind == PropKind::Object) {
            auto* collection = dynamic_cast<TCollection*>(prop.GetObject());
            for (int i = 0; collection && i < collection->Count(); ++i) {
                TCollectionItem* item = collection->Items(i);
                const std::string itemKey = prop.name + "[" + std::to_string(i) + "].";
                for (const PropInfo& itemProp : GetPropList(*item, true)) {
                    if (itemProp.IsStringKind())
                        text(itemKey + itemProp.name, itemProp);
                }
            }
        }
    }
}

bool IsLanguageComponent(const TComponent& component) {
    return component.InheritsFrom("TCLMultiLang") || component.InheritsFrom("TCLMultiLangData");
}

// The engine's string lists are configuration (the settings that override every
// settings file, and their defaults), not text: a language file, which users
// take from anyone, must not rewrite them. The language data's exclusion list
// names the engine ("TCLEngine:") for this; it holds whatever the window stored,
// so the engine is left out here whatever that list says.
bool IsConfigurationComponent(const TComponent& component) {
    return component.InheritsFrom("TCLEngine");
}

}  // namespace

TCLMultiLang::TCLMultiLang(TComponent* owner) : TComponent(owner) {}

TCLMultiLang::~TCLMultiLang() {
    if (data_)
        data_->UnregisterApplier(this);
}

std::string TCLMultiLang::Section() const {
    return Owner() ? std::string(Owner()->ClassName()) : std::string();
}

void TCLMultiLang::Apply() {
    if (!data_ || !Owner())
        return;
    TComponent& form = *Owner();
    TranslateComponent(form);
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* component = form.Components(i);
        if (!component->Name().empty() && !IsLanguageComponent(*component) && !IsConfigurationComponent(*component))
            TranslateComponent(*component);
    }
    if (!IsDesigning() && OnChangeLanguage)
        OnChangeLanguage(this);
}

void TCLMultiLang::TranslateComponent(TComponent& component) {
    if (!data_ || IsConfigurationComponent(component))
        return;
    const std::string section = Section();
    const std::string& prefix = component.Name();
    std::string text;
    VisitTextProperties(
        component,
        [&](const std::string& key, const PropInfo& prop) {
            if (data_->FindText(section, prefix, key, text))
                prop.SetString(text);
        },
        [&](const std::string& key, TStrings& list) {
            if (data_->FindText(section, prefix, key, text))
                list.SetText(text);
        });
}

void TCLMultiLang::SetLanguageData(TCLMultiLangData* data) {
    if (data_)
        data_->UnregisterApplier(this);
    data_ = data;
    if (data_)
        data_->RegisterApplier(this);
}

void TCLMultiLang::Loaded() {
    TComponent::Loaded();
    if (!data_)
        return;
    data_->RegisterApplier(this);
    if (!IsDesigning() && data_->AutoApply)
        Apply();
}

void TCLMultiLang::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Object<TCLMultiLangData, TCLMultiLang>("LanguageData", "TCLMultiLangData", &TCLMultiLang::LanguageData,
                                               &TCLMultiLang::SetLanguageData);
}

void ForEachTranslatableText(TComponent& component,
                             const std::function<void(const std::string& key, const std::string& text)>& visit) {
    VisitTextProperties(
        component, [&](const std::string& key, const PropInfo& prop) { visit(key, prop.GetString()); },
        [&](const std::string& key, TStrings& list) { visit(key, list.Text()); });
}

}  // namespace tallow
