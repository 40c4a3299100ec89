#include "framework/CLForm.h"

#include "components/TextCase.h"
#include "framework/CLEngine.h"
#include "toolkit/controls/Form.h"

namespace tallow {

TCLForm::TCLForm(TComponent* owner) : TComponent(owner) {}

void TCLForm::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Boolean<TCLForm>(
        "RuntimeSetSkinData", [](TCLForm& f) { return f.RuntimeSetSkinData; },
        [](TCLForm& f, bool v) { f.RuntimeSetSkinData = v; });
    out.Boolean<TCLForm>(
        "RuntimeSetLanguageData", [](TCLForm& f) { return f.RuntimeSetLanguageData; },
        [](TCLForm& f, bool v) { f.RuntimeSetLanguageData = v; });
    out.Boolean<TCLForm>(
        "RunTimeSetFormProperties", [](TCLForm& f) { return f.RunTimeSetFormProperties; },
        [](TCLForm& f, bool v) { f.RunTimeSetFormProperties = v; });
}

void TCLForm::Loaded() {
    TComponent::Loaded();
    if (IsDesigning()) {
        return;
    }
    if (RuntimeSetSkinData) {
        ApplySkinData();
    }
    if (RuntimeSetLanguageData) {
        ApplyLanguageData();
    }
    if (RunTimeSetFormProperties) {
        ApplyFormProperties();
    }
}

void TCLForm::ApplySkinData() {
    TCLEngine* engine = AppEngine();
    if (!engine || !engine->SkinData || !Owner()) {
        return;
    }
    TComponent& window = *Owner();
    for (int i = 0; i < window.ComponentCount(); ++i) {
        for (const PropInfo& prop : GetPropList(*window.Components(i), false)) {
            if (prop.kind == PropKind::Object && SameText(prop.typeName, "TskSkinData") &&
                prop.GetObject() == nullptr) {
                prop.SetObject(engine->SkinData);
            }
        }
    }
}

void TCLForm::ApplyLanguageData() {
    TCLEngine* engine = AppEngine();
    if (!engine || !engine->LanguageData || !Owner()) {
        return;
    }
    // The language data component is a component as well as ILanguageData.
    auto* data = dynamic_cast<TPersistent*>(engine->LanguageData);
    if (!data) {
        return;
    }
    TComponent& window = *Owner();
    for (int i = 0; i < window.ComponentCount(); ++i) {
        TComponent* component = window.Components(i);
        if (component->ClassName() != "TCLMultiLang") {
            continue;  // classes derived from it have their own ideas
        }
        const PropInfo prop = FindProp(*component, "LanguageData");
        if (prop.kind == PropKind::Object && prop.GetObject() == nullptr) {
            prop.SetObject(data);
        }
    }
}

void TCLForm::ApplyFormProperties() {
    auto* form = dynamic_cast<TskForm*>(Owner());
    if (!form) {
        return;
    }
    for (const char* name : {"Scaled", "AutoScroll", "AutoSize"}) {
        const PropInfo prop = FindProp(*form, name);
        if (prop.kind == PropKind::Boolean) {
            prop.SetText("False");
        }
    }
    form->SetPosition(TPosition::MainFormCenter);
}

void RegisterFrameworkClasses(ClassRegistry& registry) {
    registry.Register<TCLForm>();
}

}  // namespace tallow
