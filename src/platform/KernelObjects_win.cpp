#include <windows.h>

#include "platform/WinServices.h"

namespace tallow {

namespace {

class TWinKernelObjects : public IKernelObjects {
  public:
    MutexResult CreateNamedMutex(const std::string& name) override {
        // The handle is deliberately never closed: the mutex must exist as long
        // as this process runs.
        HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
        const DWORD error = GetLastError();
        if (!mutex) {
            // ERROR_ACCESS_DENIED: a mutex of that name exists but belongs to
            // another user or an elevated start; that is no instance of this
            // user's program, so it counts as a failure, not as "exists".
            return MutexResult::Failed;
        }
        return error == ERROR_ALREADY_EXISTS ? MutexResult::AlreadyExists : MutexResult::Created;
    }

    bool MutexExists(const std::string& name) const override {
        HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
        if (mutex) {
            CloseHandle(mutex);
            return true;
        }
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
};

}  // namespace

IKernelObjects& WinKernelObjects() {
    static TWinKernelObjects objects;
    return objects;
}

}  // namespace tallow
