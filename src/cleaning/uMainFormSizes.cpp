// TfrmMain: the size labels beside the items' captions and the sizes of the
// clear-all run. Counts for the labels run on a worker with its own runner and
// come back as posted messages; the user-interface thread never waits for them.
#include <algorithm>

#include "cleaning/SizeText.h"
#include "cleaning/uMainForm.h"
#include "framework/CLEngineText.h"
#include "platform/Platform.h"
#include "toolkit/controls/ControlArgs.h"
#include "toolkit/controls/TextMeasure.h"

namespace tallow {

namespace {

constexpr int kCaptionIndent = 22;  // box and gap before a check box's caption
constexpr int kFocusRoom = 4;       // the focus rectangle around the caption
constexpr int kLabelGap = 6;        // between caption and label, and label and button
constexpr int kLabelHeight = 13;
const TColor kSizeGrey = Rgb(128, 128, 128);

}  // namespace

TSizeLabelPlace PlaceSizeLabel(int checkLeft, int captionWidth, int textWidth, int buttonLeft) {
    const int room = std::max(0, buttonLeft - kLabelGap - checkLeft);
    const int checkWidth = std::min(kCaptionIndent + captionWidth + kFocusRoom, room);
    const int labelLeft = checkLeft + checkWidth + kLabelGap;
    const int labelWidth = std::clamp(buttonLeft - kLabelGap - labelLeft, 0, textWidth);
    return {checkWidth, std::min(labelLeft, buttonLeft - kLabelGap), labelWidth};
}

void TfrmMain::CreateSizeLabels() {
    for (int item = 1; item <= kItemCount; ++item) {
        TskCheckBox* box = ItemCheckBox(item);
        // Unnamed: their texts are composed, never translated by name.
        TskLabel* label = CreateControl<TskLabel>(
            this, {.parent = box->Parent(),
                   .bounds = TRect::Bounds(box->Left() + box->Width(), box->Top() + 6, 0, kLabelHeight),
                   .font = box->Font()});
        label->SetColor(kSizeGrey);
        sizeLabels_[item - 1] = label;
    }
}

TskLabel* TfrmMain::ItemSizeLabel(int item) const {
    return item >= 1 && item <= kItemCount ? sizeLabels_[item - 1] : nullptr;
}

// Check box and label share the room left of the button: the box as wide as its
// caption, the label behind it, cut short rather than reaching the button.
void TfrmMain::PlaceItemRow(int item) {
    TskCheckBox* box = ItemCheckBox(item);
    TskLabel* label = ItemSizeLabel(item);
    const int captionWidth = MeasureText(box->Caption(), box->Font(), 0, tfMnemonic).Width;
    const int textWidth = label->Caption().empty() ? 0 : MeasureText(label->Caption(), label->Font(), 0, 0).Width;
    const TSizeLabelPlace place = PlaceSizeLabel(box->Left(), captionWidth, textWidth, ItemButton(item)->Left());
    box->SetBounds(box->Left(), box->Top(), place.checkWidth, box->Height());
    label->SetBounds(place.labelLeft, box->Top() + (box->Height() - kLabelHeight) / 2, place.labelWidth, kLabelHeight);
}

std::string TfrmMain::AppText(const std::string& key) {
    return engine1->GetResText(key, false);
}

void TfrmMain::UpdateSizeLabel(int item) {
    if (!counts_)
        return;
    const TTextByKey text = [this](const std::string& key) { return AppText(key); };
    const std::optional<TItemTally> tally = counts_->Known(item);
    std::string caption;
    if (counts_->Counting(item))
        caption = CountingText(text);
    else if (tally)
        caption = ItemSizeText(item, *tally, *SystemPlatform().locale, text);
    ItemSizeLabel(item)->SetCaption(caption);
    PlaceItemRow(item);
}

// After a change of language: the captions have new widths, the labels new words.
void TfrmMain::UpdateSizeLabels() {
    for (int item = 1; item <= kItemCount; ++item) {
        if (counts_)
            UpdateSizeLabel(item);
        else
            PlaceItemRow(item);
    }
}

//--- Counting -----------------------------------------------------------------------

void TfrmMain::StartCounting() {
    if (!services_.itemRunner)
        return;
    countWorker_ = std::make_unique<TWorkerThread>();
    TItemCountsServices counting;
    counting.worker = countWorker_.get();
    counting.makeRunner = services_.itemRunner;
    counting.postToUi = [](std::function<void()> task) {
        SystemPlatform().application->PostToUiThread(std::move(task));
    };
    if (services_.clock)
        counting.clock = services_.clock;
    counts_ = std::make_unique<TItemCounts>(std::move(counting));
    counts_->OnChange = [this](int item) { UpdateSizeLabel(item); };
}

// A count still running at the close is waited for a short while, then left to
// end on its own; what it posts afterwards is dropped.
void TfrmMain::StopCounting() {
    if (countWorker_)
        countWorker_->Stop(TWorkerThread::kEndWait);
    counts_.reset();
}

void TfrmMain::CountShownPage() {
    if (!counts_)
        return;
    for (int page = 0; page < kCataloguePageCount; ++page) {
        if (pcMain->ActivePage() && pcMain->ActivePage()->Name() == CataloguePageName(TCataloguePage(page)))
            counts_->CountPage(TCataloguePage(page));
    }
}

IItemRunner* TfrmMain::UiRunner() {
    if (!uiRunner_ && services_.itemRunner)
        uiRunner_ = services_.itemRunner();
    return uiRunner_.get();
}

//--- The clear-all run's sizes -----------------------------------------------------------

// A recent count stands; any other is taken now, as the run itself works here.
std::optional<TItemTally> TfrmMain::Expected(int item) {
    if (!counts_)
        return std::nullopt;
    if (std::optional<TItemTally> fresh = counts_->Fresh(item))
        return fresh;
    return Left(item);
}

std::optional<TItemTally> TfrmMain::Left(int item) {
    IItemRunner* runner = counts_ ? UiRunner() : nullptr;
    if (!runner)
        return std::nullopt;
    TItemTally tally;
    try {
        tally = runner->Preview(item);
    } catch (...) {
        return std::nullopt;
    }
    counts_->Store(item, tally);
    return tally;
}

TModalResult TfrmMain::ShowWithLine(const std::string& key,
                                    const std::vector<std::string>& args,
                                    const std::string& line,
                                    TMsgDlgButtons buttons) {
    IMessageDialog* dialog = engine1->SkinMessage();
    if (!dialog)
        return mrNone;
    MessageDialogRequest request;
    request.text = FillPlaceholders(AppText(key), args) + "\r\n" + line;
    request.caption = engine1->GetAppName();
    request.type = TMsgDlgType::mtInformation;
    request.buttons = buttons;
    bool showAgain = true;
    return dialog->Execute(request, showAgain);
}

bool TfrmMain::AskYesNoWithTotal(const std::string& key, const TItemTally& total) {
    const std::string line = FillPlaceholders(AppText("MSGBOX_ClearTotal"), TotalArgs(total, *SystemPlatform().locale));
    return ShowWithLine(key, {}, line, MsgButtons({mbYes, mbNo})) == mrYes;
}

void TfrmMain::ShowMessageWithFreed(const std::string& key,
                                    const std::vector<std::string>& args,
                                    const TItemTally& freed) {
    const std::string line = FillPlaceholders(AppText("MSGBOX_ClearFreed"), TotalArgs(freed, *SystemPlatform().locale));
    ShowWithLine(key, args, line, MsgButtons({mbOK}));
}

}  // namespace tallow
