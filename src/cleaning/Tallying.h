// The two ways the tallying services run: counting what a clean would remove with
// deletion switched off, or cleaning and counting what went.
#pragma once

#include <cstdint>

#include "cleaning/ItemTally.h"

namespace tallow {

enum class TTallyMode {
    kPreview,  // nothing is deleted; what would go is counted
    kClean,    // deletions go through; what went is counted
};

/// Adds `entries` removed entries of `bytes` in all to `tally`.
inline void CountRemoved(TItemTally& tally, std::uint64_t bytes = 0, std::uint64_t entries = 1) {
    tally.entries += entries;
    tally.bytes += bytes;
}

/// Notes `status` in `tally` unless a graver one is there (failed over in use over ok).
inline void NoteStatus(TItemTally& tally, TItemStatus status) {
    auto rank = [](TItemStatus s) {
        return s == TItemStatus::kFailed ? 3 : s == TItemStatus::kNotInstalled ? 2 : s == TItemStatus::kInUse ? 1 : 0;
    };
    if (rank(status) > rank(tally.status))
        tally.status = status;
}

}  // namespace tallow
