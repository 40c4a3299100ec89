#include "cleaning/ItemRunner.h"

#include "cleaning/CleaningActions.h"
#include "cleaning/TallyingPlatform.h"

namespace tallow {
namespace {

// The cleaning objects of one preview or clean, over the tallying services.
struct TRunKit {
    TRunKit(const TPlatform& platform, ISettingsStore& settings, IPlacesHistory& places)
        : cleaners(platform, settings),
          firefox(platform, settings, cleaners.FolderCleaner(), places),
          chromium(platform, settings, cleaners.FolderCleaner()),
          cache(*platform.urlCache),
          history(platform.urlHistory),
          actions(cleaners, firefox, chromium, cache, history) {}

    TCleaners cleaners;
    TFirefox firefox;
    TChromium chromium;
    TIECache cache;
    TUrlHistory history;
    TCleaningActions actions;
};

bool IsFirefoxItem(int item) {
    return item >= kItemFFHistory && item <= kItemFFPasswords;
}

bool IsChromiumItem(int item) {
    return item >= kItemChromeHistory && item <= kItemChromePasswords;
}

// The guards of the clear-all run and of the browsers' presence; kOk when the
// item's action may run.
TItemStatus Guard(const TCatalogueItem& row, TRunKit& kit) {
    if (IsFirefoxItem(row.number)) {
        if (!kit.firefox.IsFirefoxInstalled())
            return TItemStatus::kNotInstalled;
        if (row.runNeedsFirefoxClosed && kit.firefox.IsFirefoxRunning())
            return TItemStatus::kInUse;
    }
    if (IsChromiumItem(row.number) && kit.chromium.BrowserNames().empty())
        return TItemStatus::kNotInstalled;
    return TItemStatus::kOk;
}

void RunGuarded(const TCatalogueItem& row, TRunKit& kit, TItemTally& tally) {
    const TItemStatus guard = Guard(row, kit);
    if (guard != TItemStatus::kOk) {
        NoteStatus(tally, guard);
        return;
    }
    kit.actions.TakeSkippedPrograms();
    row.runAction(kit.actions);
    if (!kit.actions.TakeSkippedPrograms().empty())
        NoteStatus(tally, TItemStatus::kInUse);
}

}  // namespace

TItemTally TItemRunner::Preview(int item) {
    return Run(item, TTallyMode::kPreview);
}

TItemTally TItemRunner::Clean(int item) {
    return Run(item, TTallyMode::kClean);
}

TItemTally TItemRunner::Run(int item, TTallyMode mode) {
    TItemTally tally;
    const TCatalogueItem* row = CatalogueItem(item);
    if (!row) {
        tally.status = TItemStatus::kFailed;
        return tally;
    }
    try {
        TSqlitePlacesHistory sqlitePlaces;
        TTallyingPlatform tallying(platform_, places_ ? *places_ : sqlitePlaces, settings_.ShellFolder("AppData"), mode,
                                   tally);
        TRunKit kit(tallying.Platform(), settings_, tallying.Places());
        RunGuarded(*row, kit, tally);
    } catch (...) {
        // The clipboard held by another program, or any other failure of an action.
        NoteStatus(tally, TItemStatus::kFailed);
    }
    return tally;
}

std::unique_ptr<IItemRunner> MakeItemRunner(const TPlatform& platform, ISettingsStore& settings) {
    return std::make_unique<TItemRunner>(platform, settings);
}

}  // namespace tallow
