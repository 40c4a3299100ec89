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
/// argument or add arguments of its own; | ^ < >, which are not address
/// characters; and a "%" that does not begin an escape of two hexadecimal
/// digits. A query's "&" and its escapes ("%41") stay as they are, so the
/// vendor's pages receive their query intact; the browser command line puts the
/// address in double quotes, where a command interpreter reads "&" literally.
std::optional<std::string> SafeWebAddress(const std::string& url);

}  // namespace tallow
