// TCollection: an owned, ordered list of items of one item class, each item with
// its own published properties (a PNG image store's `PngImages`, whose items have
// `Name`). Stored descriptions fill collections item by item; the language applier
// writes item texts under keys such as "pngStore.PngImages[0].Name".
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "components/Persistent.h"

namespace tallow {

class TCollection;

class TCollectionItem : public TPersistent {
    TALLOW_CLASS(TCollectionItem, TPersistent)

    TCollection* Collection() const { return collection_; }
    /// Position in the collection, or -1 when the item belongs to none.
    int Index() const;

  private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
    TALLOW_CLASS(TCollection, TPersistent)

    using ItemFactory = std::function<std::unique_ptr<TCollectionItem>()>;
    /// `makeItem` creates one new, empty item of the collection's item class.
    explicit TCollection(ItemFactory makeItem);
    ~TCollection() override;

    int Count() const { return static_cast<int>(items_.size()); }
    /// Item `index`, or nullptr outside 0..Count()-1.
    TCollectionItem* Items(int index) const;
    /// Appends a new item and returns it.
    TCollectionItem* Add();
    void Delete(int index);
    void Clear();
    int IndexOf(const TCollectionItem* item) const;

    /// Fires after an item was added or deleted or the collection was cleared.
    std::function<void(TCollection&)> OnChange;

  private:
    void Changed();

    ItemFactory makeItem_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
};

/// A collection whose items are of class `Item` (derived from TCollectionItem).
template <class Item>
class TItemCollection : public TCollection {
  public:
    TItemCollection() : TCollection([] { return std::make_unique<Item>(); }) {}
    Item* Items(int index) const { return static_cast<Item*>(TCollection::Items(index)); }
    Item* Add() { return static_cast<Item*>(TCollection::Add()); }
};

}  // namespace tallow
