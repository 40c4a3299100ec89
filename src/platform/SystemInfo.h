// What the system says about itself: its version record, whether this process
// runs under WOW64, and the system's default language.
#pragma once

#include <cstdint>
#include <string>

namespace tallow {

/// The version record of the running Windows (GetVersionEx). `extended` tells
/// whether the extended record was available; without it the product type is 0.
struct WindowsVersionInfo {
    bool known = false;  // false when neither record could be read
    bool extended = false;
    uint32_t platformId = 0;  // 2: NT
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    std::string servicePack;  // "Service Pack 2", or empty
    uint8_t productType = 0;  // 1: workstation, 2: domain controller, 3: server
};

class ISystemInfo {
  public:
    virtual ~ISystemInfo() = default;
    virtual WindowsVersionInfo Version() const = 0;
    /// Whether "IsWow64Process" exists in kernel32 at run time.
    virtual bool HasIsWow64Process() const = 0;
    /// The output flag of IsWow64Process for this process; false when the
    /// function is missing.
    virtual bool IsWow64Process() const = 0;
    /// GetSystemDefaultLangID.
    virtual uint16_t SystemDefaultLangId() const = 0;
};

}  // namespace tallow
