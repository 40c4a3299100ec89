#include "online_win/LoopbackServer_win.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace tallow::testing {

//--- Answers and records --------------------------------------------------------

TScriptedAnswer HttpAnswer(const std::string& body, int status, bool withLength) {
    TScriptedAnswer answer;
    answer.head = "HTTP/1.0 " + std::to_string(status) + " Scripted\r\nContent-Type: text/plain\r\n";
    if (withLength) {
        answer.head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    }
    answer.head += "\r\n";
    answer.body = body;
    return answer;
}

TScriptedAnswer ChunkedAnswer(const std::vector<std::string>& chunks) {
    TScriptedAnswer answer;
    answer.head =
        "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
    char size[16];
    for (const std::string& chunk : chunks) {
        snprintf(size, sizeof size, "%zx\r\n", chunk.size());
        answer.body += size + chunk + "\r\n";
    }
    answer.body += "0\r\n\r\n";
    return answer;
}

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return tolower(static_cast<unsigned char>(x)) == tolower(static_cast<unsigned char>(y));
           });
}

const std::string* FindHeader(const std::vector<std::string>& headers, const std::string& name) {
    for (const std::string& line : headers) {
        const size_t colon = line.find(':');
        if (colon != std::string::npos && SameName(line.substr(0, colon), name)) {
            return &line;
        }
    }
    return nullptr;
}

}  // namespace

std::string TRecordedRequest::Header(const std::string& name) const {
    const std::string* line = FindHeader(headers, name);
    if (!line) {
        return "";
    }
    const size_t value = line->find_first_not_of(' ', line->find(':') + 1);
    return value == std::string::npos ? "" : line->substr(value);
}

bool TRecordedRequest::HasHeader(const std::string& name) const {
    return FindHeader(headers, name) != nullptr;
}

//--- The server ------------------------------------------------------------------

struct TLoopbackServer::State {
    SOCKET listener = INVALID_SOCKET;
    uint16_t port = 0;
    std::atomic<bool> stopping{false};
    std::thread acceptor;
    mutable std::mutex mutex;
    std::vector<std::thread> connections;
    TScriptedAnswer answer = HttpAnswer("ok");
    std::vector<TRecordedRequest> requests;
    int finished = 0;

    void Accept();
    void Serve(SOCKET s);
    /// Waits until `s` is readable (or writable); false when the server stops.
    bool Wait(SOCKET s, bool forWriting) const;
    bool SendAll(SOCKET s, const char* data, size_t size) const;
    bool ReadRequest(SOCKET s, TRecordedRequest& request) const;
    bool Pause(unsigned ms) const;
};

namespace {

constexpr size_t kMaxHead = 1 << 20;

void StartWinsock() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) {
        throw std::runtime_error("Winsock did not start");
    }
}

}  // namespace

bool TLoopbackServer::State::Wait(SOCKET s, bool forWriting) const {
    while (!stopping) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval tick{0, 50 * 1000};
        const int ready = select(0, forWriting ? nullptr : &set, forWriting ? &set : nullptr, nullptr, &tick);
        if (ready != 0) {
            return ready > 0;
        }
    }
    return false;
}

bool TLoopbackServer::State::Pause(unsigned ms) const {
    for (unsigned waited = 0; waited < ms && !stopping; waited += 10) {
        Sleep(10);
    }
    return !stopping;
}

bool TLoopbackServer::State::SendAll(SOCKET s, const char* data, size_t size) const {
    while (size > 0) {
        if (!Wait(s, true)) {
            return false;
        }
        const int sent = send(s, data, static_cast<int>(std::min<size_t>(size, 64 * 1024)), 0);
        if (sent == SOCKET_ERROR) {
            if (WSAGetLastError() == WSAEWOULDBLOCK) {
                continue;
            }
            return false;  // the client went away
        }
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

bool TLoopbackServer::State::ReadRequest(SOCKET s, TRecordedRequest& request) const {
    std::string received;
    size_t headEnd = std::string::npos;
    char buffer[4096];
    size_t bodySize = 0;
    for (;;) {
        if (headEnd == std::string::npos) {
            headEnd = received.find("\r\n\r\n");
            if (headEnd != std::string::npos) {
                size_t start = received.find("\r\n");
                request.requestLine = received.substr(0, start);
                while (start < headEnd) {
                    const size_t next = received.find("\r\n", start + 2);
                    request.headers.push_back(received.substr(start + 2, next - start - 2));
                    start = next;
                }
                const std::string length = request.Header("Content-Length");
                bodySize = length.empty() ? 0 : std::stoul(length);
            } else if (received.size() > kMaxHead) {
                return false;
            }
        }
        if (headEnd != std::string::npos && received.size() >= headEnd + 4 + bodySize) {
            request.body = received.substr(headEnd + 4, bodySize);
            return true;
        }
        if (!Wait(s, false)) {
            return false;
        }
        const int got = recv(s, buffer, sizeof buffer, 0);
        if (got == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        received.append(buffer, static_cast<size_t>(got));
        if (received[0] < 'A' || received[0] > 'Z') {
            return false;  // not HTTP (a TLS handshake, say): hang up at once
        }
    }
}

void TLoopbackServer::State::Serve(SOCKET s) {
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    TRecordedRequest request;
    bool complete = false;
    try {
        complete = ReadRequest(s, request);
    } catch (const std::exception&) {  // a Content-Length that is no number
    }
    if (complete) {
        TScriptedAnswer a;
        {
            std::lock_guard<std::mutex> lock(mutex);
            requests.push_back(request);
            a = answer;
        }
        bool ok = SendAll(s, a.head.data(), a.head.size());
        const std::string filler(std::min<size_t>(a.fillerBytes, 64 * 1024), 'x');
        const size_t piece = a.pieceSize ? a.pieceSize : std::max<size_t>(a.body.size(), 1);
        for (size_t at = 0; ok && at < a.body.size(); at += piece) {
            ok = Pause(a.pauseMs) && SendAll(s, a.body.data() + at, std::min(piece, a.body.size() - at));
        }
        for (size_t left = a.fillerBytes; ok && left > 0; left -= std::min(left, filler.size())) {
            ok = SendAll(s, filler.data(), std::min(left, filler.size()));
        }
        if (ok && a.stall) {
            char sink[256];
            while (Wait(s, false) && recv(s, sink, sizeof sink, 0) > 0) {
            }
        }
    }
    shutdown(s, SD_SEND);
    closesocket(s);
    std::lock_guard<std::mutex> lock(mutex);
    ++finished;
}

void TLoopbackServer::State::Accept() {
    while (!stopping) {
        if (!Wait(listener, false)) {
            return;
        }
        SOCKET s = accept(listener, nullptr, nullptr);
        if (s == INVALID_SOCKET) {
            continue;
        }
        std::lock_guard<std::mutex> lock(mutex);
        connections.emplace_back([this, s] { Serve(s); });
    }
}

TLoopbackServer::TLoopbackServer() : state_(std::make_shared<State>()) {
    StartWinsock();
    State& st = *state_;
    st.listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int size = sizeof address;
    if (st.listener == INVALID_SOCKET || bind(st.listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(st.listener, SOMAXCONN) != 0 ||
        getsockname(st.listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("the loopback server cannot listen");
    }
    st.port = ntohs(address.sin_port);
    st.acceptor = std::thread([&st] { st.Accept(); });
}

TLoopbackServer::~TLoopbackServer() {
    State& st = *state_;
    st.stopping = true;
    st.acceptor.join();
    closesocket(st.listener);
    std::vector<std::thread> connections;
    {
        std::lock_guard<std::mutex> lock(st.mutex);
        connections.swap(st.connections);
    }
    for (std::thread& connection : connections) {
        connection.join();
    }
}

uint16_t TLoopbackServer::Port() const {
    return state_->port;
}

std::string TLoopbackServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(state_->port) + path;
}

void TLoopbackServer::SetAnswer(TScriptedAnswer answer) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->answer = std::move(answer);
}

std::vector<TRecordedRequest> TLoopbackServer::Requests() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->requests;
}

int TLoopbackServer::FinishedConnections() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->finished;
}

//--- The system's proxy ---------------------------------------------------------

namespace {

const char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

/// A value as raw bytes with its type; nothing when absent.
struct TRawValue {
    bool present = false;
    DWORD type = 0;
    std::string bytes;
};

TRawValue ReadRaw(HKEY key, const char* name) {
    TRawValue value;
    char data[2048];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        value.present = true;
        value.bytes.assign(data, size);
    }
    return value;
}

void WriteRaw(HKEY key, const char* name, const TRawValue& value) {
    if (value.present) {
        RegSetValueExA(key, name, 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                       static_cast<DWORD>(value.bytes.size()));
    } else {
        RegDeleteValueA(key, name);
    }
}

}  // namespace

struct TScopedSystemProxy::Saved {
    HKEY key = nullptr;
    TRawValue enable, server, bypass;
};

TScopedSystemProxy::TScopedSystemProxy(const TLoopbackServer& server) : saved_(std::make_unique<Saved>()) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &saved_->key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("the Internet settings cannot be opened");
    }
    saved_->enable = ReadRaw(saved_->key, "ProxyEnable");
    saved_->server = ReadRaw(saved_->key, "ProxyServer");
    saved_->bypass = ReadRaw(saved_->key, "ProxyOverride");
    const DWORD on = 1;
    const std::string address = "127.0.0.1:" + std::to_string(server.Port());
    RegSetValueExA(saved_->key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
    RegSetValueExA(saved_->key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(address.c_str()),
                   static_cast<DWORD>(address.size() + 1));
    RegDeleteValueA(saved_->key, "ProxyOverride");
}

TScopedSystemProxy::~TScopedSystemProxy() {
    WriteRaw(saved_->key, "ProxyEnable", saved_->enable);
    WriteRaw(saved_->key, "ProxyServer", saved_->server);
    WriteRaw(saved_->key, "ProxyOverride", saved_->bypass);
    RegCloseKey(saved_->key);
}

}  // namespace tallow::testing
