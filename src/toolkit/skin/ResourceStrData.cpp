#include "toolkit/skin/ResourceStrData.h"

namespace tallow {

const char* DefaultResourceStrings() {
    return "MSG_BTN_YES=&Yes\r\n"
           "MSG_BTN_NO=&No\r\n"
           "MSG_BTN_OK=OK\r\n"
           "MSG_BTN_CANCEL=Cancel\r\n"
           "MSG_BTN_ABORT=&Abort\r\n"
           "MSG_BTN_RETRY=&Retry\r\n"
           "MSG_BTN_IGNORE=&Ignore\r\n"
           "MSG_BTN_ALL=&All\r\n"
           "MSG_BTN_NOTOALL=N&o to All\r\n"
           "MSG_BTN_YESTOALL=Yes to &All\r\n"
           "MSG_BTN_HELP=&Help\r\n"
           "MSG_CAP_SHOWFLAG=Don't display this message again\r\n"
           "MSG_CAP_WARNING=Warning\r\n"
           "MSG_CAP_ERROR=Error\r\n"
           "MSG_CAP_INFORMATION=Information\r\n"
           "MSG_CAP_CONFIRM=Confirm\r\n"
           "MI_MINCAPTION=Mi&nimize\r\n"
           "MI_MAXCAPTION=Ma&ximize\r\n"
           "MI_RESTORECAPTION=&Restore\r\n"
           "MI_CLOSECAPTION=&Close\r\n";
}

TskResourceStrData::TskResourceStrData(TComponent* owner) : TComponent(owner) {
    resStrings_.SetText(DefaultResourceStrings());
}

std::string TskResourceStrData::Text(std::string_view name) const {
    if (resStrings_.IndexOfName(name) >= 0)
        return resStrings_.Values(name);
    static TStrings defaults;
    static const bool filled = (defaults.SetText(DefaultResourceStrings()), true);
    (void)filled;
    return defaults.Values(name);
}

void TskResourceStrData::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Object<TStrings, TskResourceStrData>(
        "ResStrings", "TStrings", [](TskResourceStrData& d) { return d.ResStrings(); }, nullptr);
}

}  // namespace tallow
