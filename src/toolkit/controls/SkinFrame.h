// The skinned window frame: our own caption bar with a system-menu button, a
// minimise button and a close button. Its system menu is a popup menu of the
// application's choosing. The caption bar geometry is a set of pure functions.
#pragma once

#include "components/Component.h"
#include "toolkit/controls/Control.h"

namespace tallow {

class TskForm;
class TPopupMenu;

enum class TFrameHit { Client, Caption, SystemMenu, Minimize, Close, Border, Nowhere };

struct TFrameMetrics {
    int CaptionHeight = 30;
    int Border = 1;
    int ButtonWidth = 34;
};

struct TFrameLayout {
    TRect Window;    // the whole window, origin 0,0
    TRect Caption;   // the caption bar
    TRect Client;    // the form's client area
    TRect SysMenu;   // empty without a system menu
    TRect Minimize;  // empty without a minimise button
    TRect Close;     // empty without a system menu
    TRect Title;     // where the caption text goes
};

// The frame around a client area of the given size.
TFrameLayout LayoutFrame(int clientWidth,
                         int clientHeight,
                         bool systemMenu,
                         bool minimize,
                         const TFrameMetrics& m = {});
TFrameHit HitTestFrame(const TFrameLayout& layout, TPoint at);
// The frame metrics a skin asks for (caption height, border width).
TFrameMetrics FrameMetricsOf(const TSkinPalette& palette);

class TskSkinFrame : public TComponent {
    TALLOW_CLASS(TskSkinFrame, TComponent)

    // Attaches itself to its owner when that is a form.
    explicit TskSkinFrame(TComponent* owner);
    ~TskSkinFrame() override;
    void PublishProperties(PropertyList& out) override;

    TskForm* Form() const { return form_; }
    // The form goes first when a window is destroyed; it calls this on its way out.
    void FormDestroyed() { form_ = nullptr; }
    // The menu shown by the system-menu button and Alt+Space; none gives no menu.
    TPopupMenu* SystemMenu() const { return menu_; }
    void SetSystemMenu(TPopupMenu* menu);
    TskSkinData* SkinData() const { return skin_; }
    void SetSkinData(TskSkinData* skin);

    // Which caption button is hovered or held, for painting.
    TFrameHit HotButton() const { return hot_; }
    TFrameHit PressedButton() const { return pressed_; }
    void SetHotButton(TFrameHit hit) { hot_ = hit; }
    void SetPressedButton(TFrameHit hit) { pressed_ = hit; }

    // Paints the caption bar and border for a window of `layout`.
    void Paint(ICanvas& canvas, const TFrameLayout& layout, bool active);
    // The frame's own skin, else its form's, else the built-in one.
    TSkinPalette Palette() const;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    void PaintButton(ICanvas& canvas, const TRect& r, TFrameHit which, const TSkinPalette& p);
    TskForm* form_ = nullptr;
    TPopupMenu* menu_ = nullptr;
    TskSkinData* skin_ = nullptr;
    TFrameHit hot_ = TFrameHit::Nowhere;
    TFrameHit pressed_ = TFrameHit::Nowhere;
};

}  // namespace tallow
