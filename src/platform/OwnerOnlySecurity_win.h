// Security attributes for the named objects the program's processes share among
// themselves (the debug trace's mapping, mutex and events): a descriptor whose
// access list admits only the current user and SYSTEM, so that no other account
// can open, read or fill them, whichever namespace they are made in.
#pragma once

#include <windows.h>

namespace tallow {

class TOwnerOnlySecurity {
  public:
    TOwnerOnlySecurity();
    ~TOwnerOnlySecurity();
    TOwnerOnlySecurity(const TOwnerOnlySecurity&) = delete;
    TOwnerOnlySecurity& operator=(const TOwnerOnlySecurity&) = delete;

    /// The attributes to make an object with; nullptr when the descriptor could
    /// not be built (the caller then makes no object rather than an open one).
    SECURITY_ATTRIBUTES* Attributes() { return descriptor_ ? &attributes_ : nullptr; }

  private:
    SECURITY_ATTRIBUTES attributes_ = {};
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

}  // namespace tallow
