// The counts behind the size labels: reuse within 30 s, a recount after a clean,
// answers that come too late, and the worker thread's bounded stop.
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <future>

#include "cleaning/ItemCounts.h"
#include "fakes/FakeItemRunner.h"

namespace tallow {
namespace {

using namespace std::chrono_literals;

// A worker that runs its tasks when the test says, and a user-interface thread
// whose posted tasks wait the same way.
class TManualQueue : public IWorkQueue {
  public:
    std::deque<std::function<void()>> tasks;
    void Post(std::function<void()> task) override { tasks.push_back(std::move(task)); }
    void RunAll() {
        while (!tasks.empty()) {
            auto task = std::move(tasks.front());
            tasks.pop_front();
            task();
        }
    }
};

class ItemCountsTest : public ::testing::Test {
  protected:
    TManualQueue worker, ui;
    TFakeItemRunner* runner = nullptr;  // the worker's, once made
    int runnersMade = 0;
    std::chrono::steady_clock::time_point now{100s};
    std::vector<int> changes;
    std::unique_ptr<TItemCounts> counts = Make();

    std::unique_ptr<TItemCounts> Make() {
        TItemCountsServices s;
        s.worker = &worker;
        s.makeRunner = [this] {
            auto made = std::make_unique<TFakeItemRunner>();
            made->holds = {{kItemTempFolder, {1204, 245u << 20, TItemStatus::kOk}}, {kItemClipboard, {1, 0}}};
            runner = made.get();
            ++runnersMade;
            return made;
        };
        s.postToUi = [this](std::function<void()> task) { ui.Post(std::move(task)); };
        s.clock = [this] { return now; };
        auto made = std::make_unique<TItemCounts>(std::move(s));
        made->OnChange = [this](int item) { changes.push_back(item); };
        return made;
    }
    void Settle() {
        worker.RunAll();
        ui.RunAll();
    }
};

TEST_F(ItemCountsTest, APageIsCountedOnTheWorkerAndReusedForThirtySeconds) {
    counts->CountPage(kPageSys);
    EXPECT_EQ(changes, (std::vector<int>{kItemClipboard, kItemRecycleBin, kItemTempFolder})) << "counting shows";
    EXPECT_TRUE(counts->Counting(kItemTempFolder));
    EXPECT_FALSE(counts->Counting(kItemIECache)) << "other pages wait until shown";
    EXPECT_EQ(runnersMade, 1) << "made here, where the settings belong";
    worker.RunAll();
    EXPECT_FALSE(counts->Known(kItemTempFolder)) << "nothing is shown before the answer is posted back";
    ui.RunAll();
    ASSERT_TRUE(counts->Known(kItemTempFolder));
    EXPECT_EQ(counts->Known(kItemTempFolder)->entries, 1204u);
    EXPECT_EQ(counts->Known(kItemRecycleBin)->entries, 0u);
    EXPECT_FALSE(counts->Counting(kItemTempFolder));
    EXPECT_EQ(changes.size(), 6u);

    struct Case {
        std::chrono::seconds later;
        bool countsAgain;
    };
    for (const Case c : {Case{29s, false}, Case{1s, true}, Case{10s, false}}) {
        now += c.later;
        runner->previewed.clear();
        counts->CountPage(kPageSys);
        counts->CountPage(kPageSys);  // shown twice while counting: counted once
        Settle();
        EXPECT_EQ(runner->previewed.size(), c.countsAgain ? 3u : 0u) << c.later.count();
        EXPECT_EQ(counts->Fresh(kItemTempFolder).has_value(), true);
    }
    now += 30s;
    EXPECT_FALSE(counts->Fresh(kItemTempFolder)) << "30 s old";
    EXPECT_TRUE(counts->Known(kItemTempFolder)) << "but still the latest";
    EXPECT_EQ(runnersMade, 1);
}

TEST_F(ItemCountsTest, ACleanedItemIsCountedAgainAndOlderAnswersAreDropped) {
    counts->CountPage(kPageSys);
    worker.RunAll();  // the first count is on its way back...
    runner->Clean(kItemTempFolder);
    counts->Recount(kItemTempFolder);  // ...when the item is cleaned
    ui.RunAll();
    EXPECT_TRUE(counts->Counting(kItemTempFolder)) << "the older answer does not end the recount";
    EXPECT_FALSE(counts->Known(kItemTempFolder));
    Settle();
    ASSERT_TRUE(counts->Known(kItemTempFolder));
    EXPECT_EQ(counts->Known(kItemTempFolder)->entries, 0u);

    counts->Recount(kItemClipboard);
    counts->Store(kItemClipboard, {0, 0, TItemStatus::kOk});  // counted by the clear-all run meanwhile
    Settle();
    EXPECT_EQ(counts->Known(kItemClipboard)->entries, 0u) << "the stored count is newer than the posted one";
    EXPECT_FALSE(counts->Counting(kItemClipboard));
    counts->Recount(0);
    counts->Store(kItemCount + 1, {});
    EXPECT_FALSE(counts->Known(kItemCount + 1));
}

TEST_F(ItemCountsTest, AnswersAfterTheCountsAreGoneAreDroppedAndAThrowingRunnerFails) {
    counts->CountPage(kPageSys);
    worker.RunAll();
    counts.reset();
    ui.RunAll();  // would write into freed counts
    EXPECT_EQ(changes.size(), 3u);

    class TThrowingRunner : public TFakeItemRunner {
        TItemTally Preview(int) override { throw std::runtime_error("walk failed"); }
    };
    TItemCountsServices s;
    s.worker = &worker;
    s.makeRunner = [] { return std::make_unique<TThrowingRunner>(); };
    s.postToUi = [this](std::function<void()> task) { ui.Post(std::move(task)); };
    TItemCounts failing(std::move(s));
    failing.Recount(kItemIECache);
    Settle();
    ASSERT_TRUE(failing.Known(kItemIECache));
    EXPECT_EQ(failing.Known(kItemIECache)->status, TItemStatus::kFailed);
}

// A task that never ends in time neither holds the stop nor loses what it uses;
// the tasks behind it never run.
TEST(WorkerThreadTest, StopWaitsBoundedlyDropsQueuedTasksAndRunsTasksInOrder) {
    TWorkerThread worker;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> ran{0};
    std::promise<std::vector<int>> order;
    auto seen = std::make_shared<std::vector<int>>();
    for (int i = 0; i < 3; ++i)
        worker.Post([seen, i] { seen->push_back(i); });
    worker.Post([seen, &order] { order.set_value(*seen); });
    EXPECT_EQ(order.get_future().get(), (std::vector<int>{0, 1, 2}));

    auto held = std::make_shared<int>(7);
    std::promise<void> started;
    worker.Post([released, held, &ran, &started] {
        started.set_value();
        released.wait();
        ran += *held;
    });
    worker.Post([&ran] { ran += 100; });
    started.get_future().wait();
    EXPECT_FALSE(worker.Stop(20ms)) << "the running task outlasts the wait";
    worker.Post([&ran] { ran += 1000; });
    held.reset();
    release.set_value();
    for (int i = 0; i < 500 && ran.load() == 0; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(ran.load(), 7) << "the let-go task ends with what it held; the others never run";

    TWorkerThread idle;
    EXPECT_TRUE(idle.Stop(0ms));
}

// A clean pauses the counts: the pause waits (boundedly) for the running task,
// and nothing queued starts until the last pause is resumed.
TEST(WorkerThreadTest, PauseWaitsForTheRunningTaskAndHoldsTheQueueUntilResumed) {
    TWorkerThread worker;
    std::promise<void> release, started;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> ran{0};
    worker.Post([released, &started, &ran] {
        started.set_value();
        released.wait();
        ran += 1;
    });
    started.get_future().wait();
    worker.Post([&ran] { ran += 10; });
    EXPECT_FALSE(worker.Pause(20ms)) << "the running task outlasts the wait";
    release.set_value();
    EXPECT_TRUE(worker.Pause(5s)) << "a second pause nests and sees the task end";
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(ran.load(), 1) << "the queued task waits while paused";
    worker.Resume();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(ran.load(), 1) << "one pause is still held";
    worker.Resume();
    for (int i = 0; i < 500 && ran.load() != 11; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(ran.load(), 11);
    worker.Resume();  // one too many does no harm
    worker.Post([&ran] { ran += 100; });
    for (int i = 0; i < 500 && ran.load() != 111; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(ran.load(), 111);
}

}  // namespace
}  // namespace tallow
