#include "fakes/FakeTraceServices.h"

namespace tallow {

namespace {

class TFakeView : public ISharedView {
  public:
    explicit TFakeView(std::shared_ptr<std::vector<std::uint8_t>> bytes) : bytes_(std::move(bytes)) {}
    std::uint8_t* Data() override { return bytes_->data(); }
    std::size_t Size() const override { return bytes_->size(); }

  private:
    std::shared_ptr<std::vector<std::uint8_t>> bytes_;
};

class TFakeEvent : public INamedEvent {
  public:
    explicit TFakeEvent(std::shared_ptr<TFakeEvents::Event> event) : event_(std::move(event)) {}
    void Set() override {
        event_->set = true;
        ++event_->sets;
        if (event_->onSet) {
            event_->onSet();
        }
    }
    TWaitResult Wait(unsigned) override {
        ++event_->waits;
        if (event_->waitResult) {
            return *event_->waitResult;
        }
        if (!event_->set) {
            return {WaitOutcome::TimedOut, {}};
        }
        event_->set = event_->manualReset;
        return {WaitOutcome::Signalled, {}};
    }

  private:
    std::shared_ptr<TFakeEvents::Event> event_;
};

class TFakeMutex : public INamedMutex {
  public:
    explicit TFakeMutex(std::shared_ptr<TFakeEvents::Mutex> mutex) : mutex_(std::move(mutex)) {}
    TWaitResult Acquire(unsigned) override {
        if (mutex_->acquire != WaitOutcome::Signalled || mutex_->held) {
            return {mutex_->held ? WaitOutcome::TimedOut : mutex_->acquire, "fake wait failure"};
        }
        mutex_->held = true;
        ++mutex_->acquisitions;
        return {WaitOutcome::Signalled, {}};
    }
    void Release() override { mutex_->held = false; }

  private:
    std::shared_ptr<TFakeEvents::Mutex> mutex_;
};

}  // namespace

bool InGlobalNamespace(const std::string& name) {
    return name.compare(0, 7, "Global\\") == 0;
}

std::vector<std::uint8_t>& TFakeSharedMemory::Add(const std::string& name, std::size_t size) {
    auto& bytes = mappings[name];
    bytes = std::make_shared<std::vector<std::uint8_t>>(size);
    return *bytes;
}

std::unique_ptr<ISharedView> TFakeSharedMemory::Open(const std::string& name) {
    ++opens;
    auto it = mappings.find(name);
    return it == mappings.end() ? nullptr : std::make_unique<TFakeView>(it->second);
}

std::unique_ptr<ISharedView> TFakeSharedMemory::Create(const std::string& name, std::size_t size, bool& existed) {
    existed = mappings.count(name) != 0;
    if (existed || (globalCreationRefused && InGlobalNamespace(name))) {
        return nullptr;
    }
    return std::make_unique<TFakeView>(mappings[name] = std::make_shared<std::vector<std::uint8_t>>(size));
}

TFakeEvents::Event& TFakeEvents::AddEvent(const std::string& name) {
    return *(events[name] = std::make_shared<Event>());
}

TFakeEvents::Mutex& TFakeEvents::AddMutex(const std::string& name) {
    return *(mutexes[name] = std::make_shared<Mutex>());
}

std::unique_ptr<INamedEvent> TFakeEvents::OpenNamedEvent(const std::string& name) {
    auto it = events.find(name);
    return it == events.end() ? nullptr : std::make_unique<TFakeEvent>(it->second);
}

std::unique_ptr<INamedEvent> TFakeEvents::CreateNamedEvent(const std::string& name,
                                                           bool manualReset,
                                                           bool initiallySet) {
    if (globalCreationRefused && InGlobalNamespace(name) && !events.count(name)) {
        return nullptr;
    }
    auto& event = events[name];
    if (!event) {
        event = std::make_shared<Event>();
        event->manualReset = manualReset;
        event->set = initiallySet;
    }
    return std::make_unique<TFakeEvent>(event);
}

std::unique_ptr<INamedMutex> TFakeEvents::OpenNamedMutex(const std::string& name) {
    auto it = mutexes.find(name);
    return it == mutexes.end() ? nullptr : std::make_unique<TFakeMutex>(it->second);
}

std::unique_ptr<INamedMutex> TFakeEvents::CreateNamedMutex(const std::string& name) {
    if (globalCreationRefused && InGlobalNamespace(name) && !mutexes.count(name)) {
        return nullptr;
    }
    auto& mutex = mutexes[name];
    if (!mutex) {
        mutex = std::make_shared<Mutex>();
    }
    return std::make_unique<TFakeMutex>(mutex);
}

}  // namespace tallow
