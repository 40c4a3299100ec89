#include "toolkit/controls/MessageLogic.h"

#include <algorithm>

namespace tallow {

namespace {
struct ButtonInfo {
    TModalResult result;
    const char* key;
    const char* caption;
};

constexpr ButtonInfo kButtons[] = {
    {mrYes, "MSG_BTN_YES", "&Yes"},
    {mrNo, "MSG_BTN_NO", "&No"},
    {mrOk, "MSG_BTN_OK", "OK"},
    {mrCancel, "MSG_BTN_CANCEL", "Cancel"},
    {mrAbort, "MSG_BTN_ABORT", "&Abort"},
    {mrRetry, "MSG_BTN_RETRY", "&Retry"},
    {mrIgnore, "MSG_BTN_IGNORE", "&Ignore"},
    {mrAll, "MSG_BTN_ALL", "&All"},
    {mrNoToAll, "MSG_BTN_NOTOALL", "N&o to All"},
    {mrYesToAll, "MSG_BTN_YESTOALL", "Yes to &All"},
    {mrNone, "MSG_BTN_HELP", "&Help"},
};
constexpr int kButtonCount = int(std::size(kButtons));

bool Has(TMsgDlgButtons set, TMsgDlgBtn b) {
    return (set >> b) & 1u;
}
}  // namespace

std::vector<TMsgDlgBtn> DialogButtons(TMsgDlgButtons set) {
    std::vector<TMsgDlgBtn> out;
    for (int b = 0; b < kButtonCount; ++b)
        if (Has(set, TMsgDlgBtn(b)))
            out.push_back(TMsgDlgBtn(b));
    if (out.empty() || (out.size() == 1 && out[0] == mbHelp))
        out.insert(out.begin(), mbOK);
    return out;
}

TModalResult ButtonResult(TMsgDlgBtn button) {
    return button >= 0 && button < kButtonCount ? kButtons[button].result : mrNone;
}

TModalResult EscapeResult(TMsgDlgButtons set) {
    if (Has(set, mbCancel))
        return mrCancel;
    if (Has(set, mbNo))
        return mrNo;
    std::vector<TMsgDlgBtn> shown = DialogButtons(set);
    shown.erase(std::remove(shown.begin(), shown.end(), mbHelp), shown.end());
    if (shown.size() == 1 && shown[0] == mbOK)
        return mrOk;
    return mrNone;
}

const char* ButtonCaptionKey(TMsgDlgBtn button) {
    return button >= 0 && button < kButtonCount ? kButtons[button].key : "";
}

const char* DefaultButtonCaption(TMsgDlgBtn button) {
    return button >= 0 && button < kButtonCount ? kButtons[button].caption : "";
}

TMsgDlgBtn DefaultButton(TMsgDlgButtons set) {
    return DialogButtons(set).front();
}

bool ShowAgainAfter(bool boxOffered, bool boxTicked) {
    return !(boxOffered && boxTicked);
}

TMessageLayout LayoutMessage(TSize textSize,
                             const std::vector<int>& captionWidths,
                             bool showFlag,
                             int checkWidth,
                             const TMessageMetrics& m) {
    TMessageLayout l;
    int buttonsWidth = 0;
    std::vector<int> widths;
    for (int w : captionWidths) {
        widths.push_back(std::max(m.MinButtonWidth, w + 28));
        buttonsWidth += widths.back();
    }
    buttonsWidth += m.ButtonGap * std::max(0, int(widths.size()) - 1);

    int textLeft = m.Margin + m.IconSize + m.Margin;
    int textWidth = std::max(m.MinTextWidth, textSize.Width);
    int width = std::max(
        {textLeft + textWidth + m.Margin, buttonsWidth + 2 * m.Margin, showFlag ? checkWidth + 2 * m.Margin : 0});
    textWidth = width - textLeft - m.Margin;

    l.Icon = TRect::Bounds(m.Margin, m.Margin, m.IconSize, m.IconSize);
    int textTop = m.Margin + std::max(0, (m.IconSize - textSize.Height) / 2);
    l.Text = TRect::Bounds(textLeft, textTop, textWidth, textSize.Height);
    int y = std::max(l.Icon.Bottom, l.Text.Bottom) + m.Margin;
    if (showFlag) {
        l.CheckBox = TRect::Bounds(textLeft, y - m.Margin / 2, std::max(1, width - textLeft - m.Margin), m.CheckHeight);
        y = l.CheckBox.Bottom + m.Margin / 2;
    }
    int bandHeight = m.ButtonHeight + 2 * 12;
    l.ButtonBand = TRect::Bounds(0, y, width, bandHeight);
    int x = width - m.Margin - buttonsWidth;
    for (int w : widths) {
        l.Buttons.push_back(TRect::Bounds(x, y + 12, w, m.ButtonHeight));
        x += w + m.ButtonGap;
    }
    l.Client = {width, y + bandHeight};
    return l;
}

}  // namespace tallow
