// The engine's services in the program: the process-wide platform bundle and
// settings store, the toolkit's application, the owner as a skinned form and the
// toolkit's message dialog.
#pragma once

#include "framework/CLEngine.h"

namespace tallow {

class TskForm;

/// Installs the provider that every TCLEngine(owner) is built on. The owner
/// must be a TskForm (anything else is std::bad_cast). Every engine gets the
/// update and About windows of `windows` (empty factories: the window does not
/// exist, the engine then does nothing) and the toolkit's message dialog.
void InstallStandardEngineServices(EngineWindowFactories windows);

/// The parts, for programs that put an engine together themselves.
std::unique_ptr<IEngineOwner> MakeFormEngineOwner(TskForm& form);
std::unique_ptr<IMessageDialog> MakeSkinMessageDialog(TCLEngine& engine);

}  // namespace tallow
