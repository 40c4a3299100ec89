// Layered drawing of picture windows (TskPngForm): the whole window is the
// picture, blended with the desktop by its per-pixel alpha.
#pragma once

#include <windows.h>

namespace tallow {

class TskPngForm;

// Gives the window WS_EX_LAYERED when it lacks it, sizes it to the picture and
// replaces its content through UpdateLayeredWindow (source-over, AlphaValue,
// per-pixel alpha). Does nothing for an empty picture.
void UpdatePictureWindow(HWND hwnd, TskPngForm& picture);

}  // namespace tallow
