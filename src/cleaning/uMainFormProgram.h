// The main window as the runner creates it.
#pragma once

#include "runner/MainWindow.h"

namespace tallow {

/// The class "TfrmMain" whose `create` switches the toolkit's window layer and
/// the engine's services on and builds TfrmMain over the real cleaners.
/// Windows trees only.
MainWindowClass MainFormClass();

}  // namespace tallow
