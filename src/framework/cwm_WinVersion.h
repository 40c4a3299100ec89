// The Windows version test: which Windows the program runs on, reduced to a
// product code, and the one question the skin selection asks of it: is this
// 64-bit Windows Vista (where the skin's glow frames are switched off)?
#pragma once

#include <cstdint>
#include <string>

#include "platform/SystemInfo.h"

namespace tallow {

/// Product codes of TWindowsTypeEx.
enum : uint8_t {
    kWinUnknown = 0,  // no rule matched (or no version record)
    kWin95 = 1,
    kWin98 = 2,
    kWinME = 3,
    kWinNT4 = 4,
    kWin2000 = 5,
    kWinXP = 6,
    kWinServer2003 = 7,  // 5.2: Server 2003 and XP x64
    kWinVista = 13,      // 6.0 workstation, 32-bit or a 64-bit process
    kWinVista64 = 14,    // 6.0 workstation, this 32-bit process under WOW64
    kWinServer2008 = 15, // 6.0 server or domain controller
    kWinLater = 16,      // 6.1 and newer
};

/// The version record. Every field starts empty, so a system no rule matches
/// has product code 0.
struct TWindowsTypeEx {
    uint8_t ProductCode = kWinUnknown;
    uint32_t PlatformId = 0;  // 1: Windows 9x, 2: NT
    uint32_t MajorVersion = 0;
    uint32_t MinorVersion = 0;
    uint32_t BuildNumber = 0;
    std::string ServicePack;
    uint8_t ProductType = 0;  // 0 without the extended record
    bool Wow64 = false;
};

/// Fills the record from the system (asked again on every call).
TWindowsTypeEx GetWindowsTypeEx(const ISystemInfo& system);

/// Whether this process runs under WOW64; false when the system lacks
/// IsWow64Process.
bool IsWow64(const ISystemInfo& system);
bool IsWow64();

/// Whether the product code is 64-bit Vista.
bool IsVista64(const ISystemInfo& system);
/// Through the process-wide platform bundle; false when it has no system information.
bool IsVista64();

}  // namespace tallow
