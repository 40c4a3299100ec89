// Describing a window in code: each component made by one call whose arguments
// are one struct with defaults, so a window's controls read as rows of a table.
#pragma once

#include <optional>
#include <string>

#include "components/Component.h"
#include "toolkit/controls/Control.h"
#include "toolkit/controls/Geometry.h"

namespace tallow {

/// A component of `owner` named `name`. A designed window creates its
/// components loading and ends that with its Loaded; a window built on the fly
/// passes `loading` false.
template <class T>
T* CreateComponent(TComponent* owner, const std::string& name, bool loading = true) {
    T* component = new T(owner);
    component->SetName(name);
    if (loading)
        component->SetLoading(true);
    return component;
}

/// The arguments of one control; an absent value leaves the control's own.
struct TCreateControlArgs {
    std::string name{};
    TskControl* parent = nullptr;
    TRect bounds{};
    std::optional<std::string> caption{};
    std::optional<TFontSpec> font{};
    /// For controls that show an image of a list (buttons).
    std::optional<int> imageIndex{};
    std::optional<int> tabOrder{};
    bool loading = true;
};

/// A control of `owner` as `args` describe it. It joins its parent last, with
/// every other value already set.
template <class T>
T* CreateControl(TComponent* owner, const TCreateControlArgs& args) {
    T* control = CreateComponent<T>(owner, args.name, args.loading);
    control->SetBounds(args.bounds.Left, args.bounds.Top, args.bounds.Width(), args.bounds.Height());
    if (args.caption)
        control->SetCaption(*args.caption);
    if (args.font)
        control->SetFont(*args.font);
    if constexpr (requires(T * c) { c->SetImageIndex(0); }) {
        if (args.imageIndex)
            control->SetImageIndex(*args.imageIndex);
    }
    if (args.tabOrder)
        control->SetTabOrder(*args.tabOrder);
    control->SetParent(args.parent);
    return control;
}

}  // namespace tallow
