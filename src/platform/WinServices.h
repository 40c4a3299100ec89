// The Win32 implementations of the platform services (Windows trees only).
// Each is one process-wide object defined in its Foo_win.cpp.
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
IApplication& WinApplication();
IForeground& WinForeground();
IShellStart& WinShellStart();
IProcessWindows& WinProcessWindows();

}  // namespace tallow
