// Reads the toolkit's colour table out of skin data.
#pragma once

#include "toolkit/controls/Palette.h"

namespace tallow {

TSkinPalette PaletteFromSkin(const TskSkinData& skin);

}  // namespace tallow
