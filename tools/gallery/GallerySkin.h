// Loading a skin file into the gallery window.
#pragma once

#include <string>

namespace tallow {

class TskForm;

// Loads `path` as the window's skin; a file that cannot be loaded leaves the
// built-in skin and says so in the caption.
void ApplyGallerySkin(TskForm& form, const std::string& path);

}  // namespace tallow
