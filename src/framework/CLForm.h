// TCLForm: placed on a secondary window, it hands the application's skin data
// and language data (from the process-wide engine) to the window's components
// that have none of their own once the window has loaded, and can fix a few
// window properties. So the About and update windows follow the main window's
// skin and language without a design-time link to it.
#pragma once

#include "components/ClassRegistry.h"
#include "components/Component.h"

namespace tallow {

class TCLForm : public TComponent {
    TALLOW_CLASS(TCLForm, TComponent)

    /// `owner` is the window it decorates.
    explicit TCLForm(TComponent* owner);

    void PublishProperties(PropertyList& out) override;

    bool RuntimeSetSkinData = false;
    bool RuntimeSetLanguageData = false;
    bool RunTimeSetFormProperties = false;

    /// Runs the three steps that are switched on, in property order (not at design time).
    void Loaded() override;

    /// Every "TskSkinData" object property of the owner's own components that is
    /// unset receives the engine's SkinData.
    void ApplySkinData();
    /// Every component of exactly class "TCLMultiLang" without language data
    /// receives the engine's language data through its "LanguageData" property.
    void ApplyLanguageData();
    /// A form owner: no scaling, no automatic scroll bars or sizing (where the
    /// form has such properties), centred on the main window.
    void ApplyFormProperties();
};

/// Registers TCLForm for stored window descriptions.
void RegisterFrameworkClasses(ClassRegistry& registry);

}  // namespace tallow
