#include "cleaning/CleaningActions.h"

#include <algorithm>

namespace tallow {

void TCleaningActions::ItemButtonClick(int item, const TShowMessageWith& show) {
    const TCatalogueItem* row = CatalogueItem(item);
    auto showKey = [&show](const std::string& key) { show(key, {}); };
    if (row && row->buttonNeedsFirefoxClosed && !firefox_.FirefoxGuard(showKey))
        return;
    TakeSkippedPrograms();
    ItemAction(item);
    const std::vector<std::string> skipped = TakeSkippedPrograms();
    if (skipped.empty())
        show("MSGBOX_Cleared", {});
    else
        show("MSGBOX_CloseBrowsersAndClear", {JoinNames(skipped)});
}

void TCleaningActions::ItemButtonClick(int item, const TShowMessageByKey& show) {
    ItemButtonClick(item, [&show](const std::string& key, const std::vector<std::string>&) { show(key); });
}

std::vector<std::string> TCleaningActions::TakeSkippedPrograms() {
    std::vector<std::string> skipped;
    skipped.swap(skipped_);
    return skipped;
}

void TCleaningActions::CleanChromium(TChromiumItem item) {
    for (const std::string& name : chromium_.Clean(item)) {
        if (std::find(skipped_.begin(), skipped_.end(), name) == skipped_.end())
            skipped_.push_back(name);
    }
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
