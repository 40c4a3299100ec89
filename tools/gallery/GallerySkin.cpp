#include "GallerySkin.h"

#include <cctype>

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
    // Like the application: a ".nsf.skn" skin leaves window frames standard.
    std::string lower = path;
    for (char& ch : lower)
        ch = char(std::tolower(static_cast<unsigned char>(ch)));
    const std::string nsf = ".nsf.skn";
    skin->SetSkinnableForm(
        !(lower.size() >= nsf.size() && lower.compare(lower.size() - nsf.size(), nsf.size(), nsf) == 0));
    form.SetSkinData(skin);
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* message = dynamic_cast<TskSkinMessage*>(form.Components(i)))
            message->SetSkinData(skin);
}

}  // namespace tallow
