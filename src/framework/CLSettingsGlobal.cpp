// The process-wide settings store and the shared folder helpers.
#include <memory>

#include "framework/CLSettings.h"

namespace tallow {

namespace {
std::unique_ptr<TCLSettings> g_settings;
bool g_deferSaves = false;
}  // namespace

TCLSettings& AppSettings() {
    if (!g_settings) {
        g_settings = std::make_unique<TCLSettings>(SystemPlatform(), nullptr, g_deferSaves);
        g_deferSaves = false;
    }
    return *g_settings;
}

void DeferAppSettingsSaves() {
    if (g_settings)
        g_settings->DeferSaves();
    else
        g_deferSaves = true;
}

void ReleaseAppSettings() {
    g_deferSaves = false;
    g_settings.reset();
}

std::string GetExeDir() {
    const TPlatform& platform = SystemPlatform();
    return ComputeExeDir(*platform.process, *platform.files);
}

std::string GetShellFolder(const std::string& name) {
    return SystemPlatform().shellFolders->Folder(name);
}

std::string GetCommonShellFolder(const std::string& name) {
    return SystemPlatform().shellFolders->CommonFolder(name);
}

}  // namespace tallow
