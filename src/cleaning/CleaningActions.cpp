#include "cleaning/CleaningActions.h"

namespace tallow {

void TCleaningActions::ItemButtonClick(int item, const TShowMessageByKey& show) {
    const TCatalogueItem* row = CatalogueItem(item);
    if (row && row->buttonNeedsFirefoxClosed && !firefox_.FirefoxGuard(show))
        return;
    ItemAction(item);
    show("MSGBOX_Cleared");
}

void TCleaningActions::ClearIEHistory() {
    cleaners_.RunIEHistoryScript();
    urlHistory1_.ClearHistoryStore();
    ich1_.SetSearchPattern(TSearchPattern::spUrl);
    ich1_.RemoveMatchingEntries();
}

void TCleaningActions::ItemAction(int item) {
    if (const TCatalogueItem* row = CatalogueItem(item))
        row->itemAction(*this);
}

void TCleaningActions::RunAction(int item) {
    if (const TCatalogueItem* row = CatalogueItem(item))
        row->runAction(*this);
}

}  // namespace tallow
