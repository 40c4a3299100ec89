// The application object of the user-interface thread: the program's one
// message loop and its one error box. The toolkit's application delegates here.
#pragma once

#include <functional>
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
    /// The application's standard error box, owned by the thread's active window
    /// when there is one (else it disables the thread's windows while it shows).
    virtual void ShowErrorBox(const std::string& title, const std::string& text) = 0;
    /// Runs `task` on the user-interface thread, from whichever message loop
    /// dispatches there next (after the messages already waiting); safe to call
    /// from any thread. The user-interface thread is the one that first asked
    /// for the application object. A task that throws is reported in the error
    /// box; a task that cannot be posted is dropped.
    virtual void PostToUiThread(std::function<void()> task) = 0;
};

}  // namespace tallow
