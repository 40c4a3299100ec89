#include "toolkit/controls/Menu.h"

#include <algorithm>

namespace tallow {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

void TMenuItem::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.String<TMenuItem>("Caption", "TCaption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    out.Boolean<TMenuItem>("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
    out.Boolean<TMenuItem>("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
}

void TMenuItem::Click() {
    if (enabled_ && OnClick)
        OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

void TPopupMenu::Add(TMenuItem* item) {
    if (item == nullptr)
        return;
    items_.push_back(item);
    FreeNotification(item);
}

TMenuItem* TPopupMenu::Items(int index) const {
    return index >= 0 && index < Count() ? items_[size_t(index)] : nullptr;
}

void TPopupMenu::Popup() {
    if (OnPopup)
        OnPopup(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove)
        items_.erase(std::remove(items_.begin(), items_.end(), component), items_.end());
}

}  // namespace tallow
