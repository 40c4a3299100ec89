#include "toolkit/controls/Control.h"

#include <algorithm>

#include "toolkit/controls/Form.h"
#include "toolkit/controls/Mnemonic.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {

TskControl::TskControl(TComponent* owner) : TComponent(owner) {}

TskControl::~TskControl() {
    if (skinData_ != nullptr)
        skinData_->RemoveChangeObserver(skinObserver_);
    peer_.reset();
    if (parent_ != nullptr) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    for (TskControl* child : children_)
        child->parent_ = nullptr;
}

void TskControl::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Integer<TskControl>("Left", "Integer", &TskControl::Left, &TskControl::SetLeft);
    out.Integer<TskControl>("Top", "Integer", &TskControl::Top, &TskControl::SetTop);
    out.Integer<TskControl>("Width", "Integer", &TskControl::Width, &TskControl::SetWidth);
    out.Integer<TskControl>("Height", "Integer", &TskControl::Height, &TskControl::SetHeight);
    out.Boolean<TskControl>("Visible", &TskControl::Visible, &TskControl::SetVisible);
    out.Boolean<TskControl>("Enabled", &TskControl::Enabled, &TskControl::SetEnabled);
    out.Integer<TskControl>("TabOrder", "TTabOrder", &TskControl::TabOrder, &TskControl::SetTabOrder);
    out.Object<TskSkinData, TskControl>("SkinData", "TskSkinData", &TskControl::SkinData, &TskControl::SetSkinData);
}

//--- tree -----------------------------------------------------------------

void TskControl::SetParent(TskControl* parent) {
    if (parent == parent_)
        return;
    if (parent_ != nullptr) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_ == nullptr)
        return;
    parent_->children_.push_back(this);
    if (align_ != TAlign::None)
        parent_->Realign();
    if (parent_->Peer() != nullptr)
        parent_->Peer()->ChildAdded(*this);
}

TskForm* TskControl::ParentForm() {
    TskControl* c = this;
    while (c->parent_ != nullptr)
        c = c->parent_;
    return dynamic_cast<TskForm*>(c);
}

//--- geometry -------------------------------------------------------------

void TskControl::SetBounds(int left, int top, int width, int height) {
    TRect r = TRect::Bounds(left, top, std::max(0, width), std::max(0, height));
    if (r == bounds_)
        return;
    bool resized = r.Width() != bounds_.Width() || r.Height() != bounds_.Height();
    bounds_ = r;
    if (peer_)
        peer_->BoundsChanged();
    if (resized)
        Realign();
}

void TskControl::SetAlign(TAlign align) {
    align_ = align;
    if (parent_ != nullptr)
        parent_->Realign();
}

void TskControl::Realign() {
    TRect area = ClientRect();
    ApplyAlign(area);
}

// Top-aligned children take rows from the top, bottom-aligned ones from the
// bottom, and a client-aligned one fills what is left (the usual docking order).
void TskControl::ApplyAlign(TRect& area) {
    for (TAlign pass : {TAlign::Top, TAlign::Bottom, TAlign::Client}) {
        for (TskControl* c : children_) {
            if (c->align_ != pass || !c->visible_)
                continue;
            int h = c->Height();
            if (pass == TAlign::Top) {
                c->SetBounds(area.Left, area.Top, area.Width(), h);
                area.Top += h;
            } else if (pass == TAlign::Bottom) {
                c->SetBounds(area.Left, area.Bottom - h, area.Width(), h);
                area.Bottom -= h;
            } else {
                c->SetBounds(area.Left, area.Top, area.Width(), std::max(0, area.Height()));
            }
        }
    }
}

//--- appearance -----------------------------------------------------------

void TskControl::SetCaption(const std::string& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    CaptionChanged();
    if (peer_)
        peer_->TextChanged();
    Invalidate();
}

void TskControl::SetFont(const TFontSpec& font) {
    font_ = font;
    CaptionChanged();
    Invalidate();
}

void TskControl::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    if (peer_)
        peer_->VisibleChanged();
    else if (visible_ && parent_ != nullptr && parent_->Peer() != nullptr)
        parent_->Peer()->ChildAdded(*this);  // a control hidden so far gets its window when first shown
    if (parent_ != nullptr && align_ != TAlign::None)
        parent_->Realign();
}

void TskControl::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled_)
        pressed_ = hovered_ = false;
    if (peer_)
        peer_->EnabledChanged();
    Invalidate();
}

// Visibility within the top-level window: a control of a form that is not
// shown yet still counts as showing (its form decides whether input arrives).
bool TskControl::IsShowing() const {
    for (const TskControl* c = this; c != nullptr; c = c->parent_)
        if (!c->visible_ && (c == this || c->parent_ != nullptr))
            return false;
    return true;
}

bool TskControl::IsUsable() const {
    for (const TskControl* c = this; c != nullptr; c = c->parent_)
        if (!c->enabled_)
            return false;
    return IsShowing();
}

// Watches the skin so that a new skin or switch repaints this control at once.
void TskControl::SetSkinData(TskSkinData* skin) {
    if (skin == skinData_)
        return;
    if (skinData_ != nullptr) {
        skinData_->RemoveChangeObserver(skinObserver_);
        RemoveFreeNotification(skinData_);
    }
    skinData_ = skin;
    if (skinData_ != nullptr) {
        FreeNotification(skinData_);
        skinObserver_ = skinData_->AddChangeObserver([this](TskSkinData&) { SkinChanged(); });
    }
    SkinChanged();
}

TskSkinData* TskControl::EffectiveSkin() const {
    for (const TskControl* c = this; c != nullptr; c = c->parent_)
        if (c->skinData_ != nullptr)
            return c->skinData_;
    return nullptr;
}

TColor TskControl::BackgroundColor() const {
    return parent_ != nullptr ? parent_->BackgroundColor() : Palette().Window;
}

void TskControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == skinData_) {
        skinData_ = nullptr;
        SkinChanged();
    }
}

void TskControl::SkinChanged() {
    Invalidate();
    for (TskControl* child : children_)
        child->SkinChanged();
}

//--- keyboard and mouse ---------------------------------------------------

void TskControl::SetFocus() {
    if (peer_ && CanFocus())
        peer_->TakeFocus();
}

void TskControl::MouseEnter() {
    hovered_ = true;
    Invalidate();
}

void TskControl::MouseLeave() {
    hovered_ = false;
    pressed_ = false;
    Invalidate();
}

void TskControl::MouseDown(TPoint) {
    if (!IsUsable())
        return;
    pressed_ = true;
    SetFocus();
    Invalidate();
}

// A click counts only when the button goes up over the control it went down on.
void TskControl::MouseUp(TPoint at) {
    bool wasPressed = pressed_;
    pressed_ = false;
    Invalidate();
    if (wasPressed && IsUsable() && ClientRect().Contains(at))
        Click();
}

void TskControl::KeyDown(unsigned key) {
    if (key == vkSpace && IsUsable()) {
        pressed_ = true;
        Invalidate();
    } else if (key == vkReturn && IsUsable()) {
        Click();
    }
}

void TskControl::KeyUp(unsigned key) {
    if (key == vkSpace && pressed_) {
        pressed_ = false;
        Invalidate();
        Click();
    }
}

void TskControl::FocusChanged(bool focused) {
    focused_ = focused;
    if (!focused)
        pressed_ = false;
    Invalidate();
}

bool TskControl::MatchesMnemonic(char ch) const {
    char m = ParseMnemonic(caption_).Key;
    return m != 0 && ToUpperAscii(m) == ToUpperAscii(ch);
}

void TskControl::Paint(ICanvas& canvas) {
    canvas.FillRect(ClientRect(), BackgroundColor());
}

void TskControl::Invalidate() {
    if (peer_)
        peer_->Invalidate();
}

void TskControl::AttachPeer(std::unique_ptr<IControlPeer> peer) {
    peer_ = std::move(peer);
}

}  // namespace tallow
