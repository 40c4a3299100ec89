#include "cleaning/CleaningActions.h"

namespace tallow {
namespace {

bool IsFirefoxItem(int item) {
    return item >= kItemFFHistory && item <= kItemFFPasswords;
}

}  // namespace

void TCleaningActions::ItemButtonClick(int item, const TShowMessageByKey& show) {
    if (IsFirefoxItem(item) && !firefox_.FirefoxGuard(show))
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
    switch (item) {
        case kItemIEHistory:
            return ClearIEHistory();
        case kItemFFHistory:
            return firefox_.DeleteFirefoxHistory();
        case kItemFFCookies:
            return firefox_.DeleteFirefoxCookies();
        default:
            return RunAction(item);
    }
}

void TCleaningActions::RunAction(int item) {
    switch (item) {
        case kItemIEHistory:
            return cleaners_.RunIEHistoryScript();
        case kItemIECache:
            return cleaners_.DeleteIECache();
        case kItemIECookies:
        case kItemIEPasswords:
            return cleaners_.PurgeUrlCache();
        case kItemFFHistory:
            return firefox_.DeleteProfileFile("places.sqlite");
        case kItemFFCache:
            return firefox_.DeleteFirefoxCache();
        case kItemFFCookies:
            return firefox_.DeleteProfileFile("cookies.sqlite");
        case kItemFFPasswords:
            return firefox_.DeleteFirefoxPasswords();
        case kItemClipboard:
            return cleaners_.ClearClipboard();
        case kItemRecycleBin:
            return cleaners_.EmptyRecycleBin();
        case kItemTempFolder:
            return cleaners_.EmptyTempFolder();
        case kItemRecentDocuments:
            return cleaners_.ClearRecentDocuments();
        case kItemRunHistory:
            return cleaners_.ClearRunHistory();
        default:
            return;
    }
}

}  // namespace tallow
