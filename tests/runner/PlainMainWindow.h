// A plain main window registered as "TfrmMain" that answers the instance
// messages as the engine does. The runner probe runs it, so that the runner is
// exercised as a real process independently of the application's main window.
#pragma once

#include "runner/MainWindow.h"

namespace tallow {

/// The class of the plain main window (Windows test programs only).
MainWindowClass PlainMainWindowClass();

}  // namespace tallow
