#include "toolkit/controls/SkinMessage.h"

#include <algorithm>
#include <cmath>

#include "toolkit/controls/MessageLogic.h"
#include "toolkit/controls/SkinFrame.h"
#include "toolkit/controls/TextMeasure.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {

//--- icon -----------------------------------------------------------------

namespace {
TColor IconColor(TMsgDlgType kind) {
    switch (kind) {
        case TMsgDlgType::mtWarning:
            return Rgb(236, 168, 30);
        case TMsgDlgType::mtError:
            return Rgb(210, 54, 46);
        case TMsgDlgType::mtConfirmation:
            return Rgb(52, 120, 200);
        default:
            return Rgb(40, 110, 200);
    }
}

const char* IconGlyph(TMsgDlgType kind) {
    switch (kind) {
        case TMsgDlgType::mtWarning:
            return "!";
        case TMsgDlgType::mtError:
            return "X";
        case TMsgDlgType::mtConfirmation:
            return "?";
        case TMsgDlgType::mtInformation:
            return "i";
        default:
            return "";
    }
}

// True when the point lies inside the shape of a unit square (0..1).
bool InsideShape(TMsgDlgType kind, double x, double y) {
    if (kind == TMsgDlgType::mtWarning) {
        // Triangle with its apex at the top centre.
        double top = 0.06, bottom = 0.94;
        if (y < top || y > bottom)
            return false;
        double half = (y - top) / (bottom - top) * 0.47;
        return std::abs(x - 0.5) <= half;
    }
    double dx = x - 0.5, dy = y - 0.5;
    return dx * dx + dy * dy <= 0.47 * 0.47;
}
}  // namespace

std::vector<uint8_t> RenderIconShape(TMsgDlgType kind, int size) {
    std::vector<uint8_t> px(size_t(size) * size_t(size) * 4, 0);
    if (kind == TMsgDlgType::mtCustom || size <= 0)
        return px;
    TColor c = IconColor(kind);
    const int ss = 4;  // 4 x 4 samples per pixel
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int hits = 0;
            for (int sy = 0; sy < ss; ++sy)
                for (int sx = 0; sx < ss; ++sx)
                    hits += InsideShape(kind, (x + (sx + 0.5) / ss) / size, (y + (sy + 0.5) / ss) / size) ? 1 : 0;
            int a = hits * 255 / (ss * ss);
            // A light top-to-bottom shading gives the disc some depth.
            TColor shade = Blend(Blend(c, Rgb(255, 255, 255), 70), c, y * 255 / std::max(1, size - 1));
            uint8_t* p = &px[(size_t(y) * size + x) * 4];
            p[0] = uint8_t(((shade >> 16) & 0xFF) * a / 255);
            p[1] = uint8_t(((shade >> 8) & 0xFF) * a / 255);
            p[2] = uint8_t((shade & 0xFF) * a / 255);
            p[3] = uint8_t(a);
        }
    }
    return px;
}

TskMessageIcon::TskMessageIcon(TComponent* owner) : TskControl(owner) {}

void TskMessageIcon::SetKind(TMsgDlgType kind) {
    kind_ = kind;
    size_ = 0;
    Invalidate();
}

void TskMessageIcon::Paint(ICanvas& canvas) {
    canvas.FillRect(ClientRect(), BackgroundColor());
    int size = std::min(Width(), Height());
    if (size != size_) {
        pixels_ = RenderIconShape(kind_, size);
        size_ = size;
    }
    canvas.Image(TBitmapView{size, size, pixels_.data()}, 0, 0, 255);
    TFontSpec f{"Segoe UI", size * 2 / 3, true, false};
    TRect glyph = TRect::Bounds(0, kind_ == TMsgDlgType::mtWarning ? size / 10 : 0, size, size);
    canvas.Text(glyph, IconGlyph(kind_), f, Rgb(255, 255, 255), tfCenter | tfVCenter);
}

//--- dialog form ----------------------------------------------------------

TskMessageForm::TskMessageForm(TComponent* owner) : TskForm(owner) {}

TColor TskMessageForm::BackgroundColor() const {
    return Palette().Page;
}

//--- TskSkinMessage -------------------------------------------------------

TskSkinMessage::TskSkinMessage(TComponent* owner) : TComponent(owner) {}

void TskSkinMessage::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Boolean<TskSkinMessage>("ShowAgainFlag", &TskSkinMessage::ShowAgainFlag, &TskSkinMessage::SetShowAgainFlag);
    out.Boolean<TskSkinMessage>("ShowAgainFlagValue", &TskSkinMessage::ShowAgainFlagValue,
                                &TskSkinMessage::SetShowAgainFlagValue);
}

// The caller's lookup first, then the resource strings linked to the skin data.
std::string TskSkinMessage::ResText(const std::string& key, const std::string& fallback) const {
    std::string text = lookup_ ? lookup_(key) : std::string();
    if (text.empty() && skin_ != nullptr)
        text = skin_->ResourceText(key);
    return text.empty() ? fallback : text;
}

std::unique_ptr<TskMessageForm> TskSkinMessage::BuildDialog(const std::string& text,
                                                            const std::string& caption,
                                                            TMsgDlgType type,
                                                            TMsgDlgButtons set) {
    auto form = std::make_unique<TskMessageForm>(nullptr);
    TskMessageForm& f = *form;
    f.SetName("skMessageDialog");
    f.SetCaption(caption);
    f.SetPosition(TPosition::MainFormCenter);
    f.SetMinimizeIcon(false);
    f.SetSkinData(skin_);
    new TskSkinFrame(&f);
    TskSkinData* ctrlSkin = ctrlSkin_ != nullptr ? ctrlSkin_ : skin_;
    TFontSpec font{"Segoe UI", 15, false, false};

    f.Icon = new TskMessageIcon(&f);
    f.Icon->SetName("imgIcon");
    f.Icon->SetKind(type);
    f.Icon->SetVisible(type != TMsgDlgType::mtCustom);
    f.Icon->SetParent(&f);

    f.Text = new TskLabel(&f);
    f.Text->SetName("lblText");
    f.Text->SetFont(font);
    f.Text->SetWordWrap(true);
    f.Text->SetCaption(text);
    f.Text->SetParent(&f);

    f.ButtonBand = new TskPanel(&f);
    f.ButtonBand->SetName("pnButtons");
    f.ButtonBand->SetBorderLine(true);
    f.ButtonBand->SetParent(&f);

    std::vector<TMsgDlgBtn> kinds = DialogButtons(set);
    TModalResult esc = EscapeResult(set);
    std::vector<int> widths;
    for (TMsgDlgBtn kind : kinds) {
        auto* b = new TskButton(&f);
        b->SetName(std::string("btn") + (ButtonCaptionKey(kind) + 8));
        b->SetFont(font);
        b->SetCaption(ResText(ButtonCaptionKey(kind), DefaultButtonCaption(kind)));
        b->SetModalResult(ButtonResult(kind));
        b->SetDefault(kind == kinds.front());
        b->SetCancel(esc != mrNone && ButtonResult(kind) == esc);
        b->SetTabOrder(int(f.Buttons.size()));
        b->SetSkinData(ctrlSkin);
        b->SetParent(f.ButtonBand);
        f.Buttons.push_back(b);
        widths.push_back(MeasureText(b->Caption(), font, 0, tfMnemonic).Width);
    }

    int checkWidth = 0;
    if (showAgainFlag_) {
        f.ShowFlag = new TskCheckBox(&f);
        f.ShowFlag->SetName("chkShowAgain");
        f.ShowFlag->SetFont(font);
        f.ShowFlag->SetCaption(ResText("MSG_CAP_SHOWFLAG", "Don't display this message again"));
        f.ShowFlag->SetTabOrder(int(f.Buttons.size()));
        f.ShowFlag->SetSkinData(ctrlSkin);
        f.ShowFlag->SetParent(&f);
        checkWidth = MeasureText(f.ShowFlag->Caption(), font, 0, tfMnemonic).Width + 24;
    }

    TSize textSize = MeasureText(text, font, 0, tfMnemonic);
    if (textSize.Width > 420)
        textSize = MeasureText(text, font, 420, tfMnemonic | tfWordWrap);
    TMessageLayout l = LayoutMessage(textSize, widths, showAgainFlag_, checkWidth);
    if (type == TMsgDlgType::mtCustom) {
        l.Text.Left = l.Icon.Left;
    }
    f.SetBounds(0, 0, l.Client.Width, l.Client.Height);
    f.Icon->SetBounds(l.Icon.Left, l.Icon.Top, l.Icon.Width(), l.Icon.Height());
    f.Text->SetBounds(l.Text.Left, l.Text.Top, l.Text.Width(), l.Text.Height());
    // The band is one pixel wider than the window on three sides, so only its top line shows.
    TRect band = l.ButtonBand.Inflated(1, 0);
    band.Bottom += 1;
    f.ButtonBand->SetBounds(band.Left, band.Top, band.Width(), band.Height());
    for (size_t i = 0; i < f.Buttons.size(); ++i) {
        TRect r = l.Buttons[i].Offset(-band.Left, -band.Top);
        f.Buttons[i]->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
    if (f.ShowFlag != nullptr)
        f.ShowFlag->SetBounds(l.CheckBox.Left, l.CheckBox.Top, l.CheckBox.Width(), l.CheckBox.Height());
    return form;
}

TModalResult TskSkinMessage::MessageDlg(const std::string& text,
                                        const std::string& caption,
                                        TMsgDlgType type,
                                        TMsgDlgButtons buttons,
                                        int /*helpContext*/) {
    std::unique_ptr<TskMessageForm> form = BuildDialog(text, caption, type, buttons);
    if (OnDialogShow)
        form->OnShow = [this](TComponent* sender) { OnDialogShow(*static_cast<TskMessageForm*>(sender)); };
    TModalResult result = form->ShowModal();
    // Closed by the frame or Alt+F4: answer as Esc would, so the caller gets a
    // result its button set can produce.
    TModalResult esc = EscapeResult(buttons);
    if (result == mrCancel && esc != mrNone)
        result = esc;
    bool ticked = form->ShowFlag != nullptr && form->ShowFlag->Checked();
    showAgainFlagValue_ = ShowAgainAfter(form->ShowFlag != nullptr, ticked);
    return result;
}

}  // namespace tallow
