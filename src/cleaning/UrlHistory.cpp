#include "cleaning/UrlHistory.h"

namespace tallow {

void TUrlHistory::Loaded() {
    if (factory_)
        store_ = factory_();
}

void TUrlHistory::ClearHistoryStore() {
    if (store_)
        store_->ClearHistory();
}

}  // namespace tallow
