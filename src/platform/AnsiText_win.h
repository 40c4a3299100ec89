// Conversions between the system's ANSI code page, in which the program keeps its
// texts, and the UTF-16 text of the wide (W) Win32 functions.
#pragma once

#include <string>

namespace tallow {

/// `text` (ANSI code page) as UTF-16; empty for an empty or unconvertible text.
std::wstring AnsiToWide(const std::string& text);

}  // namespace tallow
