#include "toolkit/controls/PngForm.h"

#include <algorithm>

#include "toolkit/controls/Form.h"

namespace tallow {

TskPngForm::TskPngForm(TComponent* owner) : TComponent(owner) {
    form_ = dynamic_cast<TskForm*>(owner);
    if (form_ != nullptr) {
        form_->SetBorderless(true);
        form_->SetPictureWindow(this);
    }
}

TskPngForm::~TskPngForm() {
    if (form_ != nullptr && form_->PictureWindow() == this)
        form_->SetPictureWindow(nullptr);
}

void TskPngForm::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Integer<TskPngForm>("AlphaValue", "Byte", &TskPngForm::AlphaValue, &TskPngForm::SetAlphaValue);
}

void TskPngForm::SetAlphaValue(int alpha) {
    alpha_ = std::clamp(alpha, 0, 255);
    PictureChanged();
}

void TskPngForm::LoadFromFile(const std::string& path) {
    image_.LoadFromFile(path);
    PictureChanged();
}

void TskPngForm::PictureChanged() {
    if (form_ == nullptr)
        return;
    if (!image_.Empty())
        form_->SetBounds(form_->Left(), form_->Top(), image_.Width(), image_.Height());
    form_->Invalidate();
}

}  // namespace tallow
