// Stored window descriptions: the components of a window and their stored values,
// as data. LoadComponentTree builds the components in order, assigns the values by
// property name through the published property tables, then sends `Loaded`.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "components/ClassRegistry.h"
#include "components/Component.h"

namespace tallow {

/// One stored value. `name` is a property name or a dotted path through object
/// properties ("Font.Size"). How `value` is read depends on the property:
///   string kinds            the text itself;
///   Integer, Boolean, other the value as text ("12", "True", "poMainFormCenter");
///   string list (TStrings)  all lines as one text, split at line breaks;
///   object reference        the name of a component of the window ("" = none;
///                           the window's own name = the window);
///   collection              `items`: one list of stored values per item (the
///                           collection is cleared first; `value` is ignored).
struct StoredProperty {
    StoredProperty() = default;
    StoredProperty(std::string propName, std::string text) : name(std::move(propName)), value(std::move(text)) {}
    StoredProperty(std::string propName, std::vector<std::vector<StoredProperty>> collectionItems)
        : name(std::move(propName)), items(std::move(collectionItems)) {}

    std::string name;
    std::string value;
    std::vector<std::vector<StoredProperty>> items;
};

struct StoredComponent {
    std::string className;
    std::string name;
    std::vector<StoredProperty> properties;
    /// The window or component it is placed on (nesting in a stored text). When
    /// set and the class publishes "Parent", that reference is assigned first.
    std::string parent = {};
};

/// A window: its own name and values, and its components in creation order.
struct StoredForm {
    std::string name;
    std::vector<StoredProperty> properties;
    std::vector<StoredComponent> components;
};

struct LoadResult {
    std::vector<std::string> errors;  // one line per value or component that could not be read
    bool ok() const { return errors.empty(); }
};

/// Reads `form` into `root`:
///   1. sets csLoading on the root; creates each stored component in order, owned by
///      the root, through `registry` (a component the root already owns under that
///      name is reused), and sets csLoading on it;
///   2. assigns the root's values, then each component's, in order (references are
///      resolved by name among all components of the window); a component's
///      Parent (from `parent`) comes before its other values;
///   3. sends Loaded to each stored component in creation order, then to the root.
/// A value or class that cannot be read is reported in the result and skipped; the
/// rest still loads.
LoadResult LoadComponentTree(TComponent& root,
                             const StoredForm& form,
                             const ClassRegistry& registry = GlobalClassRegistry());

/// Assigns one stored value to `target`; `root` resolves object references.
/// Returns "" on success, else a short reason.
std::string AssignStoredValue(TPersistent& target, const StoredProperty& value, TComponent& root);

}  // namespace tallow
