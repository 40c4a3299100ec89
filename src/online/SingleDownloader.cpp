#include "online/SingleDownloader.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "components/TextCase.h"
#include "platform/Http.h"
#include "platform/Platform.h"

namespace tallow {

//--- Addresses -------------------------------------------------------------------

namespace {

/// The port written after the last ':' of `host`, which loses it; `fallback` when
/// there is none; 0 when it is not a number from 1 to 65535.
uint16_t TakePort(std::string& host, uint16_t fallback) {
    const size_t colon = host.rfind(':');
    if (colon == std::string::npos) {
        return fallback;
    }
    const std::string digits = host.substr(colon + 1);
    host.erase(colon);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    const unsigned long port = std::stoul(digits);
    return port <= 65535 ? static_cast<uint16_t>(port) : 0;
}

}  // namespace

TSplitURL SplitURL(const std::string& url) {
    TSplitURL out;
    std::string rest = url;
    if (StartsWithText(url, "http://")) {
        rest = url.substr(7);
    } else if (StartsWithText(url, "https://")) {
        rest = url.substr(8);
        out.secure = true;
        out.port = 443;
    }
    const size_t slash = rest.find('/');
    if (slash == std::string::npos) {
        out.path = rest;
        return out;
    }
    out.server = rest.substr(0, slash);
    out.path = rest.substr(slash);
    out.port = TakePort(out.server, out.port);
    out.valid = !out.server.empty() && out.port != 0;
    return out;
}

//--- The worker ------------------------------------------------------------------

/// One transfer: the settings it started with, what it received, and the state
/// its worker shares with the component's user-interface thread. Fields marked
/// "UI" are touched on the user-interface thread only; the worker writes its
/// results before it posts its completion, and reads nothing the component
/// changes except `stop`.
class TSingleDownloaderThread : public std::enable_shared_from_this<TSingleDownloaderThread> {
  public:
    explicit TSingleDownloaderThread(const TSingleDownloader& d)
        : acceptTypes(d.AcceptTypes),
          agent(d.Agent),
          url(d.URL),
          userName(d.UserName),
          password(d.Password),
          contentType(d.ContentType),
          postQuery(d.PostQuery),
          referer(d.Referer),
          binaryData(d.BinaryData),
          useCache(d.UseCache),
          timeout(d.Deadline < d.Timeout ? d.Deadline : d.Timeout),
          deadline(d.Deadline),
          clock(d.MonotonicClock ? d.MonotonicClock : std::chrono::steady_clock::now),
          hasProgress(static_cast<bool>(d.OnProgress)),
          onProgress(d.OnProgress) {}

    void Run(IHttp& http, IApplication& application);
    /// UI: the component lets go of this transfer; no event of it fires any more.
    void Detach();
    /// Any thread: asks the worker to stop at its next check.
    void RequestStop();
    /// Any thread: from now on the worker posts nothing to the application
    /// object; waits for a post that is under way.
    void Seal();

    const std::string acceptTypes, agent, url, userName, password, contentType, postQuery, referer;
    const bool binaryData, useCache;
    const unsigned timeout;
    const unsigned deadline;  // milliseconds for the whole transfer
    const std::function<std::chrono::steady_clock::time_point()> clock;
    const bool hasProgress;

    TSingleDownloader* owner = nullptr;  // UI; the completion's target while attached
    TOnProgressEvent onProgress;         // UI

    bool success = false;
    int32_t totalSize = 0;  // the announced Content-Length, 0 when none
    int32_t received = 0;
    size_t lastChunk = 0;
    std::string result;

  private:
    bool Transfer(IHttp& http, IApplication& application);
    THttpRequest Request(const TSplitURL& where) const;
    /// Runs the progress handler on the user-interface thread and waits until it
    /// has run, was dropped, or the transfer was cancelled.
    void HandOverProgress(IApplication& application);
    /// Hands `task` to the user-interface thread unless sealed; false when not.
    bool Post(IApplication& application, std::function<void()> task);
    bool Stopped() const { return stop_.load(); }
    /// Stopped, or the transfer's deadline has passed.
    bool Over() const { return Stopped() || clock() >= end_; }

    std::atomic<bool> stop_{false};
    std::chrono::steady_clock::time_point end_;
    std::mutex postMutex_;
    bool sealed_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool handedOver_ = false;
};

namespace {

const char kFormHeader[] = "Content-Type: application/x-www-form-urlencoded";

/// The Content-Length text as a number; -1 unless it is plain decimal digits.
long long ParseLength(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) {
        return -1;
    }
    const std::string digits = text.substr(first, last - first + 1);
    if (digits.size() > 12 || digits.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    return std::stoll(digits);
}

}  // namespace

THttpRequest TSingleDownloaderThread::Request(const TSplitURL& where) const {
    THttpRequest r;
    r.agent = agent;
    r.server = where.server;
    r.port = where.port;
    r.secure = where.secure;
    r.userName = userName;
    r.password = password;
    r.path = where.path;
    r.referer = referer;
    r.acceptType = acceptTypes;
    r.reload = !useCache;
    r.timeoutMs = timeout;
    if (!postQuery.empty()) {
        r.verb = "POST";
        r.body = postQuery;
        r.headers = contentType.empty() ? kFormHeader : contentType;
    }
    return r;
}

bool TSingleDownloaderThread::Transfer(IHttp& http, IApplication& application) {
    const TSplitURL where = SplitURL(url);
    if (!where.valid || Over()) {
        return false;
    }
    std::unique_ptr<IHttpResponse> response = http.Send(Request(where));
    if (!response || Over()) {
        return false;
    }
    const std::optional<std::string> lengthText = response->ContentLength();
    if (Over() || (!lengthText && binaryData)) {
        return false;
    }
    long long expected = -1;
    if (lengthText) {
        expected = ParseLength(*lengthText);
        if (expected < 0 || expected > static_cast<long long>(kMaxDownloadBytes)) {
            return false;
        }
        totalSize = static_cast<int32_t>(expected);
    }
    char buffer[kDownloadChunk];
    for (;;) {
        if (Over()) {
            return false;
        }
        const std::optional<size_t> count = response->Read(buffer, sizeof buffer);
        if (!count || *count > sizeof buffer) {
            return false;  // a broken connection loses the whole answer
        }
        if (*count == 0) {
            break;
        }
        if (result.size() + *count > kMaxDownloadBytes) {
            return false;
        }
        result.append(buffer, *count);
        received += static_cast<int32_t>(*count);
        lastChunk = *count;
        if (hasProgress && !Stopped()) {
            HandOverProgress(application);
        }
    }
    // An answer cut short of its announced length is not the answer.
    return received > 0 && (expected < 0 || received >= expected);
}

void TSingleDownloaderThread::HandOverProgress(IApplication& application) {
    // Signals the worker when the posted task is gone: run, or dropped unrun.
    struct Signal {
        std::shared_ptr<TSingleDownloaderThread> transfer;
        ~Signal() {
            std::lock_guard<std::mutex> lock(transfer->mutex_);
            transfer->handedOver_ = true;
            transfer->wake_.notify_all();
        }
    };
    {
        std::lock_guard<std::mutex> lock(mutex_);
        handedOver_ = false;
    }
    auto signal = std::make_shared<Signal>();
    signal->transfer = shared_from_this();
    // Not posted: the task is dropped at once and its signal wakes the wait.
    Post(application, [signal] {
        TSingleDownloaderThread& t = *signal->transfer;
        if (t.onProgress) {
            t.onProgress(t, t.totalSize, t.received);
        }
    });
    signal.reset();
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [this] { return handedOver_ || Stopped(); });
}

bool TSingleDownloaderThread::Post(IApplication& application, std::function<void()> task) {
    std::lock_guard<std::mutex> lock(postMutex_);
    if (sealed_) {
        return false;
    }
    application.PostToUiThread(std::move(task));
    return true;
}

void TSingleDownloaderThread::Run(IHttp& http, IApplication& application) {
    end_ = clock() + std::chrono::milliseconds(deadline);
    try {
        success = Transfer(http, application);
    } catch (...) {
        success = false;  // no error leaves the worker
    }
    std::shared_ptr<TSingleDownloaderThread> self = shared_from_this();
    Post(application, [self] {
        if (self->owner) {
            self->owner->Completed(*self);
        }
    });
}

void TSingleDownloaderThread::Detach() {
    owner = nullptr;
    onProgress = nullptr;
    RequestStop();
}

void TSingleDownloaderThread::RequestStop() {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    wake_.notify_all();
}

void TSingleDownloaderThread::Seal() {
    std::lock_guard<std::mutex> lock(postMutex_);
    sealed_ = true;
}

//--- The component ---------------------------------------------------------------

namespace {

/// The workers of the process that have not ended. Never destroyed: a worker
/// that outlives the program's end still reports its end here.
struct TWorkerRegistry {
    std::mutex mutex;
    std::condition_variable ended;
    std::vector<std::weak_ptr<TSingleDownloaderThread>> workers;
    int running = 0;
};

TWorkerRegistry& Workers() {
    static TWorkerRegistry* registry = new TWorkerRegistry;
    return *registry;
}

void WorkerStarted(const std::shared_ptr<TSingleDownloaderThread>& worker) {
    TWorkerRegistry& r = Workers();
    std::lock_guard<std::mutex> lock(r.mutex);
    std::erase_if(r.workers, [](const auto& w) { return w.expired(); });
    r.workers.push_back(worker);
    ++r.running;
}

void WorkerEnded() {
    TWorkerRegistry& r = Workers();
    std::lock_guard<std::mutex> lock(r.mutex);
    --r.running;
    r.ended.notify_all();
}

IHttp& ProcessHttp() {
    IHttp* http = SystemPlatform().http;
    if (!http) {
        throw std::logic_error("the platform has no HTTP client");
    }
    return *http;
}

}  // namespace

TSingleDownloader::TSingleDownloader(TComponent* owner)
    : TSingleDownloader(owner, ProcessHttp(), *SystemPlatform().application) {}

TSingleDownloader::TSingleDownloader(TComponent* owner, IHttp& http, IApplication& application)
    : TComponent(owner), http_(http), application_(application) {}

TSingleDownloader::~TSingleDownloader() {
    Cancel();
}

void TSingleDownloader::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    auto text = [&out](const char* name, std::string TSingleDownloader::*field) {
        out.String<TSingleDownloader>(
            name, "string", [field](TSingleDownloader& d) { return d.*field; },
            [field](TSingleDownloader& d, const std::string& v) { d.*field = v; });
    };
    auto flag = [&out](const char* name, bool TSingleDownloader::*field) {
        out.Boolean<TSingleDownloader>(
            name, [field](TSingleDownloader& d) { return d.*field; },
            [field](TSingleDownloader& d, bool v) { d.*field = v; });
    };
    text("AcceptTypes", &TSingleDownloader::AcceptTypes);
    text("Agent", &TSingleDownloader::Agent);
    flag("BinaryData", &TSingleDownloader::BinaryData);
    text("URL", &TSingleDownloader::URL);
    flag("UseCache", &TSingleDownloader::UseCache);
    text("UserName", &TSingleDownloader::UserName);
    text("Password", &TSingleDownloader::Password);
    text("ContentType", &TSingleDownloader::ContentType);
    text("PostQuery", &TSingleDownloader::PostQuery);
    text("Referer", &TSingleDownloader::Referer);
    flag("WaitThread", &TSingleDownloader::WaitThread);
}

void TSingleDownloader::DownloadToString() {
    if (worker_) {
        return;
    }
    cancelled_ = false;
    auto worker = std::make_shared<TSingleDownloaderThread>(*this);
    worker->owner = this;
    worker_ = worker;
    IHttp* http = &http_;
    IApplication* application = &application_;
    WorkerStarted(worker);
    try {
        std::thread([worker, http, application] {
            worker->Run(*http, *application);
            WorkerEnded();  // the last touch of anything outside the transfer
        }).detach();
    } catch (const std::system_error&) {
        WorkerEnded();
        // No thread: the transfer fails as any other would, after this call.
        application_.PostToUiThread([worker] {
            if (worker->owner) {
                worker->owner->Completed(*worker);
            }
        });
    }
    if (WaitThread) {
        application_.ProcessMessages();
    }
}

int TSingleDownloader::RunningWorkers() {
    TWorkerRegistry& r = Workers();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.running;
}

bool TSingleDownloader::EndAllTransfers(unsigned waitMs) {
    TWorkerRegistry& r = Workers();
    std::vector<std::shared_ptr<TSingleDownloaderThread>> live;
    std::unique_lock<std::mutex> lock(r.mutex);
    for (const auto& w : r.workers) {
        if (auto worker = w.lock()) {
            live.push_back(worker);
        }
    }
    for (const auto& worker : live) {
        worker->RequestStop();
    }
    const bool ended = r.ended.wait_for(lock, std::chrono::milliseconds(waitMs), [&r] { return r.running == 0; });
    lock.unlock();
    for (const auto& worker : live) {
        worker->Seal();
    }
    return ended;
}

void TSingleDownloader::Cancel() {
    if (!worker_) {
        return;
    }
    worker_->Detach();
    worker_.reset();
    cancelled_ = true;
}

void TSingleDownloader::Completed(TSingleDownloaderThread& worker) {
    if (worker_.get() != &worker) {
        return;
    }
    std::shared_ptr<TSingleDownloaderThread> finished = std::move(worker_);
    lastSuccess_ = finished->success;
    // The handlers may start the next transfer or free this component: nothing
    // of the component is touched after them.
    if (lastSuccess_) {
        if (OnDoneString) {
            TOnDoneStringEvent handler = OnDoneString;
            handler(*this, finished->result);
        }
    } else if (!cancelled_ && OnError) {
        TDownloadNotifyEvent handler = OnError;
        handler(*this);
    }
}

}  // namespace tallow
