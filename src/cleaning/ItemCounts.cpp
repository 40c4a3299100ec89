#include "cleaning/ItemCounts.h"

namespace tallow {

// Touched by the worker's tasks only, one at a time.
struct TItemCounts::TWorkerSide {
    std::unique_ptr<IItemRunner> runner;

    TItemTally Preview(int item) {
        if (!runner)
            return {0, 0, TItemStatus::kFailed};
        try {
            return runner->Preview(item);
        } catch (...) {
            return {0, 0, TItemStatus::kFailed};
        }
    }
};

TItemCounts::TItemCounts(TItemCountsServices services)
    : services_(std::move(services)), workerSide_(std::make_shared<TWorkerSide>()), ui_(std::make_shared<TUiSide>()) {
    if (services_.makeRunner)
        workerSide_->runner = services_.makeRunner();
}

TItemCounts::~TItemCounts() = default;

void TItemCounts::CountPage(TCataloguePage page) {
    const auto now = services_.clock();
    for (int item = 1; item <= kItemCount; ++item) {
        const TSlot& slot = Slot(item);
        const bool recent = slot.tally && now - slot.countedAt < kReuse;
        if (CatalogueItem(item)->page == page && !Counting(item) && !recent)
            Request(item);
    }
}

void TItemCounts::Recount(int item) {
    if (CatalogueItem(item))
        Request(item);
}

void TItemCounts::Store(int item, const TItemTally& tally) {
    if (!CatalogueItem(item))
        return;
    TSlot& slot = Slot(item);
    slot.answered = ++slot.requested;  // a count under way is older
    slot.tally = tally;
    slot.countedAt = services_.clock();
    if (OnChange)
        OnChange(item);
}

bool TItemCounts::Counting(int item) const {
    return CatalogueItem(item) && Slot(item).answered != Slot(item).requested;
}

std::optional<TItemTally> TItemCounts::Known(int item) const {
    return CatalogueItem(item) ? Slot(item).tally : std::nullopt;
}

std::optional<TItemTally> TItemCounts::Fresh(int item) const {
    if (!CatalogueItem(item) || services_.clock() - Slot(item).countedAt >= kReuse)
        return std::nullopt;
    return Slot(item).tally;
}

// The worker previews the item and posts the count back; an answer to an older
// request, or one that arrives after the counts are gone, is dropped.
void TItemCounts::Request(int item) {
    const unsigned request = ++Slot(item).requested;
    if (OnChange)
        OnChange(item);
    if (!services_.worker || !services_.postToUi)
        return;
    std::weak_ptr<TUiSide> ui = ui_;
    auto post = services_.postToUi;
    services_.worker->Post([this, item, request, ui, post, side = workerSide_] {
        const TItemTally tally = side->Preview(item);
        post([this, item, request, ui, tally] {
            if (ui.lock())
                Answer(item, request, tally);
        });
    });
}

void TItemCounts::Answer(int item, unsigned request, const TItemTally& tally) {
    TSlot& slot = Slot(item);
    if (request != slot.requested)
        return;
    slot.answered = request;
    slot.tally = tally;
    slot.countedAt = services_.clock();
    if (OnChange)
        OnChange(item);
}

}  // namespace tallow
