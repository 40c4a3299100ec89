// The application object of the toolkit: title, main form, and the standard
// error box that every window procedure reports exceptions to. The message loop
// and the error box are the platform application's; the window layer installs it.
#pragma once

#include <functional>
#include <string>

#include "platform/Application.h"

namespace tallow {

class TskForm;

using TExceptionHandler = std::function<void(const std::string& message)>;

class TApplication {
  public:
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    // Closing the main form ends the message loop.
    TskForm* MainForm() const { return mainForm_; }
    void SetMainForm(TskForm* form) { mainForm_ = form; }

    // The platform's application object, whose message loop and error box this one uses.
    void SetPlatformApplication(IApplication* application) { platformApp_ = application; }
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
    IApplication* platformApp_ = nullptr;
    bool terminated_ = false;
    TExceptionHandler handler_;
};

TApplication& Application();

// Shorthands of Application().SetExceptionHandler / HandleException.
void SetExceptionHandler(TExceptionHandler handler);
void ReportException(const std::string& message);

}  // namespace tallow
