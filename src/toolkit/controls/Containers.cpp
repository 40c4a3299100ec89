#include "toolkit/controls/Containers.h"

namespace tallow {

//--- TskPanel -------------------------------------------------------------

TskPanel::TskPanel(TComponent* owner) : TskControl(owner) {}

void TskPanel::PublishProperties(PropertyList& out) {
    TskControl::PublishProperties(out);
    out.String<TskPanel>("Caption", "TCaption", &TskPanel::Caption, &TskPanel::SetCaption);
}

void TskPanel::SetColor(TColor c) {
    color_ = c;
    SkinChanged();
}

void TskPanel::SetBorderLine(bool on) {
    borderLine_ = on;
    Invalidate();
}

TColor TskPanel::BackgroundColor() const {
    return color_ == 0xFF000000 ? Palette().Panel : color_;
}

void TskPanel::Paint(ICanvas& canvas) {
    TRect r = ClientRect();
    canvas.FillRect(r, BackgroundColor());
    if (borderLine_)
        canvas.FrameRect(r, Palette().PanelBorder);
    if (!Caption().empty())
        canvas.Text(r, Caption(), Font(), Palette().WindowText, tfCenter | tfVCenter);
}

//--- TskTabSheet / TskPageControl -----------------------------------------

TskTabSheet::TskTabSheet(TComponent* owner) : TskControl(owner) {}

void TskTabSheet::PublishProperties(PropertyList& out) {
    TskControl::PublishProperties(out);
    out.String<TskTabSheet>("Caption", "TCaption", &TskTabSheet::Caption, &TskTabSheet::SetCaption);
}

TColor TskTabSheet::BackgroundColor() const {
    return Palette().Page;
}

TskPageControl* TskTabSheet::PageControl() const {
    return dynamic_cast<TskPageControl*>(Parent());
}

void TskTabSheet::SetPageControl(TskPageControl* pages) {
    SetParent(pages);
    if (pages != nullptr)
        pages->SheetAdded(this);
}

TskPageControl::TskPageControl(TComponent* owner) : TskControl(owner) {}

int TskPageControl::PageCount() const {
    int n = 0;
    for (TskControl* c : Children())
        n += dynamic_cast<TskTabSheet*>(c) != nullptr ? 1 : 0;
    return n;
}

TskTabSheet* TskPageControl::Pages(int index) const {
    for (TskControl* c : Children()) {
        auto* sheet = dynamic_cast<TskTabSheet*>(c);
        if (sheet != nullptr && index-- == 0)
            return sheet;
    }
    return nullptr;
}

void TskPageControl::SheetAdded(TskTabSheet* sheet) {
    TRect r = SheetRect();
    sheet->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    sheet->SetVisible(active_ == nullptr);
    if (active_ == nullptr)
        active_ = sheet;
}

void TskPageControl::SetActivePage(TskTabSheet* page) {
    if (page != nullptr && page->PageControl() != this)
        return;
    // Show the new page before hiding the old one, so the area never flashes empty.
    if (page != nullptr)
        page->SetVisible(true);
    for (TskControl* c : Children())
        if (c != page && dynamic_cast<TskTabSheet*>(c) != nullptr)
            c->SetVisible(false);
    active_ = page;
}

void TskPageControl::SetBounds(int left, int top, int width, int height) {
    TskControl::SetBounds(left, top, width, height);
    TRect r = SheetRect();
    for (TskControl* c : Children())
        if (dynamic_cast<TskTabSheet*>(c) != nullptr)
            c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TskPageControl::Paint(ICanvas& canvas) {
    canvas.FillRect(ClientRect(), Palette().Page);
    canvas.FrameRect(ClientRect(), Palette().PageBorder);
}

//--- TskBevel -------------------------------------------------------------

TskBevel::TskBevel(TComponent* owner) : TskControl(owner) {}

void TskBevel::SetShape(TBevelShape s) {
    shape_ = s;
    Invalidate();
}

void TskBevel::Paint(ICanvas& canvas) {
    const TSkinPalette p = Palette();
    TRect r = ClientRect();
    canvas.FillRect(r, BackgroundColor());
    if (shape_ == TBevelShape::Box) {
        canvas.FrameRect(r, p.BevelDark);
        canvas.FrameRect(r.Inflated(-1, -1), p.BevelLight);
        return;
    }
    canvas.Line({r.Left, r.Top}, {r.Right, r.Top}, p.BevelDark);
    canvas.Line({r.Left, r.Top + 1}, {r.Right, r.Top + 1}, p.BevelLight);
}

}  // namespace tallow
