// `DeleteIEPasswords`: what Internet Explorer keeps of the user's passwords.
#include "cleaning/uCC.h"

namespace tallow {
namespace {

// The passwords of web forms, one value per address (named by its hash).
constexpr const char* kIntelliFormsKey = "Software\\Microsoft\\Internet Explorer\\IntelliForms\\Storage2";
// The site passwords WinInet keeps in the credential store, one credential per
// server and realm; no other program's credential starts so.
constexpr std::wstring_view kWinInetPrefix = L"Microsoft_WinInet_";

bool IsWinInetCredential(const std::wstring& target) {
    return target.compare(0, kWinInetPrefix.size(), kWinInetPrefix) == 0;
}

}  // namespace

void TCleaners::DeleteIEPasswords() {
    PurgeUrlCache();
    p_.registry->DeleteAllValues(RegistryRoot::CurrentUser, kIntelliFormsKey);  // a value that cannot go stays
    for (const TCredential& credential : p_.credentials->List()) {
        if (IsWinInetCredential(credential.target))
            p_.credentials->Delete(credential);  // a credential that cannot go stays
    }
}

}  // namespace tallow
