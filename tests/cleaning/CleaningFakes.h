// The fakes of the cleaners' services under the names the cleaning tests use.
#pragma once

#include "cleaning/PlacesHistory.h"
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
    TFakeCredentialStore credentials;
    TFakeProcessWindows processWindows;
    TPlatform Platform(std::function<std::unique_ptr<IUrlHistoryStore>()> urlHistory = nullptr);
};

/// A places history clean that answers `outcome` and records what it was given;
/// a count answers the same and records nothing.
struct TFakePlacesHistory : IPlacesHistory {
    TPlacesResult answer{TPlacesOutcome::kCleaned, "", 0};
    std::vector<std::pair<std::string, std::string>> calls;  // places, favicons
    TPlacesResult ClearHistory(const std::string& places, const std::string& favicons) override {
        calls.push_back({places, favicons});
        return answer;
    }
    TPlacesResult CountHistory(const std::string&, const std::string&) override { return answer; }
};

}  // namespace tallow
