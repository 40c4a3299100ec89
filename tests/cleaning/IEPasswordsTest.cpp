// Internet Explorer's stored passwords item against fakes of the registry, the
// credential store and the URL cache.
#include <gtest/gtest.h>

#include "CleaningFakes.h"
#include "cleaning/CleaningActions.h"

namespace tallow {
namespace {

const std::string kIntelliForms = "Software\\Microsoft\\Internet Explorer\\IntelliForms";

// Both ways the item runs (its button and the clear-all run) remove the form
// passwords and WinInet's credentials, purge the URL cache as before, and leave
// every other program's credential and every other registry value.
TEST(IEPasswordsTest, FormPasswordsAndWinInetCredentialsGoAndNothingElse) {
    struct Credential {
        const wchar_t* target;
        std::uint32_t type;
        bool goes;
    };
    const Credential credentials[] = {
        {L"Microsoft_WinInet_www.example.com:443/Secure area", 1, true},
        {L"Microsoft_WinInet_intranet:80/", 2, true},
        {L"Microsoft_WinInet_locked:80/", 1, false},  // its deletion fails
        {L"microsoft_wininet_lower:80/", 1, false},   // not the prefix WinInet writes
        {L"Microsoft_Office16_Data:live:id=me", 1, false},
        {L"git:https://github.com", 1, false},
        {L"TERMSRV/server", 2, false},
        {L"WindowsLive:target=virtualapp/didlogical", 1, false},
        {L"Microsoft_WinInet", 1, false},  // the prefix without its underscore
    };
    for (int item : {1, 2}) {
        TCleaningFakes fakes;
        TCleaningKit kit(fakes.Platform(), fakes.settings);
        for (const Credential& c : credentials)
            fakes.credentials.credentials.push_back({c.target, c.type});
        fakes.credentials.undeletable = {L"Microsoft_WinInet_locked:80/"};
        const std::string storage2 = kIntelliForms + "\\Storage2";
        fakes.registry.Set(RegistryRoot::CurrentUser, kIntelliForms + "\\Storage1", "search", "words");
        fakes.registry.Set(RegistryRoot::CurrentUser, storage2 + "\\Sub", "kept", "1");
        fakes.registry.Set(RegistryRoot::LocalMachine, storage2, "machine", "1");
        const TFakeRegistry::Values others = fakes.registry.values;
        fakes.registry.Set(RegistryRoot::CurrentUser, storage2, "8A3F0C11DE", "bin");
        fakes.registry.Set(RegistryRoot::CurrentUser, storage2, "77B1", "bin");
        fakes.urlCache.entries = {{"Cookie:me@a/", cache_entry::kCookie}, {"http://s/", cache_entry::kSticky}};

        std::vector<std::string> shown;
        if (item == 1)
            kit.actions.ItemButtonClick(kItemIEPasswords, [&](const std::string& key) { shown.push_back(key); });
        else
            kit.actions.RunAction(kItemIEPasswords);

        for (const Credential& c : credentials)
            EXPECT_EQ(fakes.credentials.Holds(c.target), !c.goes) << item;
        EXPECT_EQ(fakes.registry.values, others) << "the form passwords go, every other value stays";
        EXPECT_TRUE(fakes.registry.Read(RegistryRoot::CurrentUser, RegistryView::Own, storage2, "").keyFound)
            << "the key itself stays";
        EXPECT_EQ(fakes.urlCache.deleted, std::vector<std::string>{"Cookie:me@a/"}) << "the URL cache purge stays";
        EXPECT_EQ(shown, (item == 1 ? std::vector<std::string>{"MSGBOX_Cleared"} : std::vector<std::string>{}));
    }
}

}  // namespace
}  // namespace tallow
