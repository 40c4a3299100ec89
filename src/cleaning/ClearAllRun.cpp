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

void TClearAllRun::Run() {
    TRunningMark running(window_);
    RunItems();
}

void TClearAllRun::RunItems() {
    if (!window_.AskYesNo("MSGBOX_ClearNotify") || window_.StopRequested())
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
        actions_.RunAction(item);
        RaiseGauge(kGaugeStep);
        window_.ProcessMessages();
        if (window_.StopRequested()) {
            StopGauge();
            return;
        }
    }
    StopGauge();
    const std::vector<std::string> skipped = actions_.TakeSkippedPrograms();
    if (skipped.empty())
        window_.ShowMessage("MSGBOX_CLEARALLCLEARED");
    else
        window_.ShowMessageWith("MSGBOX_CLEARALLSKIPPED", {JoinNames(skipped)});
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
