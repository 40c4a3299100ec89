// The user's credential store: the passwords that Windows keeps for programs
// (CredEnumerateW, CredDeleteW).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tallow {

/// One stored credential, as the store names it.
struct TCredential {
    std::wstring target;     // its target name
    std::uint32_t type = 0;  // the store's credential type (generic, domain password ...)
};

class ICredentialStore {
  public:
    virtual ~ICredentialStore() = default;
    /// Every credential of the current user; empty when there is none or the store
    /// cannot be read.
    virtual std::vector<TCredential> List() = 0;
    /// Deletes the credential of `credential`'s target and type; true when it went.
    virtual bool Delete(const TCredential& credential) = 0;
};

}  // namespace tallow
