#include "toolkit/controls/SkinPalette.h"

namespace tallow {

TSkinPalette PaletteFromSkin(const TskSkinData&) { return BuiltInPalette(); }

}  // namespace tallow
