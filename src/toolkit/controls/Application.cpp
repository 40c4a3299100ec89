#include "toolkit/controls/Application.h"

#include "toolkit/controls/Form.h"

namespace tallow {

TApplication& Application() {
    static TApplication app;
    return app;
}

void TApplication::Run() {
    terminated_ = false;
    if (mainForm_ != nullptr)
        mainForm_->Show();
    if (loop_ != nullptr && !terminated_)
        loop_->Run();
}

void TApplication::ProcessMessages() {
    if (loop_ != nullptr)
        loop_->ProcessMessages();
}

void TApplication::Terminate() {
    terminated_ = true;
    if (loop_ != nullptr)
        loop_->Quit();
}

void TApplication::HandleException(const std::string& message) {
    if (handler_)
        handler_(message);
    else if (loop_ != nullptr)
        loop_->ShowError(title_, message);
}

void SetExceptionHandler(TExceptionHandler handler) {
    Application().SetExceptionHandler(std::move(handler));
}
void ReportException(const std::string& message) {
    Application().HandleException(message);
}

}  // namespace tallow
