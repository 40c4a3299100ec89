// A plain main window registered as "TfrmMain" that answers the instance
// messages; it stands in for the application's real main window.
#pragma once

#include "runner/MainWindow.h"

namespace tallow {

/// The class of the plain main window (Windows trees only).
MainWindowClass PlainMainWindowClass();

}  // namespace tallow
