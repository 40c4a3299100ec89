#include <windows.h>

#include <vector>

#include "platform/AnsiText_win.h"
#include "platform/WinServices.h"

namespace tallow {

namespace {

const SECURITY_INFORMATION kWanted =
    OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

// The folder's security descriptor; empty on failure. The buffer is 4096 bytes
// larger than the system asks for.
std::vector<BYTE> ReadSecurity(const std::wstring& folder) {
    DWORD needed = 0;
    GetFileSecurityW(folder.c_str(), kWanted, nullptr, 0, &needed);
    if (needed == 0) {
        return {};
    }
    std::vector<BYTE> buffer(needed + 4096);
    if (!GetFileSecurityW(folder.c_str(), kWanted, buffer.data(), static_cast<DWORD>(buffer.size()), &needed)) {
        return {};
    }
    return buffer;
}

bool CheckWithToken(HANDLE token, PSECURITY_DESCRIPTOR descriptor) {
    GENERIC_MAPPING mapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
    DWORD access = GENERIC_WRITE;
    MapGenericMask(&access, &mapping);
    PRIVILEGE_SET privileges;
    DWORD privilegesSize = sizeof privileges;
    DWORD granted = 0;
    BOOL status = FALSE;
    if (!AccessCheck(descriptor, token, access, &mapping, &privileges, &privilegesSize, &granted, &status)) {
        return false;
    }
    return status != FALSE;
}

bool CheckAsSelf(PSECURITY_DESCRIPTOR descriptor) {
    if (!ImpersonateSelf(SecurityImpersonation)) {
        return false;
    }
    bool result = false;
    HANDLE token = nullptr;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &token)) {
        result = CheckWithToken(token, descriptor);
        CloseHandle(token);
    }
    RevertToSelf();
    return result;
}

class TWinSecurity : public ISecurity {
  public:
    bool CanWriteFolder(const std::string& folder) override {
        try {
            std::vector<BYTE> descriptor = ReadSecurity(AnsiToWide(folder));
            return !descriptor.empty() && CheckAsSelf(descriptor.data());
        } catch (...) {
            return false;
        }
    }
};

}  // namespace

ISecurity& WinSecurity() {
    static TWinSecurity security;
    return security;
}

}  // namespace tallow
