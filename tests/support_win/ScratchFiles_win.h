// Files for the Windows tests that run copies of the shipped program: the test
// program's own folder, whole files, and copies of the shipped folders.
#pragma once

#include <string>

namespace tallow::testing {

/// The folder of the running test program, with a trailing backslash.
std::string ThisFolder();

/// The whole content of a file; `missing` when it cannot be opened.
std::string ReadWholeFile(const std::string& path, const std::string& missing = std::string());

/// Copies the files and folders below `from` into `to` (both with a trailing
/// backslash), creating `to`.
void CopyTree(const std::string& from, const std::string& to);

}  // namespace tallow::testing
