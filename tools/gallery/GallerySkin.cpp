#include "GallerySkin.h"

#include "toolkit/controls/Form.h"
#include "toolkit/controls/SkinMessage.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {

void ApplyGallerySkin(TskForm& form, const std::string& path) {
    auto* skin = new TskSkinData(&form);
    skin->SetName("skSkinData");
    std::string error;
    if (!skin->LoadFromCompressedFile(path, &error))
        form.SetCaption(form.Caption() + " - built-in skin (" + error + ")");
    form.SetSkinData(skin);
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* message = dynamic_cast<TskSkinMessage*>(form.Components(i)))
            message->SetSkinData(skin);
}

}  // namespace tallow
