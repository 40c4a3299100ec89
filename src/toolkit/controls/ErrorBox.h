// The application's standard error box. Window procedures catch every exception
// and report it here; nothing is thrown through a platform callback.
#pragma once

#include <functional>
#include <string>

namespace tallow {

using TExceptionHandler = std::function<void(const std::string& message)>;

// Replaces the handler; an empty one restores the default (the window layer's
// error box with the application title, or nothing without a window layer).
void SetExceptionHandler(TExceptionHandler handler);
void SetDefaultExceptionHandler(TExceptionHandler handler);
void ReportException(const std::string& message);

// The application title shown by the default error box (and the task bar).
void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

}  // namespace tallow
