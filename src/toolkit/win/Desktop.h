// The desktop as windows of the program see it: the screen's size, and forms
// placed inside a window of another program. (Windows trees only; this header
// itself has no platform types.)
#pragma once

#include <cstdint>

#include "toolkit/controls/Geometry.h"

namespace tallow {

class TskForm;

/// The primary screen's size in pixels.
TSize ScreenSize();
/// Makes the form's window (created when needed) a child of `parent`, a window
/// that may belong to another program, at the parent's top-left corner.
void PlaceFormInWindow(TskForm& form, uintptr_t parent);

}  // namespace tallow
