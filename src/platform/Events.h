// Named events and mutexes shared between processes, and waits on them.
#pragma once

#include <memory>
#include <string>

namespace tallow {

enum class WaitOutcome { Signalled, TimedOut, Failed };

struct TWaitResult {
    WaitOutcome outcome = WaitOutcome::Failed;
    /// For Failed: the system's message text for the error (user's default language).
    std::string errorText;
};

/// An open event handle, closed when the object ends.
class INamedEvent {
  public:
    virtual ~INamedEvent() = default;
    virtual void Set() = 0;
    virtual TWaitResult Wait(unsigned timeoutMs) = 0;
};

/// An open mutex handle, closed when the object ends (a held mutex is not released by that).
class INamedMutex {
  public:
    virtual ~INamedMutex() = default;
    /// Waits for ownership. A mutex whose owner ended without releasing it
    /// counts as obtained: the caller owns it then.
    virtual TWaitResult Acquire(unsigned timeoutMs) = 0;
    virtual void Release() = 0;
};

class IEvents {
  public:
    virtual ~IEvents() = default;
    /// OpenEventA with the rights to set and wait; nullptr when there is none.
    virtual std::unique_ptr<INamedEvent> OpenNamedEvent(const std::string& name) = 0;
    /// CreateEventA: a new event that only the current user and SYSTEM may
    /// open, or the existing one of that name (whose kind and state then stay
    /// as they are); nullptr on failure (a standard user may not make a new one
    /// in "Global\").
    virtual std::unique_ptr<INamedEvent> CreateNamedEvent(const std::string& name,
                                                          bool manualReset,
                                                          bool initiallySet) = 0;
    /// OpenMutexA with full access; nullptr when there is none.
    virtual std::unique_ptr<INamedMutex> OpenNamedMutex(const std::string& name) = 0;
    /// CreateMutexA without initial ownership, admitting only the current user
    /// and SYSTEM; the existing one when it exists. nullptr on failure.
    virtual std::unique_ptr<INamedMutex> CreateNamedMutex(const std::string& name) = 0;
};

}  // namespace tallow
