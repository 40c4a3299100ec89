#include "components/StoredForm.h"

#include "components/Collection.h"
#include "components/Strings.h"
#include "components/TextCase.h"

namespace tallow {

namespace {

std::string AssignCollection(TCollection& collection, const StoredProperty& value, TComponent& root) {
    collection.Clear();
    std::string errors;
    for (size_t i = 0; i < value.items.size(); ++i) {
        TCollectionItem* item = collection.Add();
        for (const StoredProperty& itemValue : value.items[i]) {
            const std::string error = AssignStoredValue(*item, itemValue, root);
            if (error.empty())
                continue;
            if (!errors.empty())
                errors += "; ";
            errors.append(value.name).append("[").append(std::to_string(i)).append("].").append(error);
        }
    }
    return errors;
}

TPersistent* ResolveReference(const std::string& name, TComponent& root, bool& found) {
    found = true;
    if (name.empty())
        return nullptr;
    if (SameText(name, root.Name()))
        return &root;
    TComponent* component = root.FindComponent(name);
    found = component != nullptr;
    return component;
}

std::string AssignObject(const PropInfo& prop, const StoredProperty& value, TComponent& root) {
    TPersistent* current = prop.GetObject();
    if (auto* collection = dynamic_cast<TCollection*>(current))
        return AssignCollection(*collection, value, root);
    if (auto* strings = dynamic_cast<TStrings*>(current)) {
        strings->SetText(value.value);
        return "";
    }
    bool found = false;
    TPersistent* target = ResolveReference(value.value, root, found);
    if (!found)
        return value.name + ": no component named \"" + value.value + "\"";
    if (!prop.SetObject(target))
        return value.name + ": cannot refer to \"" + value.value + "\"";
    return "";
}

}  // namespace

std::string AssignStoredValue(TPersistent& target, const StoredProperty& value, TComponent& root) {
    const std::string& path = value.name;
    const size_t dot = path.find('.');
    const PropInfo prop = FindProp(target, std::string_view(path).substr(0, dot));
    if (prop.name.empty())
        return path + ": no such property of " + std::string(target.ClassName());
    if (dot != std::string::npos) {
        TPersistent* inner = prop.GetObject();
        if (!inner)
            return path + ": " + prop.name + " holds no object";
        StoredProperty rest = value;
        rest.name = path.substr(dot + 1);
        const std::string error = AssignStoredValue(*inner, rest, root);
        return error.empty() ? error : prop.name + "." + error;
    }
    if (prop.kind == PropKind::Object)
        return AssignObject(prop, value, root);
    if (prop.IsReadOnly())
        return path + ": read-only";
    if (!prop.SetText(value.value))
        return path + ": bad value \"" + value.value + "\"";
    return "";
}

LoadResult LoadComponentTree(TComponent& root, const StoredForm& form, const ClassRegistry& registry) {
    LoadResult result;
    root.SetLoading(true);
    if (!form.name.empty())
        root.SetName(form.name);

    std::vector<std::pair<TComponent*, const StoredComponent*>> loaded;
    for (const StoredComponent& stored : form.components) {
        TComponent* component = stored.name.empty() ? nullptr : root.FindComponent(stored.name);
        if (component && !SameText(component->ClassName(), stored.className)) {
            result.errors.push_back(stored.name + ": already exists as " + std::string(component->ClassName()));
            continue;
        }
        if (!component) {
            component = registry.Create(stored.className, &root);
            if (!component) {
                result.errors.push_back(stored.name + ": unknown class " + stored.className);
                continue;
            }
            component->SetName(stored.name);
        }
        component->SetLoading(true);
        loaded.emplace_back(component, &stored);
    }

    for (const StoredProperty& value : form.properties) {
        const std::string error = AssignStoredValue(root, value, root);
        if (!error.empty())
            result.errors.push_back(root.Name() + "." + error);
    }
    for (const auto& [component, stored] : loaded) {
        if (!stored->parent.empty() && !FindProp(*component, "Parent").name.empty()) {
            const std::string error = AssignStoredValue(*component, StoredProperty("Parent", stored->parent), root);
            if (!error.empty())
                result.errors.push_back(stored->name + "." + error);
        }
        for (const StoredProperty& value : stored->properties) {
            const std::string error = AssignStoredValue(*component, value, root);
            if (!error.empty())
                result.errors.push_back(stored->name + "." + error);
        }
    }

    for (const auto& entry : loaded)
        entry.first->Loaded();
    root.Loaded();
    return result;
}

}  // namespace tallow
