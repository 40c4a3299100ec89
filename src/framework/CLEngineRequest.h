// Text functions of the addresses the program asks the vendor's server for:
// the query's encodings, the packed version and the joining of address and query.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace tallow {

/// Letters, digits and ! $ ' ( ) * - . _ @ stay; a space becomes "+"; every other
/// byte (control characters and bytes above 127 included) becomes "%XX" with
/// upper-case hexadecimal digits.
std::string UrlEncode(const std::string& text);

/// Two upper-case hexadecimal digits per byte, high half first.
std::string HexEncode(const std::string& bytes);

/// "a.b.c.d" (up to the first space) packed into one number, a in the high byte;
/// each part keeps its low 8 bits, a part that is not a number counts as 0. Any
/// other count of parts gives 0.
uint32_t PackVersion(const std::string& version);

/// `query` joined to `address` with "?" or "&", or with nothing when the address
/// already ends its query with one of them; an empty address gives the query alone.
std::string AppendQuery(const std::string& address, const std::string& query);

/// The string value `valueName` of key `path` under `root`, or `fallback` when the
/// key or the value cannot be read. Never creates the key.
std::string ReadRegistryString(const IRegistry& registry,
                               RegistryRoot root,
                               const std::string& path,
                               const std::string& valueName,
                               const std::string& fallback);

/// The installer's channel value reduced to its file name: double quotes removed,
/// then only the text after the last backslash or colon.
std::string ChannelFileName(const std::string& channel);

/// The request's time stamp: the seconds (2 digits) and milliseconds (3 digits)
/// of a local time given as a day count.
std::string RequestTimeStamp(double now);

}  // namespace tallow
