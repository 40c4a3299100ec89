#include <windows.h>

#include "platform/Http.h"
#include "platform/WinServices.h"

namespace tallow {

const TPlatform& DefaultPlatform() {
    static TRegistryShellFolders shellFolders(WinRegistry());
    static const TPlatform platform = [] {
        TPlatform p;
        p.registry = &WinRegistry();
        p.shellFolders = &shellFolders;
        p.files = &WinFiles();
        p.fileTree = &RealFileTree();
        p.systemFolders = &RealSystemFolders();
        p.clipboard = &RealClipboard();
        p.recycleBin = &RealRecycleBin();
        p.starter = &RealProgramStarter();
        p.urlCache = &RealUrlCache();
        p.credentials = &WinCredentialStore();
        p.urlHistory = CreateUrlHistoryStore;
        p.process = &WinProcessInfo();
        p.messages = &WinWindowMessages();
        p.kernel = &WinKernelObjects();
        p.security = &WinSecurity();
        p.keys = &WinKeyState();
        p.clock = &WinClock();
        p.locale = &WinLocale();
        p.systemInfo = &WinSystemInfo();
        p.application = &WinApplication();
        p.foreground = &WinForeground();
        p.shell = &WinShellStart();
        p.windows = &WinProcessWindows();
        p.console = &WinParentConsole();
        p.http = &WinInetHttp();
        p.signatures = &CngSignatureVerifier();
        p.sharedMemory = &WinSharedMemory();
        p.events = &WinEvents();
        return p;
    }();
    return platform;
}

}  // namespace tallow
