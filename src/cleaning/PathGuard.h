// Which folders a cleaner may empty.
//
// No cleaner empties a drive or share root, a protected folder (see
// ISystemFolders::ProtectedFolders) or a folder above one, whatever the registry or
// the environment names as the temporary, cache or profile folder; nor an empty or
// relative path. The folder cleaner applies these rules to the final paths of the
// folders it opens, so a link, a junction, a share or another letter case reaches
// no protected folder either.
#pragma once

#include <string>
#include <vector>

namespace tallow {

/// The form in which two Windows paths are compared: "\\?\" dropped ("\\?\UNC\"
/// becomes "\\"), slashes made backslashes, repeated backslashes collapsed (the
/// leading pair of a UNC path kept), trailing backslashes removed, upper case.
std::wstring ComparablePath(const std::wstring& path);

/// True for "X:\..." and "\\server\share..." (with or without "\\?\").
bool IsAbsolutePath(const std::string& path);
bool IsAbsolutePath(const std::wstring& path);

/// True when `folder` may be emptied: absolute, not a root, no "." or ".." segment,
/// neither equal to nor above any of `protectedFolders` (empty ones are ignored).
bool MayEmptyFolder(const std::wstring& folder, const std::vector<std::wstring>& protectedFolders);

/// True when the two paths name the same place in their comparable forms.
bool SamePath(const std::wstring& a, const std::wstring& b);

}  // namespace tallow
