#include "cleaning/PathGuard.h"

#include <algorithm>
#include <cctype>

namespace tallow {
namespace {

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool IsDriveLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// True for "C:" and for "\\SERVER" or "\\SERVER\SHARE" (comparable forms).
bool IsRoot(const std::string& p) {
    if (p.size() == 2 && IsDriveLetter(p[0]) && p[1] == ':')
        return true;
    if (!StartsWith(p, "\\\\"))
        return false;
    return std::count(p.begin() + 2, p.end(), '\\') <= 1;
}

// True when `p` is `other` or a folder above it (comparable forms).
bool IsSameOrAbove(const std::string& p, const std::string& other) {
    return other == p || StartsWith(other, p + "\\");
}

// Backslashes only, and the "\\?\" forms turned into the plain ones.
std::string PlainForm(const std::string& path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '/', '\\');
    if (StartsWith(p, "\\\\?\\UNC\\"))
        return "\\\\" + p.substr(8);
    if (StartsWith(p, "\\\\?\\") || StartsWith(p, "\\\\.\\"))
        return p.substr(4);
    return p;
}

// True when a segment of the (comparable) path is "." or "..": such a path has not
// been resolved, so what it names is unknown.
bool HasDotSegment(const std::string& p) {
    std::size_t start = 0;
    while (start <= p.size()) {
        std::size_t end = p.find('\\', start);
        std::string segment = p.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (segment == "." || segment == "..")
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::string ComparablePath(const std::string& path) {
    std::string p = PlainForm(path);
    bool unc = StartsWith(p, "\\\\");
    std::string out = unc ? "\\\\" : "";
    for (std::size_t i = unc ? 2 : 0; i < p.size(); ++i) {
        if (p[i] == '\\' && !out.empty() && out.back() == '\\' && out.size() > (unc ? 2u : 0u))
            continue;
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(p[i])));
    }
    while (out.size() > (unc ? 2u : 0u) && out.back() == '\\')
        out.pop_back();
    return out;
}

bool IsAbsolutePath(const std::string& path) {
    std::string p = PlainForm(path);
    if (StartsWith(p, "\\\\"))
        return p.size() > 2 && p[2] != '\\';
    return p.size() >= 3 && IsDriveLetter(p[0]) && p[1] == ':' && p[2] == '\\';
}

bool MayEmptyFolder(const std::string& folder, const std::vector<std::string>& protectedFolders) {
    if (!IsAbsolutePath(folder))
        return false;
    std::string p = ComparablePath(folder);
    if (IsRoot(p) || HasDotSegment(p))
        return false;
    for (const std::string& guarded : protectedFolders) {
        if (!guarded.empty() && IsSameOrAbove(p, ComparablePath(guarded)))
            return false;
    }
    return true;
}

}  // namespace tallow
