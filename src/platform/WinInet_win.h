#pragma once

#include <windows.h>

#include <wininet.h>

namespace tallow {

// WinInet's entry points. Importing the library would load it at every start,
// with its own set-up of the cache folders and of the network libraries it
// needs, though most starts neither go online nor walk the browser cache: it
// is loaded the first time one of them is asked for, and stays loaded.
struct TWinInet {
    // going online
    decltype(&::InternetOpenA) InternetOpenA = nullptr;
    decltype(&::InternetSetOptionA) InternetSetOptionA = nullptr;
    decltype(&::InternetConnectA) InternetConnectA = nullptr;
    decltype(&::HttpOpenRequestA) HttpOpenRequestA = nullptr;
    decltype(&::HttpSendRequestA) HttpSendRequestA = nullptr;
    decltype(&::HttpQueryInfoA) HttpQueryInfoA = nullptr;
    decltype(&::InternetReadFile) InternetReadFile = nullptr;
    decltype(&::InternetCloseHandle) InternetCloseHandle = nullptr;
    // the browser cache
    decltype(&::FindFirstUrlCacheEntryA) FindFirstUrlCacheEntryA = nullptr;
    decltype(&::FindNextUrlCacheEntryA) FindNextUrlCacheEntryA = nullptr;
    decltype(&::FindFirstUrlCacheEntryExA) FindFirstUrlCacheEntryExA = nullptr;
    decltype(&::FindNextUrlCacheEntryExA) FindNextUrlCacheEntryExA = nullptr;
    decltype(&::FindCloseUrlCache) FindCloseUrlCache = nullptr;
    decltype(&::DeleteUrlCacheEntryA) DeleteUrlCacheEntryA = nullptr;
    // looked for, not called: a library without cache groups is too old for the walk
    decltype(&::FindFirstUrlCacheGroup) FindFirstUrlCacheGroup = nullptr;
    decltype(&::FindNextUrlCacheGroup) FindNextUrlCacheGroup = nullptr;
    decltype(&::GetUrlCacheGroupAttributeA) GetUrlCacheGroupAttributeA = nullptr;
    decltype(&::SetUrlCacheGroupAttributeA) SetUrlCacheGroupAttributeA = nullptr;

    // Every entry point for going online was found.
    bool CanGoOnline() const;
    // Every entry point for walking the browser cache was found.
    bool CanWalkCache() const;
};

// The library's entry points, looked up on the first call (thread-safe); an
// entry point the library lacks, or all of them when it cannot be loaded, is null.
const TWinInet& WinInet();

}  // namespace tallow
