// HTTP requests through the system's Internet client, which applies the proxy
// the user configured for the system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tallow {

/// One request as the client sends it.
struct THttpRequest {
    std::string agent;  // empty: no user-agent header
    std::string server;
    uint16_t port = 80;
    bool secure = false;  // TLS (https)
    std::string userName;
    std::string password;
    std::string verb = "GET";
    std::string path = "/";  // object path with its query
    std::string version = "HTTP/1.0";
    std::string referer;     // empty: none
    std::string acceptType;  // the one accepted media type; empty: none
    bool reload = true;      // bypass the local cache and ask the server
    std::string headers;     // additional header lines
    std::string body;
    /// Limit for connecting, sending and each wait for data, in milliseconds;
    /// 0 keeps the client's defaults.
    unsigned timeoutMs = 0;
};

/// A sent request whose answer is being read. Closing it (destruction) closes
/// every handle of the request.
class IHttpResponse {
  public:
    virtual ~IHttpResponse() = default;
    /// The Content-Length header as text; nothing when the answer has none.
    virtual std::optional<std::string> ContentLength() = 0;
    /// Reads up to `size` bytes of the body: the count read, 0 at its end, nothing
    /// when the read failed (broken connection, time-out, bad chunk framing).
    virtual std::optional<size_t> Read(char* buffer, size_t size) = 0;
};

class IHttp {
  public:
    virtual ~IHttp() = default;
    /// Connects and sends `request`; nullptr when the client cannot be opened, the
    /// server cannot be reached or the request cannot be sent. May block for as
    /// long as the network does; safe to call from any thread.
    virtual std::unique_ptr<IHttpResponse> Send(const THttpRequest& request) = 0;
};

}  // namespace tallow
