#include "CleaningFakes.h"

namespace tallow {

TPlatform TCleaningFakes::Platform(std::function<std::unique_ptr<IUrlHistoryStore>()> urlHistory) {
    processWindows.own["TfrmMain"] = 0x1234;
    TPlatform p;
    p.registry = &registry;
    p.messages = &windows;
    p.fileTree = &files;
    p.systemFolders = &systemFolders;
    p.clipboard = &clipboard;
    p.recycleBin = &recycleBin;
    p.starter = &starter;
    p.urlCache = &urlCache;
    p.credentials = &credentials;
    p.urlHistory = urlHistory ? std::move(urlHistory) : [] { return std::unique_ptr<IUrlHistoryStore>(); };
    p.windows = &processWindows;
    return p;
}

}  // namespace tallow
