#include "platform/WinInet_win.h"

namespace tallow {
namespace {

template <typename Function>
void Find(HMODULE library, Function& function, const char* name) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

TWinInet Load() {
    TWinInet api;
    HMODULE library = LoadLibraryA("wininet.dll");
    if (library == nullptr)
        return api;
    Find(library, api.InternetOpenA, "InternetOpenA");
    Find(library, api.InternetSetOptionA, "InternetSetOptionA");
    Find(library, api.InternetConnectA, "InternetConnectA");
    Find(library, api.HttpOpenRequestA, "HttpOpenRequestA");
    Find(library, api.HttpSendRequestA, "HttpSendRequestA");
    Find(library, api.HttpQueryInfoA, "HttpQueryInfoA");
    Find(library, api.InternetReadFile, "InternetReadFile");
    Find(library, api.InternetCloseHandle, "InternetCloseHandle");
    Find(library, api.FindFirstUrlCacheEntryA, "FindFirstUrlCacheEntryA");
    Find(library, api.FindNextUrlCacheEntryA, "FindNextUrlCacheEntryA");
    Find(library, api.FindFirstUrlCacheEntryExA, "FindFirstUrlCacheEntryExA");
    Find(library, api.FindNextUrlCacheEntryExA, "FindNextUrlCacheEntryExA");
    Find(library, api.FindCloseUrlCache, "FindCloseUrlCache");
    Find(library, api.DeleteUrlCacheEntryA, "DeleteUrlCacheEntryA");
    Find(library, api.FindFirstUrlCacheGroup, "FindFirstUrlCacheGroup");
    Find(library, api.FindNextUrlCacheGroup, "FindNextUrlCacheGroup");
    Find(library, api.GetUrlCacheGroupAttributeA, "GetUrlCacheGroupAttributeA");
    Find(library, api.SetUrlCacheGroupAttributeA, "SetUrlCacheGroupAttributeA");
    return api;
}

}  // namespace

bool TWinInet::CanGoOnline() const {
    return InternetOpenA && InternetSetOptionA && InternetConnectA && HttpOpenRequestA && HttpSendRequestA &&
           HttpQueryInfoA && InternetReadFile && InternetCloseHandle;
}

bool TWinInet::CanWalkCache() const {
    return FindFirstUrlCacheEntryA && FindNextUrlCacheEntryA && FindFirstUrlCacheEntryExA && FindNextUrlCacheEntryExA &&
           FindCloseUrlCache && DeleteUrlCacheEntryA && FindFirstUrlCacheGroup && FindNextUrlCacheGroup &&
           GetUrlCacheGroupAttributeA && SetUrlCacheGroupAttributeA;
}

const TWinInet& WinInet() {
    static const TWinInet api = Load();
    return api;
}

}  // namespace tallow
