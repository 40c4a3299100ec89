#include "components/Component.h"

#include <algorithm>

#include "components/TextCase.h"

namespace tallow {

TComponent::TComponent(TComponent* owner) {
    if (owner)
        owner->Insert(this);
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    // Tell everyone holding a reference to this component that it goes away.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->DropFreeNotification(this);
        other->Notification(this, TOperation::opRemove);
    }
    while (!components_.empty())
        delete components_.back();  // its destructor removes it from components_
    if (owner_)
        owner_->Remove(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        return nullptr;
    return components_[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_) {
        if (SameText(c->Name(), name))
            return c;
    }
    return nullptr;
}

int TComponent::ComponentIndex() const {
    if (!owner_)
        return -1;
    const auto& list = owner_->components_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::Loaded() {
    SetLoading(false);
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
        freeNotifies_.push_back(other);
        other->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other)
        return;
    DropFreeNotification(other);
    other->DropFreeNotification(this);
}

void TComponent::PublishProperties(PropertyList& out) {
    TPersistent::PublishProperties(out);
    out.String("Name", "TComponentName", &TComponent::Name, &TComponent::SetName);
    out.Integer("Tag", "Integer", &TComponent::Tag, &TComponent::SetTag);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    (void)component;
    (void)operation;
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component) {
    const auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end())
        return;
    components_.erase(it);
    component->owner_ = nullptr;
    if (!(state_ & csDestroying))
        Notification(component, TOperation::opRemove);
}

void TComponent::DropFreeNotification(TComponent* other) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
}

}  // namespace tallow
