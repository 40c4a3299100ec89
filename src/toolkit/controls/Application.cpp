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
    if (platformApp_ != nullptr && !terminated_)
        platformApp_->RunMessageLoop();
}

void TApplication::ProcessMessages() {
    if (platformApp_ != nullptr)
        platformApp_->ProcessMessages();
}

void TApplication::Terminate() {
    terminated_ = true;
    if (platformApp_ != nullptr)
        platformApp_->Terminate();
}

void TApplication::HandleException(const std::string& message) {
    if (handler_)
        handler_(message);
    else if (platformApp_ != nullptr)
        platformApp_->ShowErrorBox(title_, message);
}

void SetExceptionHandler(TExceptionHandler handler) {
    Application().SetExceptionHandler(std::move(handler));
}
void ReportException(const std::string& message) {
    Application().HandleException(message);
}

}  // namespace tallow
