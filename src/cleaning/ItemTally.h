// What cleaning an item removes, or would remove: entries, bytes and a status,
// and the service that previews or cleans single items without a window.
#pragma once

#include <cstdint>

namespace tallow {

enum class TItemStatus {
    kOk,            // counted, or cleaned, in full
    kInUse,         // a browser holds some of the item's files: what can go is counted
    kNotInstalled,  // the program the item belongs to is not on this computer
    kFailed,        // the item could not be counted or cleaned
};

/// The status as reports spell it: "ok", "in use", "not installed", "failed".
const char* ItemStatusText(TItemStatus status);

struct TItemTally {
    /// Files, cache entries, history rows, registry values ... (the item's unit).
    std::uint64_t entries = 0;
    /// Their size; 0 where an item has no size (registry values, the clipboard).
    std::uint64_t bytes = 0;
    TItemStatus status = TItemStatus::kOk;

    bool operator==(const TItemTally&) const = default;
};

/// Previews and cleans single items (numbered as the catalogue numbers them).
class IItemRunner {
  public:
    virtual ~IItemRunner() = default;
    /// What cleaning `item` would remove, found by the clean's own walk with
    /// deletion switched off; removes nothing.
    virtual TItemTally Preview(int item) = 0;
    /// Runs the clear-all run's action of `item` behind the same guards, never
    /// waiting for a browser: a browser in use is left alone (status kInUse). What
    /// was removed is counted. Never throws and never shows a message.
    virtual TItemTally Clean(int item) = 0;
};

}  // namespace tallow
