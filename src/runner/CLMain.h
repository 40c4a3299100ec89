// The application runner: the life of the process around the message loop,
// and the sending side of the conversation with a running instance.
#pragma once

#include <string>
#include <vector>

#include "platform/WindowHandle.h"
#include "runner/MainWindow.h"

namespace tallow {

/// Process-wide debug-mode flag; false until RunApplication decides it.
extern bool DebugMode;

/// True when `parameter` is '-' or '/' followed by `letter` (any case) and nothing else.
bool IsSwitch(const std::string& parameter, char letter);
/// True when any parameter is the switch `letter`.
bool HasSwitch(const std::vector<std::string>& parameters, char letter);

/// The first top-level window of class `className` that answers "CL GetAppID"
/// with this program's "App.ID"; 0 when there is none.
WindowHandle FindRunningInstance(const std::string& className);
/// Asks the running instance, if any, to end ("CL CloseApp").
void CloseRunningInstance(const std::string& className);
/// Brings the running instance to the front unless it answers "CL IfBusy" with 1.
void ActivateRunningInstance(const std::string& className);
/// Sends `text` to the running instance with WM_COPYDATA (exact bytes, no terminator).
void HandOverCommandLine(const std::string& className, const std::string& text);
/// Restores, shows and raises `window`; true when it is the foreground window afterwards.
bool ForceForegroundWindow(WindowHandle window);
/// False only when a mutex of that name already exists (one this user may not
/// open, of another user or an elevated start, does not count); otherwise
/// true, and the mutex stays open until the process ends.
bool AcquireInstanceMutex(const std::string& name);

}  // namespace tallow
