#include "toolkit/controls/CheckBox.h"

namespace tallow {

TRect CheckBoxBoxRect(const TRect& client) {
    const int size = 15;
    return TRect::Bounds(client.Left + 1, client.Top + (client.Height() - size) / 2, size, size);
}

TskCheckBox::TskCheckBox(TComponent* owner) : TskControl(owner) {}

void TskCheckBox::PublishProperties(PropertyList& out) {
    TskControl::PublishProperties(out);
    out.String<TskCheckBox>("Caption", "TCaption", &TskCheckBox::Caption, &TskCheckBox::SetCaption);
    out.Boolean<TskCheckBox>("Checked", &TskCheckBox::Checked, &TskCheckBox::SetChecked);
}

void TskCheckBox::SetChecked(bool checked) {
    if (checked == checked_)
        return;
    checked_ = checked;
    Invalidate();
}

void TskCheckBox::Click() {
    SetChecked(!checked_);
    if (OnClick)
        OnClick(this);
}

void TskCheckBox::Paint(ICanvas& canvas) {
    const TSkinPalette p = Palette();
    TRect r = ClientRect();
    canvas.FillRect(r, BackgroundColor());
    bool usable = IsUsable();
    TRect box = CheckBoxBoxRect(r);
    TColor border = usable && (Hovered() || Focused()) ? p.CheckBoxBorderHot : p.CheckBoxBorder;
    TColor fill = usable && Pressed() ? p.ButtonFacePressed : (usable && Hovered() ? p.ButtonFaceHot : p.CheckBoxFace);
    if (!usable)
        fill = p.ButtonFaceDisabled;
    if (usable && Hovered() && p.ButtonGlow)
        canvas.RoundRect(box.Inflated(2, 2), 4, BackgroundColor(), p.Glow);
    canvas.RoundRect(box, 3, fill, border);
    if (checked_) {
        TColor mark = usable ? p.CheckMark : p.DisabledText;
        // A tick drawn two pixels thick: down-stroke, then the long up-stroke.
        for (int d = 0; d < 2; ++d) {
            canvas.Line({box.Left + 3, box.Top + 7 + d}, {box.Left + 6, box.Top + 10 + d}, mark);
            canvas.Line({box.Left + 6, box.Top + 10 + d}, {box.Left + 12, box.Top + 4 + d}, mark);
        }
    }
    TRect text{box.Right + 6, r.Top, r.Right, r.Bottom};
    canvas.Text(text, Caption(), Font(), usable ? p.WindowText : p.DisabledText, tfVCenter | tfMnemonic | tfEllipsis);
    if (Focused()) {
        TSize s = canvas.MeasureText(Caption(), Font(), 0, tfMnemonic);
        int h = s.Height + 2;
        int top = r.Top + (r.Height() - h) / 2;
        canvas.FocusRect(TRect::Bounds(text.Left - 2, top, std::min(s.Width + 4, text.Width() + 2), h));
    }
}

}  // namespace tallow
