// The fakes of the cleaners' services under the names the cleaning tests use.
#pragma once

#include "fakes/FakePlatform.h"
#include "fakes/FakeSettings.h"

namespace tallow {

/// One fake of each service the cleaners use, and the platform bundle over them
/// with `urlHistory` as its URL history store (none: no store can be created).
/// The application's main window is 0x1234.
struct TCleaningFakes {
    TFakeSettings settings;
    TFakeRegistry registry;
    TFakeWindowMessages windows;
    TFakeFileTree files;
    TFakeSystemFolders systemFolders;
    TFakeClipboard clipboard;
    TFakeRecycleBin recycleBin;
    TFakeProgramStarter starter;
    TFakeUrlCache urlCache;
    TFakeProcessWindows processWindows;
    TPlatform Platform(std::function<std::unique_ptr<IUrlHistoryStore>()> urlHistory = nullptr);
};

}  // namespace tallow
