// One thread that runs queued tasks in order, off the user-interface thread, and
// that can be stopped with a bound on the wait.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace tallow {

/// Runs tasks one after another somewhere other than the calling thread.
class IWorkQueue {
  public:
    virtual ~IWorkQueue() = default;
    /// Queues `task` behind those queued before it.
    virtual void Post(std::function<void()> task) = 0;
};

class TWorkerThread : public IWorkQueue {
  public:
    TWorkerThread();
    /// Stop(kEndWait).
    ~TWorkerThread() override;
    TWorkerThread(const TWorkerThread&) = delete;
    TWorkerThread& operator=(const TWorkerThread&) = delete;

    /// The thread starts with the first task. A stopped queue, or one whose
    /// thread could not start, drops the task.
    void Post(std::function<void()> task) override;
    /// Drops the queued tasks and waits up to `wait` for the running one to end.
    /// A task still running then finishes on its own, its thread let go; what it
    /// holds lives until it ends. True when no task runs any more.
    bool Stop(std::chrono::milliseconds wait);
    /// Holds the queue: no queued task starts until as many `Resume` calls, and
    /// waits up to `wait` for the running one to end. True when none runs now.
    bool Pause(std::chrono::milliseconds wait);
    void Resume();

    static constexpr std::chrono::milliseconds kEndWait{1500};

  private:
    struct TShared;
    std::shared_ptr<TShared> shared_;
};

}  // namespace tallow
