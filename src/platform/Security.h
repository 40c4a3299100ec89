// Access checks of the security system.
#pragma once

#include <string>

namespace tallow {

class ISecurity {
  public:
    virtual ~ISecurity() = default;
    /// Whether the current user may write to the existing `folder`: the
    /// folder's owner, group and access-control list (GetFileSecurityW) are
    /// checked against the thread's impersonation token for GENERIC_WRITE
    /// mapped to file rights (AccessCheck). Every failure gives false.
    virtual bool CanWriteFolder(const std::string& folder) = 0;
};

}  // namespace tallow
