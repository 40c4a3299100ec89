// The one check every way of opening a web page goes through: the engine's
// OpenURL and the toolkit's link label.
#pragma once

#include <optional>
#include <string>

namespace tallow {

/// The address as it may go into a browser's command line, or nothing when it
/// is not a web address. Only addresses beginning with "http://" or "https://"
/// (any case) are accepted. Percent-encoded are: control characters, space,
/// double quote and backslash, so that the address cannot end the quoted
/// argument or add arguments of its own; and & | ^ < > %, which the command
/// interpreter reads when an open command runs through it. Every "%" is encoded,
/// escapes already in the address included ("%41" becomes "%2541"): an address
/// is then never re-read as a variable or an escape on its way to the browser,
/// at the price of sending such escapes literally.
std::optional<std::string> SafeWebAddress(const std::string& url);

}  // namespace tallow
