#include "cleaning/PathGuard.h"

#include <algorithm>
#include <cwctype>

namespace tallow {
namespace {

template <class S>
S Literal(const char* text) {
    return S(text, text + std::char_traits<char>::length(text));
}

template <class S>
bool StartsWith(const S& s, const char* prefix) {
    return s.compare(0, std::char_traits<char>::length(prefix), Literal<S>(prefix)) == 0;
}

template <class C>
bool IsDriveLetter(C c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Upper case as the library maps it (final paths of one volume carry the letters as
// stored, so this only evens out spellings).
wchar_t Upper(wchar_t c) {
    return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
}

// True for "C:" and for "\\SERVER" or "\\SERVER\SHARE" (comparable forms).
template <class S>
bool IsRoot(const S& p) {
    if (p.size() == 2 && IsDriveLetter(p[0]) && p[1] == ':')
        return true;
    if (!StartsWith(p, "\\\\"))
        return false;
    return std::count(p.begin() + 2, p.end(), '\\') <= 1;
}

// True when `p` is `other` or a folder above it (comparable forms).
template <class S>
bool IsSameOrAbove(const S& p, const S& other) {
    return other == p || (other.size() > p.size() && other.compare(0, p.size(), p) == 0 && other[p.size()] == '\\');
}

// Backslashes only, and the "\\?\" forms turned into the plain ones.
template <class S>
S PlainForm(const S& path) {
    S p = path;
    std::replace(p.begin(), p.end(), typename S::value_type('/'), typename S::value_type('\\'));
    if (StartsWith(p, "\\\\?\\UNC\\"))
        return Literal<S>("\\\\") + p.substr(8);
    if (StartsWith(p, "\\\\?\\") || StartsWith(p, "\\\\.\\"))
        return p.substr(4);
    return p;
}

// True when a segment of the (comparable) path is "." or "..": such a path has not
// been resolved, so what it names is unknown.
template <class S>
bool HasDotSegment(const S& p) {
    std::size_t start = 0;
    while (start <= p.size()) {
        std::size_t end = p.find('\\', start);
        S segment = p.substr(start, end == S::npos ? S::npos : end - start);
        if (segment == Literal<S>(".") || segment == Literal<S>(".."))
            return true;
        if (end == S::npos)
            break;
        start = end + 1;
    }
    return false;
}

std::wstring Comparable(const std::wstring& path) {
    using S = std::wstring;
    S p = PlainForm(path);
    bool unc = StartsWith(p, "\\\\");
    S out = unc ? Literal<S>("\\\\") : S();
    for (std::size_t i = unc ? 2 : 0; i < p.size(); ++i) {
        if (p[i] == '\\' && !out.empty() && out.back() == '\\' && out.size() > (unc ? 2u : 0u))
            continue;
        out += Upper(p[i]);
    }
    while (out.size() > (unc ? 2u : 0u) && out.back() == '\\')
        out.pop_back();
    return out;
}

template <class S>
bool Absolute(const S& path) {
    S p = PlainForm(path);
    if (StartsWith(p, "\\\\"))
        return p.size() > 2 && p[2] != '\\';
    return p.size() >= 3 && IsDriveLetter(p[0]) && p[1] == ':' && p[2] == '\\';
}

bool MayEmpty(const std::wstring& folder, const std::vector<std::wstring>& protectedFolders) {
    using S = std::wstring;
    if (!Absolute(folder))
        return false;
    S p = Comparable(folder);
    if (IsRoot(p) || HasDotSegment(p))
        return false;
    for (const S& guarded : protectedFolders) {
        if (!guarded.empty() && IsSameOrAbove(p, Comparable(guarded)))
            return false;
    }
    return true;
}

}  // namespace

std::wstring ComparablePath(const std::wstring& path) {
    return Comparable(path);
}

bool IsAbsolutePath(const std::string& path) {
    return Absolute(path);
}

bool IsAbsolutePath(const std::wstring& path) {
    return Absolute(path);
}

bool MayEmptyFolder(const std::wstring& folder, const std::vector<std::wstring>& protectedFolders) {
    return MayEmpty(folder, protectedFolders);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return Comparable(a) == Comparable(b);
}

}  // namespace tallow
