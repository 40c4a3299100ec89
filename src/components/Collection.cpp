#include "components/Collection.h"

namespace tallow {

int TCollectionItem::Index() const {
    return collection_ ? collection_->IndexOf(this) : -1;
}

TCollection::TCollection(ItemFactory makeItem) : makeItem_(std::move(makeItem)) {}

TCollection::~TCollection() = default;

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

TCollectionItem* TCollection::Add() {
    std::unique_ptr<TCollectionItem> item = makeItem_();
    item->collection_ = this;
    items_.push_back(std::move(item));
    Changed();
    return items_.back().get();
}

void TCollection::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    Changed();
}

void TCollection::Clear() {
    if (items_.empty())
        return;
    items_.clear();
    Changed();
}

int TCollection::IndexOf(const TCollectionItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].get() == item)
            return static_cast<int>(i);
    }
    return -1;
}

void TCollection::Changed() {
    if (OnChange)
        OnChange(*this);
}

}  // namespace tallow
