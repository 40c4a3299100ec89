#include <windows.h>

#include "platform/OwnerOnlySecurity_win.h"
#include "platform/WinServices.h"

namespace tallow {

namespace {

// The system's text for `error` in the user's default language, without the line end.
std::string SystemErrorText(DWORD error) {
    char* buffer = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = n && buffer ? std::string(buffer, n) : "Error " + std::to_string(error);
    if (buffer) {
        LocalFree(buffer);
    }
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

TWaitResult WaitOn(HANDLE handle, unsigned timeoutMs) {
    switch (WaitForSingleObject(handle, timeoutMs)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:
            return {WaitOutcome::Signalled, {}};
        case WAIT_TIMEOUT:
            return {WaitOutcome::TimedOut, {}};
        default:
            return {WaitOutcome::Failed, SystemErrorText(GetLastError())};
    }
}

class TWinEvent : public INamedEvent {
  public:
    explicit TWinEvent(HANDLE handle) : handle_(handle) {}
    ~TWinEvent() override { CloseHandle(handle_); }
    void Set() override { SetEvent(handle_); }
    TWaitResult Wait(unsigned timeoutMs) override { return WaitOn(handle_, timeoutMs); }

  private:
    HANDLE handle_;
};

class TWinMutex : public INamedMutex {
  public:
    explicit TWinMutex(HANDLE handle) : handle_(handle) {}
    ~TWinMutex() override { CloseHandle(handle_); }
    TWaitResult Acquire(unsigned timeoutMs) override { return WaitOn(handle_, timeoutMs); }
    void Release() override { ReleaseMutex(handle_); }

  private:
    HANDLE handle_;
};

template <typename T>
std::unique_ptr<T> Own(HANDLE handle) {
    return handle ? std::make_unique<T>(handle) : nullptr;
}

class TWinEvents : public IEvents {
  public:
    std::unique_ptr<INamedEvent> OpenNamedEvent(const std::string& name) override {
        return Own<TWinEvent>(OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name.c_str()));
    }
    std::unique_ptr<INamedEvent> CreateNamedEvent(const std::string& name,
                                                  bool manualReset,
                                                  bool initiallySet) override {
        TOwnerOnlySecurity security;
        return security.Attributes()
                   ? Own<TWinEvent>(CreateEventA(security.Attributes(), manualReset, initiallySet, name.c_str()))
                   : nullptr;
    }
    std::unique_ptr<INamedMutex> OpenNamedMutex(const std::string& name) override {
        return Own<TWinMutex>(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str()));
    }
    std::unique_ptr<INamedMutex> CreateNamedMutex(const std::string& name) override {
        TOwnerOnlySecurity security;
        return security.Attributes() ? Own<TWinMutex>(CreateMutexA(security.Attributes(), FALSE, name.c_str()))
                                     : nullptr;
    }
};

}  // namespace

IEvents& WinEvents() {
    static TWinEvents events;
    return events;
}

}  // namespace tallow
