#include <windows.h>

#include "platform/Http.h"
#include "platform/WinInet_win.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

/// The root, connection and request handles of one request, closed request first.
class TWinInetResponse : public IHttpResponse {
  public:
    ~TWinInetResponse() override {
        for (HINTERNET handle : {request, connection, root}) {
            if (handle)
                WinInet().InternetCloseHandle(handle);
        }
    }

    std::optional<std::string> ContentLength() override {
        char text[1024] = {};
        DWORD size = sizeof text;
        if (!WinInet().HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
            return std::nullopt;
        return std::string(text, size < sizeof text ? size : sizeof text - 1);
    }

    std::optional<size_t> Read(char* buffer, size_t size) override {
        DWORD read = 0;
        if (!WinInet().InternetReadFile(request, buffer, static_cast<DWORD>(size), &read))
            return std::nullopt;
        return read;
    }

    HINTERNET root = nullptr;
    HINTERNET connection = nullptr;
    HINTERNET request = nullptr;
};

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

void SetTimeouts(HINTERNET root, unsigned ms) {
    if (ms == 0)
        return;
    DWORD value = ms;
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        WinInet().InternetSetOptionA(root, option, &value, sizeof value);
    }
}

class TWinInetHttp : public IHttp {
  public:
    std::unique_ptr<IHttpResponse> Send(const THttpRequest& r) override {
        if (!WinInet().CanGoOnline())
            return nullptr;
        auto response = std::make_unique<TWinInetResponse>();
        // The system's proxy configuration, as the user set it for every program.
        response->root = WinInet().InternetOpenA(OrNull(r.agent), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        if (!response->root)
            return nullptr;
        SetTimeouts(response->root, r.timeoutMs);
        response->connection = WinInet().InternetConnectA(response->root, r.server.c_str(), r.port, r.userName.c_str(),
                                                          r.password.c_str(), INTERNET_SERVICE_HTTP, 0, 0);
        if (!response->connection)
            return nullptr;
        // Set again on the connection, whose requests take them over: some clients
        // keep only the connect limit of the root, and wait for data for ever.
        SetTimeouts(response->connection, r.timeoutMs);
        const char* accept[] = {OrNull(r.acceptType), nullptr};
        DWORD flags = (r.reload ? INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE : 0) |
                      (r.secure ? INTERNET_FLAG_SECURE : 0);
        response->request =
            WinInet().HttpOpenRequestA(response->connection, r.verb.c_str(), r.path.c_str(), r.version.c_str(),
                                       OrNull(r.referer), accept[0] ? accept : nullptr, flags, 0);
        if (!response->request)
            return nullptr;
        std::string body = r.body;  // the API takes a writable buffer
        if (!WinInet().HttpSendRequestA(response->request, OrNull(r.headers), static_cast<DWORD>(r.headers.size()),
                                        body.empty() ? nullptr : body.data(), static_cast<DWORD>(body.size())))
            return nullptr;
        return response;
    }
};

}  // namespace

IHttp& WinInetHttp() {
    static TWinInetHttp http;
    return http;
}

}  // namespace tallow
