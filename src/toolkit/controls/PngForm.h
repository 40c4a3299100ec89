// TskPngForm: turns its owner form into a borderless window whose whole
// content is one picture with per-pixel alpha (a layered window), sized to the
// picture, at the overall opacity AlphaValue.
#pragma once

#include <string>

#include "components/Component.h"
#include "toolkit/controls/PngImage.h"

namespace tallow {

class TskForm;

class TskPngForm : public TComponent {
    TALLOW_CLASS(TskPngForm, TComponent)

    // Makes the owner form (when the owner is one) borderless.
    explicit TskPngForm(TComponent* owner);
    ~TskPngForm() override;
    void PublishProperties(PropertyList& out) override;

    TskForm* Form() const { return form_; }
    // The form goes first when a window is destroyed; it calls this on its way out.
    void FormDestroyed() { form_ = nullptr; }
    TPngImage& PngImage() { return image_; }
    int AlphaValue() const { return alpha_; }
    // Clamped to 0..255.
    void SetAlphaValue(int alpha);
    // Replaces the picture and redraws the form; throws like TPngImage::LoadFromFile.
    void LoadFromFile(const std::string& path);
    // Resizes the form to the picture and redraws it.
    void PictureChanged();

  private:
    TskForm* form_ = nullptr;
    TPngImage image_;
    int alpha_ = 255;
};

}  // namespace tallow
