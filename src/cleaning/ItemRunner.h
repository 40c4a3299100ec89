// Previews and cleans single catalogue items without a window: the clear-all run's
// action of the item over the tallying services, behind the run's guards.
#pragma once

#include <memory>

#include "cleaning/ItemTally.h"
#include "cleaning/PlacesHistory.h"
#include "cleaning/SettingsSnapshot.h"
#include "cleaning/Tallying.h"
#include "framework/SettingsStore.h"
#include "platform/Platform.h"

namespace tallow {

/// One runner serves one thread at a time; a worker thread builds its own. The
/// settings are copied when the runner is built (on the thread that owns them):
/// neither a preview nor a clean writes a setting.
class TItemRunner : public IItemRunner {
  public:
    /// Over `platform` (its services must outlive the runner) and a copy of what the
    /// cleaners read of `settings`; Firefox's history is cleaned through `places`
    /// (nullptr: through SQLite).
    TItemRunner(const TPlatform& platform, const ISettingsStore& settings, IPlacesHistory* places = nullptr)
        : platform_(platform), settings_(settings), places_(places) {}

    TItemTally Preview(int item) override;
    TItemTally Clean(int item) override;

  private:
    TItemTally Run(int item, TTallyMode mode);

    TPlatform platform_;
    TSettingsSnapshot settings_;
    IPlacesHistory* places_;
};

/// A runner over `platform` (its services must outlive the runner) and a copy of
/// what the cleaners read of `settings`.
std::unique_ptr<IItemRunner> MakeItemRunner(const TPlatform& platform, ISettingsStore& settings);

}  // namespace tallow
