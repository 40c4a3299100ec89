// The Win32 implementations of the platform services (Windows trees only).
// Each is one process-wide object defined in its Foo_win.cpp; DefaultPlatform()
// bundles them, and the rest of the program reaches them through that bundle.
#pragma once

#include "platform/Platform.h"

namespace tallow {

IRegistry& WinRegistry();
IFiles& WinFiles();
IProcessInfo& WinProcessInfo();
IWindowMessages& WinWindowMessages();
IKernelObjects& WinKernelObjects();
ISecurity& WinSecurity();
IKeyState& WinKeyState();
IClock& WinClock();
ILocale& WinLocale();
ISystemInfo& WinSystemInfo();
IApplication& WinApplication();
IForeground& WinForeground();
IShellStart& WinShellStart();
IProcessWindows& WinProcessWindows();
IParentConsole& WinParentConsole();
ISharedMemory& WinSharedMemory();
IEvents& WinEvents();
IFileTree& RealFileTree();
ISystemFolders& RealSystemFolders();
IClipboard& RealClipboard();
IRecycleBin& RealRecycleBin();
IProgramStarter& RealProgramStarter();
IUrlCache& RealUrlCache();
ICredentialStore& WinCredentialStore();
IHttp& WinInetHttp();
/// ECDSA P-256 checks through the system's CNG functions (bcrypt.dll, Vista on).
ISignatureVerifier& CngSignatureVerifier();
/// CoCreateInstance(CLSID_CUrlHistory, IID_IUrlHistoryStg2) on the calling thread,
/// whose COM apartment is initialised; nullptr when the object cannot be created.
std::unique_ptr<IUrlHistoryStore> CreateUrlHistoryStore();

}  // namespace tallow
