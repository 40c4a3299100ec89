#include <windows.h>

#include <shlobj.h>

#include "platform/SystemFolders.h"

namespace tallow {
namespace {

class TWinSystemFolders : public ISystemFolders {
public:
    std::string TempPath() override {
        char buffer[256] = {};
        DWORD n = GetTempPathA(255, buffer);
        return n > 0 && n < 255 ? std::string(buffer, n) : std::string();
    }

    std::string WindowsFolder() override {
        char buffer[MAX_PATH] = {};
        UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
        return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
    }

    std::string ProfileFolder() override {
        char buffer[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, buffer)))
            return buffer;
        DWORD n = GetEnvironmentVariableA("USERPROFILE", buffer, MAX_PATH);
        return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
    }
};

}  // namespace

ISystemFolders& RealSystemFolders() {
    static TWinSystemFolders folders;
    return folders;
}

}  // namespace tallow
