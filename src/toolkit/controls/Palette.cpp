#include "toolkit/controls/Palette.h"

#include "toolkit/controls/SkinPalette.h"

namespace tallow {

const TSkinPalette& BuiltInPalette() {
    static const TSkinPalette palette;
    return palette;
}

TSkinPalette PaletteOf(const TskSkinData* skin) {
    if (skin == nullptr)
        return BuiltInPalette();
    return PaletteFromSkin(*skin);
}

}  // namespace tallow
