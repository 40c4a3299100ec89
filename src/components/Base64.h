// The standard base64 alphabet with '=' padding: the text form of binary values
// that travel inside text, such as the signature line of an update answer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tallow {

/// `bytes` in standard base64, padded to a multiple of four characters.
std::string Base64Encode(std::string_view bytes);

/// The bytes of padded standard base64 text; nothing when the text is not that:
/// a length that is no multiple of four, a character outside the alphabet
/// (blanks and line ends included), padding anywhere but at the end, or bits
/// left over in the last character.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace tallow
