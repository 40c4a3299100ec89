// Opening a web page: the checks and the browser command line.
#pragma once

#include <string>

#include "components/WebAddress.h"

namespace tallow {

/// The browser command line for `url` from the registered open command: every
/// "%1" replaced by the address in double quotes (a "%1" the command quotes
/// itself keeps its quotes), or, without "%1", the address appended after two
/// spaces in double quotes. `url` must already be safe (SafeWebAddress).
std::string ComposeBrowserCommand(const std::string& openCommand, const std::string& url);

}  // namespace tallow
