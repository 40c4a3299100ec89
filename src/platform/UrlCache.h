// The WinInet URL cache: the plain and the Ex enumeration, single deletions.
//
// The find calls follow WinInet's contract: called with no buffer and a size of 0
// they fail with ERROR_INSUFFICIENT_BUFFER and report the size the entry needs;
// called with a buffer of that size they fill it. Callers read the entry they got
// back through `ReadEntry`, so that they need not know the system's record layout.
#pragma once

#include <cstdint>
#include <string>

namespace tallow {

/// An enumeration handle of the URL cache; 0 means none.
using UrlCacheHandle = std::uintptr_t;

/// Entry-type flags of WinInet (CacheEntryType).
namespace cache_entry {
constexpr std::uint32_t kNormal = 0x1;
constexpr std::uint32_t kSticky = 0x4;
constexpr std::uint32_t kTrackOffline = 0x10;
constexpr std::uint32_t kTrackOnline = 0x20;
constexpr std::uint32_t kSparse = 0x10000;
constexpr std::uint32_t kCookie = 0x100000;
constexpr std::uint32_t kUrlHistory = 0x200000;
}  // namespace cache_entry

/// System error codes the walks test for.
namespace cache_error {
constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kInsufficientBuffer = 122;
constexpr std::uint32_t kNoMoreItems = 259;
}  // namespace cache_error

struct TUrlCacheEntry {
    std::string sourceUrl;
    std::uint32_t type = 0;
    std::uint64_t size = 0;  // of the entry's local file, in bytes
};

class IUrlCache {
  public:
    virtual ~IUrlCache() = default;
    /// True when "wininet.dll" loads and exports FindFirstUrlCacheGroup,
    /// FindNextUrlCacheGroup, GetUrlCacheGroupAttributeA, SetUrlCacheGroupAttributeA
    /// and FindFirstUrlCacheEntryExA. Once true it stays true; the library stays loaded.
    virtual bool LibraryFound() = 0;

    /// FindFirstUrlCacheEntryA (`pattern` may be null).
    virtual UrlCacheHandle FindFirst(const char* pattern, void* buffer, std::uint32_t& size) = 0;
    /// FindNextUrlCacheEntryA.
    virtual bool FindNext(UrlCacheHandle walk, void* buffer, std::uint32_t& size) = 0;
    /// FindFirstUrlCacheEntryExA with no group attributes.
    virtual UrlCacheHandle FindFirstEx(const char* pattern,
                                       std::uint32_t flags,
                                       std::uint32_t filter,
                                       std::int64_t group,
                                       void* buffer,
                                       std::uint32_t& size) = 0;
    /// FindNextUrlCacheEntryExA.
    virtual bool FindNextEx(UrlCacheHandle walk, void* buffer, std::uint32_t& size) = 0;
    /// DeleteUrlCacheEntryA.
    virtual bool DeleteEntry(const std::string& url) = 0;
    /// FindCloseUrlCache; false for no handle.
    virtual bool Close(UrlCacheHandle walk) = 0;
    /// The system's last error after the previous call.
    virtual std::uint32_t LastError() = 0;
    /// The source URL and type of the entry a find call wrote into `buffer`.
    virtual TUrlCacheEntry ReadEntry(const void* buffer) = 0;
};

}  // namespace tallow
