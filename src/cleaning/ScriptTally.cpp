#include "cleaning/ScriptTally.h"

#include "cleaning/FolderCleaner.h"
#include "components/TextCase.h"

namespace tallow {
namespace {

constexpr const char* kRunMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr const char* kRecentDocs = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
const char* const kBrowserHistoryKeys[] = {
    "Software\\Microsoft\\Internet Explorer\\TypedURLs",
    "Software\\Microsoft\\Internet Explorer\\TypedURLsTime",
    "Software\\Microsoft\\Internet Explorer\\IntelliForms\\Storage1",
};
// The script leaves the history to the system's control panel, which Wine lacks.
constexpr const char* kWineKey = "Software\\Wine";

void CountValues(IRegistry& registry, const char* key, bool withSubkeys, TItemTally& tally) {
    CountRemoved(tally, 0, registry.CountValues(RegistryRoot::CurrentUser, key, withSubkeys));
}

// c3.bat: "del /f /q %APPDATA%\Microsoft\Windows\Recent\*.lnk".
void CountRecentShortcuts(TScriptServices& services, TItemTally& tally) {
    if (services.appData.empty())
        return;
    const std::string recent = WithTrailingBackslash(services.appData) + "Microsoft\\Windows\\Recent\\";
    for (const TFileEntry& entry : services.files.ListEntries(recent)) {
        if (!(entry.attributes & file_attr::kDirectory) && EndsWithText(entry.name, ".lnk"))
            CountRemoved(tally, entry.size);
    }
}

void CountUrlHistory(TScriptServices& services, TItemTally& tally) {
    if (services.registry.Read(RegistryRoot::CurrentUser, RegistryView::Own, kWineKey, "").keyFound ||
        !services.urlHistory)
        return;
    if (std::unique_ptr<IUrlHistoryStore> store = services.urlHistory())
        CountRemoved(tally, 0, store->CountEntries());
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool TallyScript(const std::string& fileName, TScriptServices& services, TItemTally& tally) {
    if (SameText(fileName, "c1.bat")) {
        CountValues(services.registry, kRunMru, false, tally);
    } else if (SameText(fileName, "c2.bat")) {
        for (const char* key : kBrowserHistoryKeys)
            CountValues(services.registry, key, false, tally);
        CountUrlHistory(services, tally);
    } else if (SameText(fileName, "c3.bat")) {
        CountRecentShortcuts(services, tally);
        CountValues(services.registry, kRecentDocs, true, tally);  // the whole key goes
    } else {
        return false;
    }
    return true;
}

bool TTallyingStarter::Start(const TProcessRequest& request) {
    TItemTally found;
    TallyScript(FileNameOf(request.application), services_, found);
    if (mode_ == TTallyMode::kClean && !inner_.Start(request))
        return false;
    CountRemoved(tally_, found.bytes, found.entries);
    return true;
}

}  // namespace tallow
