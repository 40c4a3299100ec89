// The application object of the user-interface thread.
#pragma once

#include <string>

namespace tallow {

class IApplication {
public:
    virtual ~IApplication() = default;
    /// Initialises COM for this thread, apartment-threaded; false on failure.
    virtual bool InitializeCom() = 0;
    /// Undoes a successful InitializeCom.
    virtual void UninitializeCom() = 0;
    /// Gets and dispatches messages until WM_QUIT arrives.
    virtual void RunMessageLoop() = 0;
    /// Ends the message loop (PostQuitMessage).
    virtual void Terminate() = 0;
    /// Dispatches the messages that are waiting, without blocking.
    virtual void ProcessMessages() = 0;
    /// Blocks the thread for `milliseconds`.
    virtual void Sleep(unsigned milliseconds) = 0;
    /// The application's standard error box.
    virtual void ShowErrorBox(const std::string& title, const std::string& text) = 0;
};

}  // namespace tallow
