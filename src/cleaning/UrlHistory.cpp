#include "cleaning/UrlHistory.h"

namespace tallow {

IUrlHistoryStore* TUrlHistory::HistoryStore() {
    if (loaded_ && !asked_ && factory_) {
        asked_ = true;
        store_ = factory_();
    }
    return store_.get();
}

void TUrlHistory::ClearHistoryStore() {
    if (IUrlHistoryStore* store = HistoryStore())
        store->ClearHistory();
}

}  // namespace tallow
