#include "GallerySkin.h"

#include "toolkit/controls/Form.h"

namespace tallow {

void ApplyGallerySkin(TskForm& form, const std::string& path) {
    form.SetCaption(form.Caption() + " - " + path);
}

}  // namespace tallow
