#include <windows.h>

#include "platform/WinServices.h"

namespace tallow {

namespace {

class TWinSystemInfo : public ISystemInfo {
  public:
    WindowsVersionInfo Version() const override {
        WindowsVersionInfo info;
        OSVERSIONINFOEXA ex{};
        ex.dwOSVersionInfoSize = sizeof ex;
        // GetVersionEx is deprecated for feature tests, but the record is what is
        // asked for here: without a manifest entry for newer systems it reports
        // the compatibility version, exactly as the program sees itself.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
            info.known = true;
            info.extended = true;
            info.productType = ex.wProductType;
        } else {
            ex = OSVERSIONINFOEXA{};
            ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
            if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
                return info;
            }
            info.known = true;
        }
#pragma GCC diagnostic pop
        info.platformId = ex.dwPlatformId;
        info.major = ex.dwMajorVersion;
        info.minor = ex.dwMinorVersion;
        info.build = ex.dwBuildNumber;
        ex.szCSDVersion[sizeof ex.szCSDVersion - 1] = '\0';
        info.servicePack = ex.szCSDVersion;
        return info;
    }

    bool HasIsWow64Process() const override {
        return Function() != nullptr;
    }

    bool IsWow64Process() const override {
        IsWow64ProcessFn fn = Function();
        BOOL wow64 = FALSE;
        if (fn != nullptr) {
            fn(GetCurrentProcess(), &wow64);
        }
        return wow64 != FALSE;
    }

    uint16_t SystemDefaultLangId() const override {
        return GetSystemDefaultLangID();
    }

  private:
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

    static IsWow64ProcessFn Function() {
        HMODULE kernel = GetModuleHandleA("kernel32");
        if (kernel == nullptr) {
            return nullptr;
        }
        return reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    }
};

}  // namespace

ISystemInfo& WinSystemInfo() {
    static TWinSystemInfo info;
    return info;
}

}  // namespace tallow
