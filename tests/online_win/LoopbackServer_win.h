// A real HTTP server on 127.0.0.1 for the Windows tests: it listens on a free
// port, answers every request with one scripted answer (any bytes, sent in
// pieces with pauses, stalled or cut short) and records what each request
// carried. One thread accepts; each connection runs on its own thread; the
// destructor ends them all and closes every socket.
//
//     TLoopbackServer server;
//     server.SetAnswer(HttpAnswer("magicword=x\r\nResult=0\r\n"));
//     downloader.URL = server.Url("/update/?ACTION=Update");
//     ... server.Requests()[0].requestLine == "GET /update/?ACTION=Update HTTP/1.0"
//
// Tests of the whole program make this server the system's proxy with
// TScopedSystemProxy: every request of the program then reaches it, whatever
// its address, and its request line carries the full address asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tallow::testing {

/// What the server sends for a request, in this order: `head` as is (status
/// line and header lines, each with its CR LF, then the empty line), `body`,
/// then `fillerBytes` bytes of 'x'. Bodies go out in pieces of `pieceSize`
/// bytes (0: at once), each after a pause of `pauseMs`.
struct TScriptedAnswer {
    std::string head;
    std::string body;
    size_t fillerBytes = 0;
    size_t pieceSize = 0;
    unsigned pauseMs = 0;
    /// After everything is sent the connection stays open, silent, until the
    /// client closes it or the server ends; otherwise the server closes it.
    bool stall = false;
};

/// "HTTP/1.0 <status> X" with a Content-Length header (unless `withLength` is
/// false: the body then ends when the connection does) and the body.
TScriptedAnswer HttpAnswer(const std::string& body, int status = 200, bool withLength = true);
/// A chunked HTTP/1.1 answer whose chunks are `chunks`, with the final empty chunk.
TScriptedAnswer ChunkedAnswer(const std::vector<std::string>& chunks);

struct TRecordedRequest {
    std::string requestLine;           // e.g. "GET /update/?a=1 HTTP/1.0"
    std::vector<std::string> headers;  // "Name: value", as received
    std::string body;                  // as long as its Content-Length said
    /// The value of the first header `name` (letter case ignored); "" when absent.
    std::string Header(const std::string& name) const;
    bool HasHeader(const std::string& name) const;
};

class TLoopbackServer {
  public:
    /// Listens on 127.0.0.1 on a port the system chooses; answers "HTTP/1.0 200"
    /// with the body "ok" until SetAnswer.
    TLoopbackServer();
    ~TLoopbackServer();
    TLoopbackServer(const TLoopbackServer&) = delete;
    TLoopbackServer& operator=(const TLoopbackServer&) = delete;

    uint16_t Port() const;
    /// "http://127.0.0.1:<port>" followed by `path`.
    std::string Url(const std::string& path) const;
    /// The answer to every request from now on.
    void SetAnswer(TScriptedAnswer answer);
    /// The requests whose head has arrived, in order of arrival.
    std::vector<TRecordedRequest> Requests() const;
    /// Connections that have ended (answered, cut, or closed by the client).
    int FinishedConnections() const;

  private:
    struct State;
    std::shared_ptr<State> state_;
};

/// Makes `server` the HTTP proxy of the system for the current user while it
/// lives: in the key "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Internet
/// Settings", ProxyEnable (DWORD) 1, ProxyServer "127.0.0.1:<port>" and no
/// ProxyOverride (no address bypasses it). The previous values come back at its
/// end. Clients opened with the system's proxy settings afterwards use it.
class TScopedSystemProxy {
  public:
    explicit TScopedSystemProxy(const TLoopbackServer& server);
    ~TScopedSystemProxy();
    TScopedSystemProxy(const TScopedSystemProxy&) = delete;
    TScopedSystemProxy& operator=(const TScopedSystemProxy&) = delete;

  private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
};

}  // namespace tallow::testing
