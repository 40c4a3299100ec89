// Popup menu with plain and checkable entries (caption, tick and click handler). The skin frame
// shows the form's popup menu in place of the system menu.
#pragma once

#include <vector>

#include "components/Component.h"
#include "toolkit/controls/Control.h"

namespace tallow {

class TMenuItem : public TComponent {
    TALLOW_CLASS(TMenuItem, TComponent)

    explicit TMenuItem(TComponent* owner);
    void PublishProperties(PropertyList& out) override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    /// The entry shows a tick.
    bool Checked() const { return checked_; }
    void SetChecked(bool on) { checked_ = on; }

    TComponentEvent OnClick;
    void Click();

  private:
    std::string caption_;
    bool enabled_ = true;
    bool checked_ = false;
};

class TPopupMenu : public TComponent {
    TALLOW_CLASS(TPopupMenu, TComponent)

    explicit TPopupMenu(TComponent* owner);

    // Entries in display order; the menu does not own them (their owner does).
    void Add(TMenuItem* item);
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const;
    /// Fired just before the menu shows, so that its owner brings the entries up to date.
    TComponentEvent OnPopup;
    void Popup();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    std::vector<TMenuItem*> items_;
};

}  // namespace tallow
