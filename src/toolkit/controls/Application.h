// The application object of the toolkit: title, main form, message loop and
// the standard error box that every window procedure reports exceptions to.
#pragma once

#include <functional>
#include <string>

namespace tallow {

class TskForm;

// The platform's message loop; the window layer installs one.
class IMessageLoop {
  public:
    virtual ~IMessageLoop() = default;
    virtual void Run() = 0;              // until Quit
    virtual void ProcessMessages() = 0;  // the waiting messages, without blocking
    virtual void Quit() = 0;
    virtual void ShowError(const std::string& title, const std::string& message) = 0;
};

using TExceptionHandler = std::function<void(const std::string& message)>;

class TApplication {
  public:
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    // Closing the main form ends the message loop.
    TskForm* MainForm() const { return mainForm_; }
    void SetMainForm(TskForm* form) { mainForm_ = form; }

    void SetMessageLoop(IMessageLoop* loop) { loop_ = loop; }
    // Shows the main form (when set) and runs the message loop until Terminate.
    void Run();
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // The standard error box: the handler the application set, else the
    // platform's box with the application title and the message.
    void SetExceptionHandler(TExceptionHandler handler) { handler_ = std::move(handler); }
    void HandleException(const std::string& message);

  private:
    std::string title_;
    TskForm* mainForm_ = nullptr;
    IMessageLoop* loop_ = nullptr;
    bool terminated_ = false;
    TExceptionHandler handler_;
};

TApplication& Application();

// Shorthands of Application().SetExceptionHandler / HandleException.
void SetExceptionHandler(TExceptionHandler handler);
void ReportException(const std::string& message);

}  // namespace tallow
