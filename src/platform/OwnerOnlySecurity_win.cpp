#include "platform/OwnerOnlySecurity_win.h"

#include <sddl.h>

#include <string>
#include <vector>

namespace tallow {

namespace {

// The process user's security identifier as text ("S-1-5-21-..."); empty on failure.
std::string CurrentUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    DWORD needed = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    std::string result;
    char* text = nullptr;
    if (needed && GetTokenInformation(token, TokenUser, buffer.data(), needed, &needed) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        result = text;
        LocalFree(text);
    }
    CloseHandle(token);
    return result;
}

}  // namespace

TOwnerOnlySecurity::TOwnerOnlySecurity() {
    const std::string user = CurrentUserSid();
    if (user.empty()) {
        return;
    }
    // A protected access list (no inherited entries): all rights for the user and SYSTEM, none for anyone else.
    const std::string sddl = "D:P(A;;GA;;;" + user + ")(A;;GA;;;SY)";
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &descriptor_, nullptr)) {
        descriptor_ = nullptr;
        return;
    }
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = descriptor_;
    attributes_.bInheritHandle = FALSE;
}

TOwnerOnlySecurity::~TOwnerOnlySecurity() {
    if (descriptor_) {
        LocalFree(descriptor_);
    }
}

}  // namespace tallow
