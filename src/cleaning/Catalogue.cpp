#include "cleaning/Catalogue.h"

#include "cleaning/CleaningActions.h"
#include "components/TextCase.h"

namespace tallow {
namespace {

void ClearIEHistory(TCleaningActions& a) {
    a.ClearIEHistory();
}
void RunIEHistoryScript(TCleaningActions& a) {
    a.Cleaners().RunIEHistoryScript();
}
void DeleteIECache(TCleaningActions& a) {
    a.Cleaners().DeleteIECache();
}
void PurgeUrlCache(TCleaningActions& a) {
    a.Cleaners().PurgeUrlCache();
}
void DeleteIEPasswords(TCleaningActions& a) {
    a.Cleaners().DeleteIEPasswords();
}
void DeleteFirefoxHistory(TCleaningActions& a) {
    a.Firefox().DeleteFirefoxHistory();
}
void ClearFirefoxPlaces(TCleaningActions& a) {
    a.Firefox().ClearPlacesHistory();
}
void DeleteFirefoxCache(TCleaningActions& a) {
    a.Firefox().DeleteFirefoxCache();
}
void DeleteFirefoxCookies(TCleaningActions& a) {
    a.Firefox().DeleteFirefoxCookies();
}
void DeleteFirefoxCookieFile(TCleaningActions& a) {
    a.Firefox().DeleteProfileFile("cookies.sqlite");
}
void DeleteFirefoxPasswords(TCleaningActions& a) {
    a.Firefox().DeleteFirefoxPasswords();
}
void ClearClipboard(TCleaningActions& a) {
    a.Cleaners().ClearClipboard();
}
void EmptyRecycleBin(TCleaningActions& a) {
    a.Cleaners().EmptyRecycleBin();
}
void EmptyTempFolder(TCleaningActions& a) {
    a.Cleaners().EmptyTempFolder();
}
void ClearRecentDocuments(TCleaningActions& a) {
    a.Cleaners().ClearRecentDocuments();
}
void ClearRunHistory(TCleaningActions& a) {
    a.Cleaners().ClearRunHistory();
}
void CleanChromeHistory(TCleaningActions& a) {
    a.CleanChromium(TChromiumItem::kHistory);
}
void CleanChromeCache(TCleaningActions& a) {
    a.CleanChromium(TChromiumItem::kCache);
}
void CleanChromeCookies(TCleaningActions& a) {
    a.CleanChromium(TChromiumItem::kCookies);
}
void CleanChromePasswords(TCleaningActions& a) {
    a.CleanChromium(TChromiumItem::kPasswords);
}

// In item order; the clear-all run takes the ticked items in this order.
const TCatalogueItem kCatalogue[kItemCount] = {
    {kItemIEHistory, kPageIE, 24, "rbClearIEBrowserH", "Clear Browser History", "btnIECBH", "Clear Now", ClearIEHistory,
     RunIEHistoryScript, false, false},
    {kItemIECache, kPageIE, 72, "rbIEDeleteTemp", "Delete Temporary Internet Files (Cache)", "btnIEDT", "Delete Now",
     DeleteIECache, DeleteIECache, false, false},
    {kItemIECookies, kPageIE, 104, "rbIEDeleteCookie", "Delete Cookies", "btnIEDC", "Delete Now", PurgeUrlCache,
     PurgeUrlCache, false, false},
    {kItemIEPasswords, kPageIE, 136, "rbIEDeletePswd", "Delete stored Passwords", "btnIEDP", "Delete Now",
     DeleteIEPasswords, DeleteIEPasswords, false, false},
    {kItemFFHistory, kPageFF, 24, "rbFFClearBrowseH", "Clear Browser History", "btnFFCBH", "Clear Now",
     DeleteFirefoxHistory, ClearFirefoxPlaces, true, true},
    {kItemFFCache, kPageFF, 72, "rbFFDeleteCache", "Delete Cache", "btnFFDC", "Delete Now", DeleteFirefoxCache,
     DeleteFirefoxCache, true, true},
    {kItemFFCookies, kPageFF, 104, "rbFFDeleteCookies", "Delete Cookies", "btnFFDCookie", "Delete Now",
     DeleteFirefoxCookies, DeleteFirefoxCookieFile, true, true},
    // Its button asks for Firefox closed; the clear-all run does not.
    {kItemFFPasswords, kPageFF, 136, "rbFFDeletePassword", "Delete stored Passwords", "btnFFDP", "Delete Now",
     DeleteFirefoxPasswords, DeleteFirefoxPasswords, true, false},
    {kItemClipboard, kPageSys, 24, "rbClearClipboard", "Clear Clipboard", "btnSysClearClipboard", "Clear Now",
     ClearClipboard, ClearClipboard, false, false},
    {kItemRecycleBin, kPageSys, 56, "rbEmptyRecycle", "Empty Recycle Bin", "btnSysER", "Clear Now", EmptyRecycleBin,
     EmptyRecycleBin, false, false},
    {kItemTempFolder, kPageSys, 88, "rbEmptyWindowsTemp", "Empty Windows Temporary Folder", "btnSysEWT", "Clear Now",
     EmptyTempFolder, EmptyTempFolder, false, false},
    {kItemRecentDocuments, kPageWH, 24, "rbWHClearRecent", "Clear Recent Documents List", "btnWHCRDL", "Clear Now",
     ClearRecentDocuments, ClearRecentDocuments, false, false},
    {kItemRunHistory, kPageWH, 56, "rbWHClearWindowRunHistory", "Clear Windows Run History", "btnWHCR", "Clear Now",
     ClearRunHistory, ClearRunHistory, false, false},
    // Browsers built on Chromium; one that is running is left alone and named.
    {kItemChromeHistory, kPageChrome, 24, "rbChromeClearBrowseH", "Clear Browser History", "btnChromeCBH", "Clear Now",
     CleanChromeHistory, CleanChromeHistory, false, false},
    {kItemChromeCache, kPageChrome, 56, "rbChromeDeleteCache", "Delete Cache", "btnChromeDC", "Delete Now",
     CleanChromeCache, CleanChromeCache, false, false},
    {kItemChromeCookies, kPageChrome, 88, "rbChromeDeleteCookies", "Delete Cookies", "btnChromeDCookie", "Delete Now",
     CleanChromeCookies, CleanChromeCookies, false, false},
    {kItemChromePasswords, kPageChrome, 120, "rbChromeDeletePassword", "Delete stored Passwords", "btnChromeDP",
     "Delete Now", CleanChromePasswords, CleanChromePasswords, false, false},
};

// The stable names, in item order.
const char* const kItemNames[kItemCount] = {
    "ie.history",          "ie.cache",           "ie.cookies",      "ie.passwords",
    "firefox.history",     "firefox.cache",      "firefox.cookies", "firefox.passwords",
    "system.clipboard",    "system.recycle-bin", "system.temp",     "windows.recent-documents",
    "windows.run-history", "chrome.history",     "chrome.cache",    "chrome.cookies",
    "chrome.passwords",
};

const char* const kPageNames[kCataloguePageCount] = {"tstIE", "tstFF", "tstSys", "tstWH", "tstChrome"};

}  // namespace

const TCatalogueItem* CatalogueItem(int item) {
    return item >= 1 && item <= kItemCount ? &kCatalogue[item - 1] : nullptr;
}

const TCatalogueItem* FindCatalogueItem(std::string_view componentName) {
    for (const TCatalogueItem& row : kCatalogue) {
        if (SameText(componentName, row.checkName) || SameText(componentName, row.buttonName))
            return &row;
    }
    return nullptr;
}

const char* CatalogueItemName(int item) {
    return item >= 1 && item <= kItemCount ? kItemNames[item - 1] : nullptr;
}

int FindItemByName(std::string_view name) {
    for (int item = 1; item <= kItemCount; ++item) {
        if (name == kItemNames[item - 1])
            return item;
    }
    return 0;
}

const char* CataloguePageName(TCataloguePage page) {
    return kPageNames[page];
}

}  // namespace tallow
