// What each catalogue item would remove, for the main window's size labels:
// counted page by page on a worker with a runner of its own, handed back to the
// user-interface thread, and kept for a while.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "cleaning/Catalogue.h"
#include "cleaning/ItemTally.h"
#include "cleaning/WorkerThread.h"

namespace tallow {

using TSteadyClock = std::function<std::chrono::steady_clock::time_point()>;

struct TItemCountsServices {
    /// The worker the counts run on; it outlives the counts.
    IWorkQueue* worker = nullptr;
    /// Makes the runner of the worker; called once, at construction (a runner
    /// copies the settings it reads on the thread that owns them), and used on
    /// the worker alone from then on.
    std::function<std::unique_ptr<IItemRunner>()> makeRunner;
    /// Runs a task on the user-interface thread later (a posted message).
    std::function<void(std::function<void()>)> postToUi;
    TSteadyClock clock = std::chrono::steady_clock::now;
};

/// Lives on the user-interface thread; every member is called there.
class TItemCounts {
  public:
    explicit TItemCounts(TItemCountsServices services);
    /// Results that arrive afterwards are dropped.
    ~TItemCounts();
    TItemCounts(const TItemCounts&) = delete;
    TItemCounts& operator=(const TItemCounts&) = delete;

    /// How long a count is shown again without counting anew.
    static constexpr std::chrono::seconds kReuse{30};

    /// Item `item`'s count started or ended: its label is due.
    std::function<void(int item)> OnChange;

    /// Counts the items of `page`, except those counted less than kReuse ago and
    /// those being counted.
    void CountPage(TCataloguePage page);
    /// Counts `item` again whatever it had (after it was cleaned); a count of it
    /// under way is superseded.
    void Recount(int item);
    /// `tally` is the count of `item` from now on (counted by its caller).
    void Store(int item, const TItemTally& tally);

    /// Whether `item` is being counted.
    bool Counting(int item) const;
    /// The latest count of `item`, however old; none before its first.
    std::optional<TItemTally> Known(int item) const;
    /// The count of `item` when it is less than kReuse old.
    std::optional<TItemTally> Fresh(int item) const;

  private:
    struct TSlot {
        unsigned requested = 0;  // the latest count asked for
        unsigned answered = 0;   // the count shown
        std::optional<TItemTally> tally;
        std::chrono::steady_clock::time_point countedAt;
    };
    struct TWorkerSide;
    struct TUiSide {
        std::array<TSlot, kItemCount> slots;
    };

    void Request(int item);
    void Answer(int item, unsigned request, const TItemTally& tally);
    TSlot& Slot(int item) { return ui_->slots[item - 1]; }
    const TSlot& Slot(int item) const { return ui_->slots[item - 1]; }

    TItemCountsServices services_;
    std::shared_ptr<TWorkerSide> workerSide_;
    std::shared_ptr<TUiSide> ui_;  // posted answers hold it weakly
};

}  // namespace tallow
