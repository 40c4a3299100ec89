// Which folders a cleaner may empty.
//
// No cleaner empties a drive or share root, the Windows folder, the user's profile
// folder or a folder above one of them, whatever the registry or the environment
// names as the temporary, cache or profile folder; nor an empty or relative path.
#pragma once

#include <string>
#include <vector>

namespace tallow {

/// The form in which two Windows paths are compared: "\\?\" dropped ("\\?\UNC\"
/// becomes "\\"), slashes made backslashes, repeated backslashes collapsed (the
/// leading pair of a UNC path kept), trailing backslashes removed, ASCII upper case.
std::string ComparablePath(const std::string& path);

/// True for "X:\..." and "\\server\share..." (with or without "\\?\").
bool IsAbsolutePath(const std::string& path);

/// True when `folder` (full and long, as the system resolved it) may be emptied:
/// absolute, not a root, neither equal to nor above any of `protectedFolders`
/// (resolved the same way; empty ones are ignored).
bool MayEmptyFolder(const std::string& folder, const std::vector<std::string>& protectedFolders);

}  // namespace tallow
