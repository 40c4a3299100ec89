#include "cleaning/TallyingPlatform.h"

namespace tallow {

TTallyingPlatform::TTallyingPlatform(const TPlatform& platform,
                                     IPlacesHistory& places,
                                     const std::string& appData,
                                     TTallyMode mode,
                                     TItemTally& tally)
    : fileTree_(*platform.fileTree, mode, tally),
      registry_(*platform.registry, mode, tally),
      urlCache_(*platform.urlCache, mode, tally),
      clipboard_(*platform.clipboard, mode, tally),
      recycleBin_(*platform.recycleBin, mode, tally),
      credentials_(*platform.credentials, mode, tally),
      starter_(*platform.starter,
               TScriptServices{*platform.registry, *platform.fileTree, appData, platform.urlHistory},
               mode,
               tally),
      places_(places, mode, tally),
      platform_(platform) {
    platform_.fileTree = &fileTree_;
    platform_.registry = &registry_;
    platform_.urlCache = &urlCache_;
    platform_.clipboard = &clipboard_;
    platform_.recycleBin = &recycleBin_;
    platform_.credentials = &credentials_;
    platform_.starter = &starter_;
    platform_.urlHistory = [inner = platform.urlHistory, mode, &tally]() -> std::unique_ptr<IUrlHistoryStore> {
        std::unique_ptr<IUrlHistoryStore> store = inner ? inner() : nullptr;
        if (!store)
            return nullptr;
        return std::make_unique<TTallyingUrlHistoryStore>(std::move(store), mode, tally);
    };
}

}  // namespace tallow
