// The bundle of platform services the program runs on: every Windows service,
// each behind its own small interface. Built in one place for Win32
// (DefaultPlatform_win.cpp); tests build one over fakes.
//
// `SystemPlatform()` is the process-wide bundle: in the Windows trees it holds
// the Win32 services unless a test installed another; in the native tree a
// test installs fakes with `SetSystemPlatform` before anything asks for it.
#pragma once

#include <functional>
#include <memory>

#include "platform/Application.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/CredentialStore.h"
#include "platform/Events.h"
#include "platform/FileTree.h"
#include "platform/Files.h"
#include "platform/Foreground.h"
#include "platform/KernelObjects.h"
#include "platform/KeyState.h"
#include "platform/Locale.h"
#include "platform/ParentConsole.h"
#include "platform/ProcessInfo.h"
#include "platform/ProcessWindows.h"
#include "platform/ProgramStarter.h"
#include "platform/RecycleBin.h"
#include "platform/Registry.h"
#include "platform/Security.h"
#include "platform/SharedMemory.h"
#include "platform/ShellFolders.h"
#include "platform/ShellStart.h"
#include "platform/Signatures.h"
#include "platform/SystemFolders.h"
#include "platform/SystemInfo.h"
#include "platform/UrlCache.h"
#include "platform/UrlHistoryStore.h"
#include "platform/WindowMessages.h"

namespace tallow {

class IHttp;

/// Services not owned by the bundle; every pointer is set in a usable bundle,
/// except the places kept for services no part of the program uses yet.
struct TPlatform {
    IRegistry* registry = nullptr;
    IShellFolders* shellFolders = nullptr;
    IFiles* files = nullptr;
    /// The cleaners' walk by folder handle and their single operations by path.
    IFileTree* fileTree = nullptr;
    /// Folders of the system (the temporary folder).
    ISystemFolders* systemFolders = nullptr;
    IClipboard* clipboard = nullptr;
    IRecycleBin* recycleBin = nullptr;
    /// Starts programs and scripts, optionally hidden and waited for.
    IProgramStarter* starter = nullptr;
    IUrlCache* urlCache = nullptr;
    /// The passwords Windows keeps for programs (Internet Explorer's among them).
    ICredentialStore* credentials = nullptr;
    /// A new URL history store on the calling thread, whose COM apartment is
    /// initialised; nullptr when it cannot be created.
    std::function<std::unique_ptr<IUrlHistoryStore>()> urlHistory;
    /// The command line (Parameters) and the program's own file.
    IProcessInfo* process = nullptr;
    /// Registered messages and messages to windows of other processes.
    IWindowMessages* messages = nullptr;
    IKernelObjects* kernel = nullptr;
    ISecurity* security = nullptr;
    IKeyState* keys = nullptr;
    IClock* clock = nullptr;
    ILocale* locale = nullptr;
    /// The version record, WOW64 and the system language.
    ISystemInfo* systemInfo = nullptr;
    IApplication* application = nullptr;
    IForeground* foreground = nullptr;
    /// Shell open and process start.
    IShellStart* shell = nullptr;
    /// Windows of this process.
    IProcessWindows* windows = nullptr;
    /// Checks of the vendor's signatures (update answers).
    ISignatureVerifier* signatures = nullptr;
    /// The output of a run without a window (redirected, or the parent's console).
    IParentConsole* console = nullptr;

    // Places for the services that the coming features bring; null until one
    // of them is in use, and nothing may call through them before then.
    /// Named shared memory between processes (the debug trace's queue).
    ISharedMemory* sharedMemory = nullptr;
    /// Named events and mutexes between processes.
    IEvents* events = nullptr;
    /// HTTP requests for the downloader.
    IHttp* http = nullptr;
};

/// The process-wide services. Throws std::logic_error when none are available
/// (native tree without an installed bundle).
const TPlatform& SystemPlatform();

/// Installs `platform` as the process-wide bundle; nullptr returns to the default.
void SetSystemPlatform(const TPlatform* platform);

/// The tree's own services: Win32 in the Windows trees, none (all null) natively.
const TPlatform& DefaultPlatform();

}  // namespace tallow
