#include "toolkit/controls/SkinFrame.h"

#include <algorithm>

#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menu.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {

//--- geometry -------------------------------------------------------------

TFrameLayout LayoutFrame(int clientWidth, int clientHeight, bool systemMenu, bool minimize, const TFrameMetrics& m) {
    TFrameLayout l;
    int w = clientWidth + 2 * m.Border;
    int h = clientHeight + m.CaptionHeight + 2 * m.Border;
    l.Window = {0, 0, w, h};
    l.Caption = {m.Border, m.Border, w - m.Border, m.Border + m.CaptionHeight};
    l.Client = TRect::Bounds(m.Border, l.Caption.Bottom, clientWidth, clientHeight);
    int right = l.Caption.Right;
    if (systemMenu) {
        l.SysMenu = TRect::Bounds(l.Caption.Left, l.Caption.Top, m.CaptionHeight, m.CaptionHeight);
        l.Close = {right - m.ButtonWidth, l.Caption.Top, right, l.Caption.Bottom};
        right = l.Close.Left;
    }
    if (minimize)
        l.Minimize = {right - m.ButtonWidth, l.Caption.Top, right, l.Caption.Bottom};
    int titleLeft = (systemMenu ? l.SysMenu.Right : l.Caption.Left) + 4;
    int titleRight = minimize ? l.Minimize.Left : right;
    l.Title = {titleLeft, l.Caption.Top, titleRight - 4, l.Caption.Bottom};
    return l;
}

TFrameHit HitTestFrame(const TFrameLayout& l, TPoint at) {
    if (!l.Window.Contains(at))
        return TFrameHit::Nowhere;
    if (l.Client.Contains(at))
        return TFrameHit::Client;
    if (l.SysMenu.Contains(at))
        return TFrameHit::SystemMenu;
    if (l.Close.Contains(at))
        return TFrameHit::Close;
    if (l.Minimize.Contains(at))
        return TFrameHit::Minimize;
    if (l.Caption.Contains(at))
        return TFrameHit::Caption;
    return TFrameHit::Border;
}

//--- component ------------------------------------------------------------

TskSkinFrame::TskSkinFrame(TComponent* owner) : TComponent(owner) {
    form_ = dynamic_cast<TskForm*>(owner);
    if (form_ != nullptr)
        form_->SetSkinFrame(this);
}

TskSkinFrame::~TskSkinFrame() {
    if (form_ != nullptr && form_->SkinFrame() == this)
        form_->SetSkinFrame(nullptr);
}

void TskSkinFrame::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Object<TPopupMenu, TskSkinFrame>("SystemMenu", "TPopupMenu", &TskSkinFrame::SystemMenu,
                                         &TskSkinFrame::SetSystemMenu);
    out.Object<TskSkinData, TskSkinFrame>("SkinData", "TskSkinData", &TskSkinFrame::SkinData,
                                          &TskSkinFrame::SetSkinData);
}

void TskSkinFrame::SetSystemMenu(TPopupMenu* menu) {
    if (menu_ != nullptr)
        RemoveFreeNotification(menu_);
    menu_ = menu;
    if (menu_ != nullptr)
        FreeNotification(menu_);
}

void TskSkinFrame::SetSkinData(TskSkinData* skin) {
    skin_ = skin;
}

void TskSkinFrame::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == menu_)
        menu_ = nullptr;
}

//--- painting -------------------------------------------------------------

TFrameMetrics FrameMetricsOf(const TSkinPalette& p) {
    TFrameMetrics m;
    m.CaptionHeight = p.CaptionHeight;
    m.Border = std::max(1, p.FrameWidth);
    m.ButtonWidth = std::max(28, p.CaptionHeight + 8);
    return m;
}

void TskSkinFrame::Paint(ICanvas& canvas, const TFrameLayout& l, bool active) {
    TSkinPalette p = Palette();
    TColor bottom = active ? p.Caption : p.CaptionInactive;
    TColor top = Blend(bottom, Rgb(255, 255, 255), 36);
    TColor border = active ? p.FrameBorder : p.CaptionInactive;
    for (int i = 0; i < l.Caption.Left; ++i)
        canvas.FrameRect(l.Window.Inflated(-i, -i), border);
    canvas.GradientV(l.Caption, top, bottom);
    canvas.Line({l.Caption.Left, l.Caption.Top}, {l.Caption.Right, l.Caption.Top}, Blend(top, Rgb(255, 255, 255), 70));
    if (l.SysMenu.Width() > 0)
        PaintButton(canvas, l.SysMenu, TFrameHit::SystemMenu, p);
    if (l.Minimize.Width() > 0)
        PaintButton(canvas, l.Minimize, TFrameHit::Minimize, p);
    if (l.Close.Width() > 0)
        PaintButton(canvas, l.Close, TFrameHit::Close, p);
    TFontSpec f{p.FontFace, p.CaptionFontHeight, p.CaptionFontBold, false};
    std::string title = form_ != nullptr ? form_->Caption() : std::string();
    canvas.Text(l.Title.Offset(1, 1), title, f, Blend(bottom, Rgb(0, 0, 0), 90), tfVCenter | tfEllipsis);
    canvas.Text(l.Title, title, f, active ? p.CaptionText : p.CaptionTextInactive, tfVCenter | tfEllipsis);
}

TSkinPalette TskSkinFrame::Palette() const {
    if (skin_ != nullptr)
        return PaletteOf(skin_);
    return form_ != nullptr ? form_->Palette() : BuiltInPalette();
}

void TskSkinFrame::PaintButton(ICanvas& canvas, const TRect& r, TFrameHit which, const TSkinPalette& p) {
    bool hot = hot_ == which, down = pressed_ == which && hot;
    if (hot) {
        TColor face = which == TFrameHit::Close ? p.CloseButtonHot : p.CaptionButtonHot;
        if (down)
            face = which == TFrameHit::Close ? Blend(face, Rgb(0, 0, 0), 50) : p.CaptionButtonPressed;
        TColor edge = p.CaptionButtonGlowOn ? p.CaptionButtonGlow : face;
        canvas.RoundRect(r.Inflated(-3, -4), 3, face, edge);
    }
    TColor ink = p.CaptionText;
    int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    switch (which) {
        case TFrameHit::SystemMenu:
            // A small window glyph: title strip and body.
            canvas.RoundRect(TRect{cx - 7, cy - 6, cx + 8, cy + 7}, 2, Blend(p.Caption, ink, 60), ink);
            canvas.FillRect(TRect{cx - 6, cy - 5, cx + 7, cy - 2}, ink);
            break;
        case TFrameHit::Minimize:
            canvas.FillRect(TRect{cx - 5, cy + 3, cx + 6, cy + 5}, ink);
            break;
        case TFrameHit::Close:
            for (int d = 0; d < 2; ++d) {
                canvas.Line({cx - 5 + d, cy - 5}, {cx + 5 + d, cy + 5}, ink);
                canvas.Line({cx + 4 + d, cy - 5}, {cx - 6 + d, cy + 5}, ink);
            }
            break;
        default:
            break;
    }
}

}  // namespace tallow
