#include <windows.h>

#include <atomic>

#include "platform/UrlCache.h"
#include "platform/WinInet_win.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

HANDLE ToHandle(UrlCacheHandle h) {
    return reinterpret_cast<HANDLE>(h);
}

UrlCacheHandle FromHandle(HANDLE h) {
    return reinterpret_cast<UrlCacheHandle>(h);
}

auto* AsEntry(void* buffer) {
    return static_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer);
}

class TWinUrlCache : public IUrlCache {
  public:
    bool LibraryFound() override {
        if (!found_)
            found_ = WinInet().CanWalkCache();
        return found_;
    }

    UrlCacheHandle FindFirst(const char* pattern, void* buffer, std::uint32_t& size) override {
        if (!LibraryFound())
            return Missing();
        DWORD n = size;
        HANDLE h = WinInet().FindFirstUrlCacheEntryA(pattern, AsEntry(buffer), &n);
        Finish(n, size);
        return FromHandle(h);
    }

    bool FindNext(UrlCacheHandle walk, void* buffer, std::uint32_t& size) override {
        DWORD n = size;
        BOOL ok = WinInet().FindNextUrlCacheEntryA(ToHandle(walk), AsEntry(buffer), &n);
        Finish(n, size);
        return ok != FALSE;
    }

    UrlCacheHandle FindFirstEx(const char* pattern,
                               std::uint32_t flags,
                               std::uint32_t filter,
                               std::int64_t group,
                               void* buffer,
                               std::uint32_t& size) override {
        if (!LibraryFound())
            return Missing();
        DWORD n = size;
        HANDLE h = WinInet().FindFirstUrlCacheEntryExA(pattern, flags, filter, group, AsEntry(buffer), &n, nullptr,
                                                       nullptr, nullptr);
        Finish(n, size);
        return FromHandle(h);
    }

    bool FindNextEx(UrlCacheHandle walk, void* buffer, std::uint32_t& size) override {
        DWORD n = size;
        BOOL ok = WinInet().FindNextUrlCacheEntryExA(ToHandle(walk), AsEntry(buffer), &n, nullptr, nullptr, nullptr);
        Finish(n, size);
        return ok != FALSE;
    }

    bool DeleteEntry(const std::string& url) override {
        if (!LibraryFound()) {
            Missing();
            return false;
        }
        BOOL ok = WinInet().DeleteUrlCacheEntryA(url.c_str());
        lastError_ = ok ? 0 : GetLastError();
        return ok != FALSE;
    }

    bool Close(UrlCacheHandle walk) override {
        BOOL ok = WinInet().FindCloseUrlCache(ToHandle(walk));
        lastError_ = ok ? 0 : GetLastError();
        return ok != FALSE;
    }

    std::uint32_t LastError() override { return lastError_; }

    TUrlCacheEntry ReadEntry(const void* buffer) override {
        const auto* entry = static_cast<const INTERNET_CACHE_ENTRY_INFOA*>(buffer);
        if (!entry)
            return {};
        return {entry->lpszSourceUrlName ? entry->lpszSourceUrlName : "", entry->CacheEntryType,
                (std::uint64_t(entry->dwSizeHigh) << 32) | entry->dwSizeLow};
    }

  private:
    // What a walk or a deletion answers without the library.
    UrlCacheHandle Missing() {
        lastError_ = ERROR_PROC_NOT_FOUND;
        return 0;
    }

    void Finish(DWORD n, std::uint32_t& size) {
        lastError_ = GetLastError();
        size = n;
    }

    std::atomic<bool> found_{false};
    std::uint32_t lastError_ = 0;
};

}  // namespace

IUrlCache& RealUrlCache() {
    static TWinUrlCache cache;
    return cache;
}

}  // namespace tallow
