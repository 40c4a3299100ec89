// The platform bundle with each deleting service replaced by one that counts what
// a clean removes and, in preview, deletes nothing.
#pragma once

#include "cleaning/Tallying.h"
#include "cleaning/TallyingFileTree.h"
#include "platform/Platform.h"

namespace tallow {

/// Over `platform` (its services must outlive this bundle), counting into `tally`.
class TTallyingPlatform {
  public:
    TTallyingPlatform(const TPlatform& platform, TTallyMode mode, TItemTally& tally);
    TTallyingPlatform(const TTallyingPlatform&) = delete;
    TTallyingPlatform& operator=(const TTallyingPlatform&) = delete;

    /// `platform` with the tallying services in place of the deleting ones.
    const TPlatform& Platform() const { return platform_; }

  private:
    TTallyingFileTree fileTree_;
    TPlatform platform_;
};

}  // namespace tallow
