// TComponent: a named object owned by another component (its window, usually).
//
// The owner keeps its owned components in creation order and destroys them, last
// first, when it is destroyed. Components are created with `new T(owner)`; a
// component deleted directly leaves its owner's list. Run-time work starts in
// `Loaded`, sent after a stored description has assigned the stored values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "components/Persistent.h"

namespace tallow {

/// Bits of TComponent::ComponentState().
enum ComponentStateBits : unsigned {
    csLoading = 1u << 0,     // a stored description is being read into the component
    csDesigning = 1u << 1,   // the component is open in a designer (no run-time work)
    csDestroying = 1u << 2,  // the destructor runs
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    TALLOW_CLASS(TComponent, TPersistent)

    /// Registers the new component with `owner` (nullptr: none).
    explicit TComponent(TComponent* owner);
    /// Destroys the owned components (last first) and leaves the owner's list.
    ~TComponent() override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    /// Owned component `index` in creation order, or nullptr outside 0..ComponentCount()-1.
    TComponent* Components(int index) const;
    /// The directly owned component named `name` (any letter case), or nullptr.
    TComponent* FindComponent(std::string_view name) const;
    /// Position in the owner's list, or -1 without an owner.
    int ComponentIndex() const;

    unsigned ComponentState() const { return state_; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDesigning() const { return (state_ & csDesigning) != 0; }
    void SetLoading(bool on) { SetStateBit(csLoading, on); }
    void SetDesigning(bool on) { SetStateBit(csDesigning, on); }

    /// Sent once after a stored description was read into the component. The base
    /// clears csLoading; overrides call it first.
    virtual void Loaded();

    /// Asks `other` to tell this component (by Notification opRemove) when it is
    /// destroyed, so that references to it can be dropped. Works in both directions.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    void PublishProperties(PropertyList& out) override;

  protected:
    /// `component` was inserted into or removed from this owner's list, or a
    /// component this one asked for a free notification is being destroyed.
    virtual void Notification(TComponent* component, TOperation operation);

  private:
    void SetStateBit(unsigned bit, bool on) { state_ = on ? (state_ | bit) : (state_ & ~bit); }
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void DropFreeNotification(TComponent* other);

    std::string name_;
    int tag_ = 0;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    unsigned state_ = 0;
};

}  // namespace tallow
