// The engine's services in the program: the settings store, the Win32 system,
// the owner as a skinned form and the toolkit's message dialog.
#pragma once

#include "framework/CLEngine.h"

namespace tallow {

class TskForm;

/// Installs the provider that every TCLEngine(owner) is built on. The owner
/// must be a TskForm (anything else is std::bad_cast). Windows trees only.
void InstallStandardEngineServices();

/// The update and About windows every standard engine gets. The windows' own
/// libraries fill these in at start-up, before the main window is created;
/// empty factories mean the window does not exist (the engine then does nothing).
EngineWindowFactories& StandardEngineWindows();

/// The parts, for programs that put an engine together themselves.
IEngineSettings& AppSettingsForEngine();
IEngineSystem& StandardEngineSystem();
std::unique_ptr<IEngineOwner> MakeFormEngineOwner(TskForm& form);
std::unique_ptr<IMessageDialog> MakeSkinMessageDialog(TCLEngine& engine);

}  // namespace tallow
