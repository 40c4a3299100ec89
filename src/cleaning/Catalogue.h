// The cleaning catalogue: one row per item of the main window, read by the
// window's layout, the clear-all run and the item actions, so that an item is
// added or changed in this one table. Reachable without a window, by item
// number or by component name.
#pragma once

#include <string_view>

namespace tallow {

class TCleaningActions;

/// The catalogue's items, numbered as the window lists them.
enum TCleaningItem : int {
    kItemIEHistory = 1,
    kItemIECache,
    kItemIECookies,
    kItemIEPasswords,
    kItemFFHistory,
    kItemFFCache,
    kItemFFCookies,
    kItemFFPasswords,
    kItemClipboard,
    kItemRecycleBin,
    kItemTempFolder,
    kItemRecentDocuments,
    kItemRunHistory,
    kItemChromeHistory,
    kItemChromeCache,
    kItemChromeCookies,
    kItemChromePasswords,
};
constexpr int kItemCount = 17;

/// The pages of the catalogue, in the order of the window's page control.
enum TCataloguePage : int { kPageIE, kPageFF, kPageSys, kPageWH, kPageChrome };
constexpr int kCataloguePageCount = 5;

/// One cleaning action over the actions' cleaners; may throw.
using TItemAction = void (*)(TCleaningActions& actions);

struct TCatalogueItem {
    int number;
    TCataloguePage page;
    /// The top edge of the item's row on its page.
    int top;
    const char* checkName;
    const char* checkCaption;
    const char* buttonName;
    const char* buttonCaption;
    /// The action of the item's own button.
    TItemAction itemAction;
    /// The action of the clear-all run (shorter than the button's for some items).
    TItemAction runAction;
    /// The item's button first asks for Firefox to be closed.
    bool buttonNeedsFirefoxClosed;
    /// A clear-all run with this item ticked does not start while Firefox runs.
    bool runNeedsFirefoxClosed;
};

/// Row `item` (1 to kItemCount); nullptr outside that range.
const TCatalogueItem* CatalogueItem(int item);
/// The row whose check box or button is named `componentName` (letter case
/// ignored); nullptr for any other name.
const TCatalogueItem* FindCatalogueItem(std::string_view componentName);
/// The stable name of item `item` for the command line and reports
/// ("ie.history", "system.temp" ...); nullptr outside 1 to kItemCount.
const char* CatalogueItemName(int item);
/// The item named `name` exactly (lower case, as CatalogueItemName gives it);
/// 0 for any other name.
int FindItemByName(std::string_view name);
/// The component name of page `page` ("tstIE" ...).
const char* CataloguePageName(TCataloguePage page);

}  // namespace tallow
