#include <windows.h>

#include <wincred.h>

#include "platform/WinServices.h"

namespace tallow {
namespace {

class TWinCredentialStore : public ICredentialStore {
  public:
    std::vector<TCredential> List() override {
        DWORD count = 0;
        PCREDENTIALW* credentials = nullptr;
        std::vector<TCredential> result;
        if (!CredEnumerateW(nullptr, 0, &count, &credentials))
            return result;  // ERROR_NOT_FOUND: the store is empty
        for (DWORD i = 0; i < count; ++i) {
            if (credentials[i]->TargetName)
                result.push_back({credentials[i]->TargetName, credentials[i]->Type});
        }
        CredFree(credentials);
        return result;
    }

    bool Delete(const TCredential& credential) override {
        return CredDeleteW(credential.target.c_str(), credential.type, 0) != FALSE;
    }
};

}  // namespace

ICredentialStore& WinCredentialStore() {
    static TWinCredentialStore store;
    return store;
}

}  // namespace tallow
