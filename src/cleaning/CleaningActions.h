// The actions behind the thirteen items of the main window: the per-item buttons
// and the clear-all run's actions, over the cleaners and the window's URL cache
// and history components.
#pragma once

#include <memory>

#include "cleaning/Catalogue.h"
#include "cleaning/Chromium.h"
#include "cleaning/ClearAllRun.h"
#include "cleaning/Firefox.h"
#include "cleaning/IECache.h"
#include "cleaning/UrlHistory.h"
#include "cleaning/uCC.h"

namespace tallow {

/// Shows the message of a language key with "{1}", "{2}" ... replaced by `args`.
using TShowMessageWith = std::function<void(const std::string& key, const std::vector<std::string>& args)>;

class TCleaningActions : public IClearAllActions {
  public:
    TCleaningActions(TCleaners& cleaners, TFirefox& firefox, TChromium& chromium, TIECache& cache, TUrlHistory& history)
        : cleaners_(cleaners), firefox_(firefox), chromium_(chromium), ich1_(cache), urlHistory1_(history) {}

    /// The per-item button of `item` (1 to kItemCount): for the items that need
    /// Firefox closed the guard first, then the item's action, then "MSGBOX_Cleared",
    /// or "MSGBOX_CloseBrowsersAndClear" naming the browsers it left alone because
    /// they were in use. An exception from the action reaches the caller, and the
    /// message is then not shown.
    void ItemButtonClick(int item, const TShowMessageWith& show);
    /// The same for a caller whose messages take no arguments.
    void ItemButtonClick(int item, const TShowMessageByKey& show);
    /// The per-item action of `item`: its catalogue row's `itemAction`.
    void ItemAction(int item);
    /// The clear-all run's action of `item`: its row's `runAction` (shorter for
    /// items 1, 5 and 7).
    void RunAction(int item) override;
    bool IsFirefoxRunning() override { return firefox_.IsFirefoxRunning(); }
    std::vector<std::string> TakeSkippedPrograms() override;

    /// Item 1: the history script, the history store and every URL cache entry.
    void ClearIEHistory();
    /// The cleaners the catalogue's actions run.
    TCleaners& Cleaners() { return cleaners_; }
    TFirefox& Firefox() { return firefox_; }
    /// Cleans `item` in the Chromium browsers not in use and notes the others.
    void CleanChromium(TChromiumItem item);

  private:
    TCleaners& cleaners_;
    TFirefox& firefox_;
    TChromium& chromium_;
    std::vector<std::string> skipped_;
    TIECache& ich1_;
    TUrlHistory& urlHistory1_;
};

/// Everything the main window needs for cleaning, built over the platform bundle
/// (its URL history store included) and the settings store.
/// The window calls `UrlHistory1.Loaded()` once it has been loaded.
class TCleaningKit {
  public:
    TCleaningKit(const TPlatform& platform, ISettingsStore& settings)
        : cleaners(platform, settings),
          firefox(platform, settings, cleaners.FolderCleaner(), places),
          chromium(platform, settings, cleaners.FolderCleaner()),
          ich1(*platform.urlCache),
          UrlHistory1(platform.urlHistory),
          actions(cleaners, firefox, chromium, ich1, UrlHistory1) {}

    TCleaners cleaners;
    TSqlitePlacesHistory places;
    TFirefox firefox;
    TChromium chromium;
    TIECache ich1;
    TUrlHistory UrlHistory1;
    TCleaningActions actions;
};

}  // namespace tallow
