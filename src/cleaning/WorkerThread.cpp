#include "cleaning/WorkerThread.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace tallow {

// Shared by the queue and its thread, so that a thread let go at Stop keeps
// what it uses.
struct TWorkerThread::TShared {
    std::mutex mutex;
    std::condition_variable wake;   // a task came, or the stop
    std::condition_variable ended;  // the thread is done
    std::condition_variable idle;   // the running task ended
    std::deque<std::function<void()>> tasks;
    std::thread thread;
    bool started = false, stopped = false, done = false, running = false;
    int paused = 0;

    void Run() {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return stopped || (!tasks.empty() && paused == 0); });
            if (stopped)
                break;
            std::function<void()> task = std::move(tasks.front());
            tasks.pop_front();
            running = true;
            lock.unlock();
            task();
            task = nullptr;  // its captures go on this thread, before the next wait
            lock.lock();
            running = false;
            idle.notify_all();
        }
        done = true;
        ended.notify_all();
    }
};

TWorkerThread::TWorkerThread() : shared_(std::make_shared<TShared>()) {}

TWorkerThread::~TWorkerThread() {
    Stop(kEndWait);
}

void TWorkerThread::Post(std::function<void()> task) {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->stopped)
        return;
    if (!shared_->started) {
        try {
            shared_->thread = std::thread([shared = shared_] { shared->Run(); });
        } catch (const std::system_error&) {
            return;  // no thread: nothing is counted, nothing waits
        }
        shared_->started = true;
    }
    shared_->tasks.push_back(std::move(task));
    shared_->wake.notify_one();
}

bool TWorkerThread::Stop(std::chrono::milliseconds wait) {
    std::deque<std::function<void()>> dropped;
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->stopped = true;
    dropped.swap(shared_->tasks);
    shared_->wake.notify_all();
    if (!shared_->started || !shared_->thread.joinable())
        return !shared_->started || shared_->done;  // never started, or stopped before
    const bool ended = shared_->ended.wait_for(lock, wait, [this] { return shared_->done; });
    std::thread thread = std::move(shared_->thread);
    lock.unlock();
    if (thread.joinable()) {
        if (ended)
            thread.join();
        else
            thread.detach();
    }
    return ended;
}

bool TWorkerThread::Pause(std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    ++shared_->paused;
    return shared_->idle.wait_for(lock, wait, [this] { return !shared_->running; });
}

void TWorkerThread::Resume() {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->paused > 0)
        --shared_->paused;
    shared_->wake.notify_all();
}

}  // namespace tallow
