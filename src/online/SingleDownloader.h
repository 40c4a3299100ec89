// TSingleDownloader: one web request at a time on a worker thread, its answer
// handed back to the user-interface thread as text.
//
// The worker copies the component's settings when it starts, so later changes
// of the properties do not reach a running transfer. Progress and completion
// run on the user-interface thread (IApplication::PostToUiThread). `Cancel`
// detaches the running transfer: none of its events fires afterwards, and the
// worker ends on its own at its next check or when the network call it waits
// in returns. The worker keeps only what it shares with the posted hand-overs,
// never the component, so it may outlive the component safely. Each transfer
// ends at its overall deadline, however slowly the server keeps sending.
//
// When the program ends, EndAllTransfers stops every worker and waits for them
// a while; a worker still running afterwards never touches the application
// object again, so the object may go away.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/Component.h"

namespace tallow {

class IApplication;
class IHttp;
class TSingleDownloader;
class TSingleDownloaderThread;

using TOnProgressEvent = std::function<void(TSingleDownloaderThread& Sender, int32_t iTotalSize, int32_t iReaded)>;
using TOnDoneStringEvent = std::function<void(TSingleDownloader& Sender, const std::string& strResult)>;
using TDownloadNotifyEvent = std::function<void(TSingleDownloader& Sender)>;

/// Where an address points: "http://" (port 80) or "https://" (TLS, port 443)
/// is dropped; the server name runs to the first "/", where the object path
/// begins. An explicit ":port" after the server name is honoured.
struct TSplitURL {
    std::string server;
    std::string path;
    uint16_t port = 80;
    bool secure = false;
    /// False when no transfer can go there: no "/" after the server name, no
    /// server name, or a port that is not a number from 1 to 65535.
    bool valid = false;
};
TSplitURL SplitURL(const std::string& url);

/// The largest answer the downloader accepts; a longer one fails the transfer.
constexpr size_t kMaxDownloadBytes = 16 * 1024 * 1024;
/// Bytes asked for by each read of the body.
constexpr size_t kDownloadChunk = 1025;

class TSingleDownloader : public TComponent {
    TALLOW_CLASS(TSingleDownloader, TComponent)

    /// A component on `owner` over the process-wide platform's HTTP client and
    /// application object.
    explicit TSingleDownloader(TComponent* owner);
    /// Both services outlive every transfer this component starts.
    TSingleDownloader(TComponent* owner, IHttp& http, IApplication& application);
    /// Cancels the running transfer.
    ~TSingleDownloader() override;

    void PublishProperties(PropertyList& out) override;

    //--- Published properties ------------------------------------------------
    std::string AcceptTypes = "*/*";
    std::string Agent;
    /// An answer without Content-Length is not read and fails.
    bool BinaryData = false;
    std::string URL;
    /// False: the server is asked again, past any cached copy.
    bool UseCache = false;
    std::string UserName;
    std::string Password;
    /// The additional header text of a POST; empty sends the form header.
    std::string ContentType;
    /// The form body; non-empty makes the request a POST.
    std::string PostQuery;
    std::string Referer;
    /// DownloadToString dispatches the waiting window messages once before it returns.
    bool WaitThread = false;
    TOnProgressEvent OnProgress;
    TOnDoneStringEvent OnDoneString;
    TDownloadNotifyEvent OnError;

    /// Limit for connecting, sending and each wait for data, in milliseconds, so
    /// that a server that stops answering cannot hold a worker for ever.
    unsigned Timeout = 60000;
    /// Limit for the whole transfer, in milliseconds: a server that trickles its
    /// bytes cannot hold a worker for ever.
    unsigned Deadline = 120000;
    /// The clock the deadline runs on (monotonic); the steady clock unless a test sets another.
    std::function<std::chrono::steady_clock::time_point()> MonotonicClock = std::chrono::steady_clock::now;

    //--- Transfers -----------------------------------------------------------
    /// Starts a transfer of URL whose body arrives through OnDoneString; does
    /// nothing while one runs.
    void DownloadToString();
    /// Abandons the running transfer, if any; none of its events fires afterwards.
    void Cancel();

    bool Running() const { return worker_ != nullptr; }
    bool LastSuccess() const { return lastSuccess_; }
    bool Cancelled() const { return cancelled_; }
    /// Worker threads of every downloader of the process that have not ended yet,
    /// cancelled ones included.
    static int RunningWorkers();
    /// At the end of the program: asks every running worker to stop and waits
    /// up to `waitMs` for them to end. Workers that still run afterwards post
    /// nothing more to the application object. True when none runs any more.
    static bool EndAllTransfers(unsigned waitMs);

  private:
    friend class TSingleDownloaderThread;
    void Completed(TSingleDownloaderThread& worker);

    IHttp& http_;
    IApplication& application_;
    std::shared_ptr<TSingleDownloaderThread> worker_;
    bool lastSuccess_ = false;
    bool cancelled_ = false;
};

}  // namespace tallow
