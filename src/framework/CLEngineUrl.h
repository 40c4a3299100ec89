// Opening a web page: the checks and the browser command line.
#pragma once

#include <optional>
#include <string>

namespace tallow {

/// The address as it may go into a browser's command line, or nothing when it
/// is not a web address. Only addresses beginning with "http://" or "https://"
/// (any case) are accepted; double quotes, backslashes, spaces and control
/// characters are percent-encoded so that the address cannot end the quoted
/// argument or add arguments of its own.
std::optional<std::string> SafeWebAddress(const std::string& url);

/// The browser command line for `url` from the registered open command: every
/// "%1" replaced by the address, or, without "%1", the address appended after
/// two spaces in double quotes. `url` must already be safe (SafeWebAddress).
std::string ComposeBrowserCommand(const std::string& openCommand, const std::string& url);

}  // namespace tallow
