#include "toolkit/controls/ErrorBox.h"

namespace tallow {

namespace {
struct Handlers {
    TExceptionHandler custom;
    TExceptionHandler fallback;
    std::string title;
};

Handlers& State() {
    static Handlers h;
    return h;
}
}  // namespace

void SetExceptionHandler(TExceptionHandler handler) { State().custom = std::move(handler); }
void SetDefaultExceptionHandler(TExceptionHandler handler) { State().fallback = std::move(handler); }

void ReportException(const std::string& message) {
    Handlers& h = State();
    if (h.custom)
        h.custom(message);
    else if (h.fallback)
        h.fallback(message);
}

void SetApplicationTitle(const std::string& title) { State().title = title; }
const std::string& ApplicationTitle() { return State().title; }

}  // namespace tallow
