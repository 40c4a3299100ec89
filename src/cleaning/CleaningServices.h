// The services the cleaners run on, passed in as one bundle so that tests can
// hand in fakes. `RealCleaningServices()` (Windows trees) holds the system's.
#pragma once

#include <functional>
#include <string>

#include "platform/Clipboard.h"
#include "platform/FileTree.h"
#include "platform/ProgramStarter.h"
#include "platform/RecycleBin.h"
#include "platform/Registry.h"
#include "platform/SystemFolders.h"
#include "platform/UrlCache.h"
#include "platform/WindowHandle.h"
#include "platform/WindowMessages.h"

namespace tallow {

/// What the cleaners need of the settings store and the program's folders.
class ICleanerSettings {
public:
    virtual ~ICleanerSettings() = default;
    virtual std::string ReadString(const std::string& name) = 0;
    virtual void WriteString(const std::string& name, const std::string& value) = 0;
    /// The program folder, long form, with a trailing backslash.
    virtual std::string ExeDir() = 0;
    /// A shell folder ("Cache", "AppData", "Local AppData"); empty when unknown.
    virtual std::string ShellFolder(const std::string& valueName) = 0;
};

/// Services not owned by the bundle; every pointer is set in a usable bundle.
struct TCleaningServices {
    ICleanerSettings* settings = nullptr;
    IRegistry* registry = nullptr;
    IWindowMessages* windows = nullptr;
    IFileTree* files = nullptr;
    ISystemFolders* systemFolders = nullptr;
    IClipboard* clipboard = nullptr;
    IRecycleBin* recycleBin = nullptr;
    IProgramStarter* starter = nullptr;
    IUrlCache* urlCache = nullptr;
    /// The application's window at the moment of the call: clipboard owner and parent
    /// of the recycle bin's windows. None: no window (0).
    std::function<WindowHandle()> applicationWindow;
};

/// The system's services (Windows trees only): the platform bundle, the settings
/// store and the cleaners' own Win32 services.
TCleaningServices& RealCleaningServices();

}  // namespace tallow
