// The rules of the message dialog, apart from any window: which buttons a
// button set gives and in what order, what each returns, what Esc means, where
// things go, and what the do-not-show-again box reports.
#pragma once

#include <string>
#include <vector>

#include "toolkit/controls/DialogTypes.h"
#include "toolkit/controls/Geometry.h"

namespace tallow {

// The buttons of a set, in display order (the order of their bit numbers).
// An empty set gives an OK button, so that every dialog can be answered.
std::vector<TMsgDlgBtn> DialogButtons(TMsgDlgButtons set);
// The dialog result of pressing `button` (mrNone for Help, which does not close).
TModalResult ButtonResult(TMsgDlgBtn button);
// What Esc does: Cancel when the set has Cancel, else No when it has No, else OK
// when OK is the only way out; mrNone means Esc does nothing.
TModalResult EscapeResult(TMsgDlgButtons set);
// The resource-string key of a button's caption ("MSG_BTN_YES" ...) and the
// built-in caption used when no resource string is set.
const char* ButtonCaptionKey(TMsgDlgBtn button);
const char* DefaultButtonCaption(TMsgDlgBtn button);
// The default button: the first of the set.
TMsgDlgBtn DefaultButton(TMsgDlgButtons set);
// ShowAgainFlagValue after the dialog: false exactly when the box was offered and ticked.
bool ShowAgainAfter(bool boxOffered, bool boxTicked);

struct TMessageLayout {
    TSize Client;
    TRect Icon;
    TRect Text;
    TRect CheckBox;  // empty without the box
    TRect ButtonBand;
    std::vector<TRect> Buttons;
};

struct TMessageMetrics {
    int Margin = 16;
    int IconSize = 32;
    int ButtonHeight = 28;
    int MinButtonWidth = 84;
    int ButtonGap = 8;
    int CheckHeight = 22;
    int MinTextWidth = 220;
};

// `textSize` is the measured, already wrapped text; `buttonWidths` the caption widths.
TMessageLayout LayoutMessage(TSize textSize,
                             const std::vector<int>& captionWidths,
                             bool showFlag,
                             int checkWidth,
                             const TMessageMetrics& m = {});

}  // namespace tallow
