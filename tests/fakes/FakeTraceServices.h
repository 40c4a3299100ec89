// Fakes of the shared-memory and event services: named mappings are byte
// buffers, named events and mutexes are flags a test sets and inspects.
// Nothing blocks: a wait on an event that is not set times out at once.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Events.h"
#include "platform/SharedMemory.h"

namespace tallow {

/// True for a name in the "Global\" namespace, where a standard user may not
/// make new objects (`globalCreationRefused` in the fakes below).
bool InGlobalNamespace(const std::string& name);

class TFakeSharedMemory : public ISharedMemory {
  public:
    std::map<std::string, std::shared_ptr<std::vector<std::uint8_t>>> mappings;
    int opens = 0;                       // Open calls, successful or not
    bool globalCreationRefused = false;  // a standard user: a new Global\ mapping fails

    /// A new zero-filled mapping of `size` bytes named `name`.
    std::vector<std::uint8_t>& Add(const std::string& name, std::size_t size);
    std::unique_ptr<ISharedView> Open(const std::string& name) override;
    std::unique_ptr<ISharedView> Create(const std::string& name, std::size_t size, bool& existed) override;
};

class TFakeEvents : public IEvents {
  public:
    struct Event {
        bool manualReset = false;
        bool set = false;
        int sets = 0;
        int waits = 0;
        std::function<void()> onSet;            // runs at each Set, after the event is set
        std::optional<TWaitResult> waitResult;  // when set, every wait gives this
    };
    struct Mutex {
        bool held = false;
        int acquisitions = 0;
        WaitOutcome acquire = WaitOutcome::Signalled;  // what Acquire gives
    };
    std::map<std::string, std::shared_ptr<Event>> events;
    std::map<std::string, std::shared_ptr<Mutex>> mutexes;
    bool globalCreationRefused = false;  // a standard user: a new Global\ object fails, an existing one opens

    /// A test's own event or mutex as the viewer makes them.
    Event& AddEvent(const std::string& name);
    Mutex& AddMutex(const std::string& name);

    std::unique_ptr<INamedEvent> OpenNamedEvent(const std::string& name) override;
    std::unique_ptr<INamedEvent> CreateNamedEvent(const std::string& name,
                                                  bool manualReset,
                                                  bool initiallySet) override;
    std::unique_ptr<INamedMutex> OpenNamedMutex(const std::string& name) override;
    std::unique_ptr<INamedMutex> CreateNamedMutex(const std::string& name) override;
};

}  // namespace tallow
