#include "framework/cwm_WinVersion.h"

#include "platform/Platform.h"

namespace tallow {

namespace {

constexpr uint32_t kPlatformWin9x = 1;
constexpr uint32_t kPlatformNT = 2;
constexpr uint8_t kWorkstation = 1;

uint8_t ProductCodeOf(const TWindowsTypeEx& v) {
    const uint32_t major = v.MajorVersion, minor = v.MinorVersion;
    if (v.PlatformId == kPlatformWin9x && major == 4) {
        return minor < 10 ? kWin95 : minor < 90 ? kWin98 : kWinME;
    }
    if (v.PlatformId != kPlatformNT) {
        return kWinUnknown;
    }
    if (major == 4) {
        return kWinNT4;
    }
    if (major == 5) {
        return minor == 0 ? kWin2000 : minor == 1 ? kWinXP : kWinServer2003;
    }
    if (major == 6 && minor == 0) {
        if (v.ProductType != kWorkstation) {
            // Without the extended record the product type is 0: not a workstation.
            return v.ProductType == 0 ? kWinUnknown : kWinServer2008;
        }
        return v.Wow64 ? kWinVista64 : kWinVista;
    }
    return major >= 6 ? kWinLater : kWinUnknown;
}

}  // namespace

TWindowsTypeEx GetWindowsTypeEx(const ISystemInfo& system) {
    TWindowsTypeEx result;
    const WindowsVersionInfo info = system.Version();
    if (!info.known) {
        return result;
    }
    result.PlatformId = info.platformId;
    result.MajorVersion = info.major;
    result.MinorVersion = info.minor;
    result.BuildNumber = info.build;
    result.ServicePack = info.servicePack;
    result.ProductType = info.extended ? info.productType : 0;
    result.Wow64 = IsWow64(system);
    result.ProductCode = ProductCodeOf(result);
    return result;
}

bool IsWow64(const ISystemInfo& system) {
    return system.HasIsWow64Process() && system.IsWow64Process();
}

bool IsWow64() {
    const ISystemInfo* system = SystemPlatform().systemInfo;
    return system != nullptr && IsWow64(*system);
}

bool IsVista64(const ISystemInfo& system) {
    return GetWindowsTypeEx(system).ProductCode == kWinVista64;
}

bool IsVista64() {
    const ISystemInfo* system = SystemPlatform().systemInfo;
    return system != nullptr && IsVista64(*system);
}

}  // namespace tallow
