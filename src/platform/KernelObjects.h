// Named kernel objects.
#pragma once

#include <string>

namespace tallow {

enum class MutexResult { Created, AlreadyExists, Failed };

class IKernelObjects {
  public:
    virtual ~IKernelObjects() = default;
    /// CreateMutexA without initial ownership. The handle stays open until the
    /// process ends (also when the mutex already existed). A mutex of that name
    /// that this user may not open gives Failed, never AlreadyExists.
    virtual MutexResult CreateNamedMutex(const std::string& name) = 0;
    /// True when a mutex of that name exists now (also one this user may not open).
    virtual bool MutexExists(const std::string& name) const = 0;
};

}  // namespace tallow
