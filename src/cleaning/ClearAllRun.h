// The clear-all run of the main window: every ticked item in catalogue order,
// after one question, while the gauge shows the progress.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cleaning/Catalogue.h"
#include "cleaning/ItemTally.h"

namespace tallow {

constexpr int kGaugeStep = 100;

/// What the run needs of the main window.
class IClearAllWindow {
  public:
    virtual ~IClearAllWindow() = default;
    /// Whether item `item` (1 to 13) is ticked, read at the moment of the call.
    virtual bool IsItemTicked(int item) = 0;
    virtual int GaugeMax() = 0;
    virtual void SetGaugeMax(int value) = 0;
    virtual int GaugeValue() = 0;
    virtual void SetGaugeValue(int value) = 0;
    virtual void SetGaugeVisible(bool visible) = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;
    /// The message of `key`, information type, with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::string& key) = 0;
    /// The message of `key`, information type, OK button.
    virtual void ShowMessage(const std::string& key) = 0;
    /// The same with "{1}", "{2}" ... of the text replaced by `args`; a window
    /// that shows no such message need not override it.
    virtual void ShowMessageWith(const std::string& key, const std::vector<std::string>& /*args*/) { ShowMessage(key); }
    /// AskYesNo with a line below the question: about `total` will be removed.
    /// A window that shows no sizes need not override it.
    virtual bool AskYesNoWithTotal(const std::string& key, const TItemTally& /*total*/) { return AskYesNo(key); }
    /// ShowMessageWith with a line below the message: `freed` was removed.
    /// A window that shows no sizes need not override it.
    virtual void ShowMessageWithFreed(const std::string& key,
                                      const std::vector<std::string>& args,
                                      const TItemTally& /*freed*/) {
        args.empty() ? ShowMessage(key) : ShowMessageWith(key, args);
    }
    /// Lets the window handle every message that is waiting.
    virtual void ProcessMessages() = 0;
    /// A run is going (true) or over (false): the buttons that start cleaning are
    /// disabled for its whole length, question included, so no run can nest.
    /// A window without such buttons need not override it.
    virtual void SetRunning(bool /*running*/) {}
    /// The window was asked to close, or the program to end, while the run went
    /// on; never, for a window that cannot be closed meanwhile.
    virtual bool StopRequested() { return false; }
};

/// The cleaning side of the run.
class IClearAllActions {
  public:
    virtual ~IClearAllActions() = default;
    virtual bool IsFirefoxRunning() = 0;
    /// The run's action of item `item`; may throw (the clipboard item does).
    virtual void RunAction(int item) = 0;
    /// The programs the actions left alone since the last call because they were
    /// in use, by their names for the user, each once; the list starts afresh.
    virtual std::vector<std::string> TakeSkippedPrograms() { return {}; }
};

/// What the run can say about sizes.
class IClearAllTally {
  public:
    virtual ~IClearAllTally() = default;
    /// What item `item` would remove now; none when it cannot be told.
    virtual std::optional<TItemTally> Expected(int item) = 0;
    /// What item `item` still holds after its action; none when it cannot be told.
    virtual std::optional<TItemTally> Left(int item) = 0;
};

/// The sum of `a` and `b`; the status plays no part.
TItemTally AddTally(const TItemTally& a, const TItemTally& b);

/// `names` for the user: "A, B, C".
std::string JoinNames(const std::vector<std::string>& names);

class TClearAllRun {
  public:
    /// Without `tally` the question and the closing message carry no sizes.
    TClearAllRun(IClearAllWindow& window, IClearAllActions& actions, IClearAllTally* tally = nullptr)
        : window_(window), actions_(actions), tally_(tally) {}

    /// btnClearAllClick. With a tally, the question carries the total expected
    /// of the ticked items and the closing message what their actions freed
    /// (each counted where both its counts are known). The closing message names the programs left alone
    /// because they were in use ("MSGBOX_CLEARALLSKIPPED"). An exception from an action ends the run there and reaches
    /// the caller; the gauge then stays visible and the timer keeps running.
    /// A stop request seen after the question or after an item ends the run
    /// there: the gauge is hidden, the timer stopped, no further item runs and
    /// no closing message is shown. The window is marked running throughout.
    void Run();
    /// tmrClearAllTimer: the gauge's value plus 1, clamped to its maximum.
    void TimerTick();

  private:
    void RunItems();
    bool Ask();
    void RunItem(int item);
    void ShowClosingMessage();
    void StopGauge();
    bool FirefoxItemBlocks();
    void RaiseGauge(int step);

    IClearAllWindow& window_;
    IClearAllActions& actions_;
    IClearAllTally* tally_;
    // Of this run: what each ticked item was expected to remove, and what was freed.
    std::vector<std::optional<TItemTally>> expected_;
    std::optional<TItemTally> freed_;
};

}  // namespace tallow
