#include "cleaning/ClearAllRun.h"

#include <algorithm>

namespace tallow {

namespace {

// Marks the window running for the life of a run, however the run ends.
class TRunningMark {
  public:
    explicit TRunningMark(IClearAllWindow& window) : window_(window) { window_.SetRunning(true); }
    ~TRunningMark() { window_.SetRunning(false); }
    TRunningMark(const TRunningMark&) = delete;
    TRunningMark& operator=(const TRunningMark&) = delete;

  private:
    IClearAllWindow& window_;
};

}  // namespace

std::string JoinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : ", ") + name;
    return joined;
}

TItemTally AddTally(const TItemTally& a, const TItemTally& b) {
    return {a.entries + b.entries, a.bytes + b.bytes, TItemStatus::kOk};
}

void TClearAllRun::Run() {
    TRunningMark running(window_);
    RunItems();
}

void TClearAllRun::RunItems() {
    if (!Ask() || window_.StopRequested())
        return;
    if (FirefoxItemBlocks()) {
        window_.ShowMessage("MSGBOX_CloseFFAndClear");
        return;
    }
    window_.SetGaugeMax(0);
    window_.SetGaugeValue(0);
    for (int item = 1; item <= kItemCount; ++item) {
        if (window_.IsItemTicked(item))
            window_.SetGaugeMax(window_.GaugeMax() + kGaugeStep);
    }
    if (window_.GaugeMax() == 0) {
        window_.ShowMessage("MSGBOX_NoItemChoosed");
        return;
    }
    window_.SetGaugeVisible(true);
    window_.SetTimerEnabled(true);
    actions_.TakeSkippedPrograms();  // what earlier clicks left alone is no news of this run
    for (int item = 1; item <= kItemCount; ++item) {
        if (!window_.IsItemTicked(item))
            continue;
        RunItem(item);
        RaiseGauge(kGaugeStep);
        window_.ProcessMessages();
        if (window_.StopRequested()) {
            StopGauge();
            return;
        }
    }
    StopGauge();
    ShowClosingMessage();
}

// With a tally, the question adds the expected total of the items ticked now,
// when at least one of them could be told.
bool TClearAllRun::Ask() {
    expected_.assign(kItemCount + 1, std::nullopt);
    freed_.reset();
    if (!tally_)
        return window_.AskYesNo("MSGBOX_ClearNotify");
    std::optional<TItemTally> total;
    for (int item = 1; item <= kItemCount; ++item) {
        if (window_.IsItemTicked(item) && (expected_[item] = tally_->Expected(item)))
            total = AddTally(total.value_or(TItemTally{}), *expected_[item]);
    }
    return total ? window_.AskYesNoWithTotal("MSGBOX_ClearNotify", *total) : window_.AskYesNo("MSGBOX_ClearNotify");
}

// What an item freed: what it was expected to remove less what it left.
void TClearAllRun::RunItem(int item) {
    actions_.RunAction(item);
    if (!tally_ || !expected_[item])
        return;
    const std::optional<TItemTally> left = tally_->Left(item);
    if (!left)
        return;
    const TItemTally& before = *expected_[item];
    const TItemTally freed{before.entries - std::min(before.entries, left->entries),
                           before.bytes - std::min(before.bytes, left->bytes), TItemStatus::kOk};
    freed_ = AddTally(freed_.value_or(TItemTally{}), freed);
}

void TClearAllRun::ShowClosingMessage() {
    const std::vector<std::string> skipped = actions_.TakeSkippedPrograms();
    const std::string key = skipped.empty() ? "MSGBOX_CLEARALLCLEARED" : "MSGBOX_CLEARALLSKIPPED";
    const std::vector<std::string> args =
        skipped.empty() ? std::vector<std::string>{} : std::vector{JoinNames(skipped)};
    if (freed_)
        window_.ShowMessageWithFreed(key, args, *freed_);
    else if (skipped.empty())
        window_.ShowMessage(key);
    else
        window_.ShowMessageWith(key, args);
}

void TClearAllRun::StopGauge() {
    window_.SetGaugeVisible(false);
    window_.SetTimerEnabled(false);
}

void TClearAllRun::TimerTick() {
    RaiseGauge(1);
}

// A running Firefox holds the files of the items that need it closed.
bool TClearAllRun::FirefoxItemBlocks() {
    for (int item = 1; item <= kItemCount; ++item) {
        if (CatalogueItem(item)->runNeedsFirefoxClosed && window_.IsItemTicked(item))
            return actions_.IsFirefoxRunning();
    }
    return false;
}

void TClearAllRun::RaiseGauge(int step) {
    window_.SetGaugeValue(std::min(window_.GaugeValue() + step, window_.GaugeMax()));
}

}  // namespace tallow
