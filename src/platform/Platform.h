// The bundle of platform services the framework runs on.
//
// `SystemPlatform()` is the process-wide bundle: in the Windows trees it holds
// the Win32 services unless a test installed another; in the native tree a
// test installs fakes with `SetSystemPlatform` before anything asks for it.
#pragma once

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Foreground.h"
#include "platform/KernelObjects.h"
#include "platform/KeyState.h"
#include "platform/Locale.h"
#include "platform/ProcessInfo.h"
#include "platform/ProcessWindows.h"
#include "platform/Registry.h"
#include "platform/Security.h"
#include "platform/ShellFolders.h"
#include "platform/ShellStart.h"
#include "platform/WindowMessages.h"

namespace tallow {

/// Services not owned by the bundle; every pointer is set in a usable bundle.
struct TPlatform {
    IRegistry* registry = nullptr;
    IShellFolders* shellFolders = nullptr;
    IFiles* files = nullptr;
    IProcessInfo* process = nullptr;
    IWindowMessages* messages = nullptr;
    IKernelObjects* kernel = nullptr;
    ISecurity* security = nullptr;
    IKeyState* keys = nullptr;
    IClock* clock = nullptr;
    ILocale* locale = nullptr;
    IApplication* application = nullptr;
    IForeground* foreground = nullptr;
    IShellStart* shell = nullptr;
    IProcessWindows* windows = nullptr;
};

/// The process-wide services. Throws std::logic_error when none are available
/// (native tree without an installed bundle).
const TPlatform& SystemPlatform();

/// Installs `platform` as the process-wide bundle; nullptr returns to the default.
void SetSystemPlatform(const TPlatform* platform);

/// The tree's own services: Win32 in the Windows trees, none (all null) natively.
const TPlatform& DefaultPlatform();

}  // namespace tallow
