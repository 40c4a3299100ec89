// The base of every visible control: bounds, caption, font, visibility, the
// interaction state (hovered, pressed, focused) and painting on a canvas. The
// window layer shows each control as its own child window through a peer.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/Component.h"
#include "toolkit/controls/Canvas.h"
#include "toolkit/controls/Palette.h"
#include "toolkit/controls/Peer.h"

namespace tallow {

class TskSkinData;
class TskForm;

using TComponentEvent = std::function<void(TComponent* sender)>;

enum class TAlign { None, Top, Bottom, Client };
enum class TCursorKind { Arrow, Hand };

// Virtual key codes the controls react to (the platform's numbers).
enum TKey : unsigned {
    vkTab = 9,
    vkReturn = 13,
    vkEscape = 27,
    vkSpace = 32,
    vkLeft = 37,
    vkUp = 38,
    vkRight = 39,
    vkDown = 40
};

class TskControl : public TComponent {
    TALLOW_CLASS(TskControl, TComponent)

    explicit TskControl(TComponent* owner);
    ~TskControl() override;

    void PublishProperties(PropertyList& out) override;

    // The window class name the window layer registers for this kind of control.
    virtual const char* WindowClassName() const { return "TallowControl"; }

    // --- tree ---
    TskControl* Parent() const { return parent_; }
    void SetParent(TskControl* parent);
    const std::vector<TskControl*>& Children() const { return children_; }
    TskForm* ParentForm();

    // --- geometry (relative to the parent's client area) ---
    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return bounds_; }
    TRect ClientRect() const { return {0, 0, Width(), Height()}; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    // Places aligned children (top, bottom, then client) inside this control.
    void Realign();

    // --- appearance ---
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const TFontSpec& Font() const { return font_; }
    void SetFont(const TFontSpec& font);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Visible (and usable: also enabled), and so are all containers up to the form.
    bool IsShowing() const;
    bool IsUsable() const;

    TskSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TskSkinData* skin);
    // The skin this control paints with: its own, else its parent's, else none (built-in).
    TskSkinData* EffectiveSkin() const;
    TSkinPalette Palette() const { return PaletteOf(EffectiveSkin()); }
    // The colour behind this control: its container's, ending at the skin's window colour.
    virtual TColor BackgroundColor() const;
    // Repaints this control and its children, e.g. after the skin changed.
    void SkinChanged();

    // --- keyboard ---
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    virtual bool CanFocus() const { return false; }
    void SetFocus();

    // --- state, driven by the window layer ---
    bool Hovered() const { return hovered_; }
    bool Pressed() const { return pressed_; }
    bool Focused() const { return focused_; }
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseDown(TPoint at);
    virtual void MouseUp(TPoint at);
    virtual void KeyDown(unsigned key);
    virtual void KeyUp(unsigned key);
    virtual void FocusChanged(bool focused);
    virtual TCursorKind Cursor() const { return TCursorKind::Arrow; }
    // The control's action (buttons, check boxes, links); nothing for others.
    virtual void Click() {}
    // True when Alt + `ch` is this control's mnemonic.
    bool MatchesMnemonic(char ch) const;

    virtual void Paint(ICanvas& canvas);
    void Invalidate();

    IControlPeer* Peer() const { return peer_.get(); }
    void AttachPeer(std::unique_ptr<IControlPeer> peer);
    void DetachPeer() { peer_.reset(); }
    uintptr_t WindowHandle() const { return peer_ ? peer_->Handle() : 0; }

  protected:
    void Notification(TComponent* component, TOperation operation) override;
    virtual void CaptionChanged() {}
    bool pressed_ = false;

  private:
    void ApplyAlign(TRect& area);

    TskControl* parent_ = nullptr;
    std::vector<TskControl*> children_;
    TRect bounds_;
    TAlign align_ = TAlign::None;
    std::string caption_;
    TFontSpec font_;
    bool visible_ = true;
    bool enabled_ = true;
    TskSkinData* skinData_ = nullptr;
    int skinObserver_ = 0;
    int tabOrder_ = 0;
    bool hovered_ = false;
    bool focused_ = false;
    std::unique_ptr<IControlPeer> peer_;
};

}  // namespace tallow
