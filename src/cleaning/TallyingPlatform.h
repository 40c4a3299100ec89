// The platform bundle with each deleting service replaced by one that counts what
// a clean removes and, in preview, deletes nothing; and the places history likewise.
#pragma once

#include <string>

#include "cleaning/PlacesHistory.h"
#include "cleaning/ScriptTally.h"
#include "cleaning/Tallying.h"
#include "cleaning/TallyingFileTree.h"
#include "cleaning/TallyingServices.h"
#include "platform/Platform.h"

namespace tallow {

class TTallyingPlatform {
  public:
    /// Over `platform` and `places` (both must outlive this bundle), counting into
    /// `tally`; `appData` is the user's %APPDATA% folder, for the scripts' counts.
    TTallyingPlatform(const TPlatform& platform,
                      IPlacesHistory& places,
                      const std::string& appData,
                      TTallyMode mode,
                      TItemTally& tally);
    TTallyingPlatform(const TTallyingPlatform&) = delete;
    TTallyingPlatform& operator=(const TTallyingPlatform&) = delete;

    /// `platform` with the tallying services in place of the deleting ones.
    const TPlatform& Platform() const { return platform_; }
    IPlacesHistory& Places() { return places_; }

  private:
    TTallyingFileTree fileTree_;
    TTallyingRegistry registry_;
    TTallyingUrlCache urlCache_;
    TTallyingClipboard clipboard_;
    TTallyingRecycleBin recycleBin_;
    TTallyingCredentialStore credentials_;
    TTallyingStarter starter_;
    TTallyingPlacesHistory places_;
    TPlatform platform_;
};

}  // namespace tallow
