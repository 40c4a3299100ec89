// Switches the toolkit on for real windows: window factory, text measuring, the
// shell's "open" for link labels, timers, and the platform application's message
// loop and error box. Call once on the user-interface thread before creating forms.
// (Windows trees only; this header itself has no platform types.)
#pragma once

namespace tallow {

void InstallWindowLayer();

}  // namespace tallow
