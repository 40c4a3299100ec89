#include "cleaning/TallyingPlatform.h"

namespace tallow {

TTallyingPlatform::TTallyingPlatform(const TPlatform& platform, TTallyMode mode, TItemTally& tally)
    : fileTree_(*platform.fileTree, mode, tally), platform_(platform) {
    platform_.fileTree = &fileTree_;
}

}  // namespace tallow
