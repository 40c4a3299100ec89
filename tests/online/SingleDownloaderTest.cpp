// The downloader on a scripted HTTP client: what it asks, what it hands back on
// the user-interface thread (here the test's thread, running the posted tasks),
// and that a cancelled or destroyed transfer stays silent.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "fakes/FakePlatform.h"
#include "online/SingleDownloader.h"

namespace tallow {
namespace {

TEST(SplitURL, FindsServerPortAndPath) {
    auto split = [](const std::string& url) {
        TSplitURL s = SplitURL(url);
        return s.valid ? s.server + "|" + std::to_string(s.port) + (s.secure ? "|tls|" : "|") + s.path : "invalid";
    };
    EXPECT_EQ(split("http://update.example/update/?a=1&b=/c"), "update.example|80|/update/?a=1&b=/c");
    EXPECT_EQ(split("HTTP://h.example/"), "h.example|80|/");
    EXPECT_EQ(split("h.example/x"), "h.example|80|/x") << "without a scheme the text up to '/' is the server";
    EXPECT_EQ(split("https://h.example/x"), "h.example|443|tls|/x");
    EXPECT_EQ(split("http://127.0.0.1:8080/x"), "127.0.0.1|8080|/x");
    EXPECT_EQ(split("https://h.example:8443/"), "h.example|8443|tls|/");
    for (const char* bad : {"http://h.example", "http:///x", "http://h:/x", "http://h:0/x", "http://h:65536/x",
                            "http://h:8o/x", "ftp://h.example/x", "", "/x"}) {
        EXPECT_EQ(split(bad), "invalid") << bad;
    }
    EXPECT_EQ(SplitURL("http://h.example").path, "h.example") << "no '/': the whole text is the path";
}

TFakeHttp::Answer Sized(std::string length, std::vector<std::string> chunks) {
    TFakeHttp::Answer answer;
    answer.contentLength = std::move(length);
    answer.chunks = std::move(chunks);
    return answer;
}

/// An answer without Content-Length; `breaks`: the connection breaks after the chunks.
TFakeHttp::Answer Unsized(std::vector<std::string> chunks, bool breaks = false) {
    TFakeHttp::Answer answer;
    answer.chunks = std::move(chunks);
    answer.breakAfterChunks = breaks;
    return answer;
}

TFakeHttp::Answer Unreachable() {
    TFakeHttp::Answer answer;
    answer.reachable = false;
    return answer;
}

/// A downloader on the fake platform, with every event it fires recorded.
class DownloaderFixture {
  public:
    DownloaderFixture() {
        d.OnDoneString = [this](TSingleDownloader&, const std::string& body) { events.push_back("done:" + body); };
        d.OnError = [this](TSingleDownloader&) { events.push_back("error"); };
        d.OnProgress = [this](TSingleDownloaderThread&, int32_t total, int32_t received) {
            events.push_back("progress:" + std::to_string(total) + "/" + std::to_string(received));
        };
    }
    ~DownloaderFixture() {
        platform.http.Release();
        Pump([] { return TSingleDownloader::RunningWorkers() == 0; });
    }
    /// Runs the posted hand-overs until `done` holds (a worker runs meanwhile).
    void Pump(const std::function<bool()>& done) {
        for (int i = 0; i < 20000 && !done(); ++i) {
            platform.application.RunPosted();
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        platform.application.RunPosted();
        ASSERT_TRUE(done()) << "the transfer did not end";
    }
    /// Starts a transfer with `answer` and waits for its end.
    std::vector<std::string> Fetch(TFakeHttp::Answer answer) {
        events.clear();
        platform.http.SetAnswer(std::move(answer));
        d.DownloadToString();
        Pump([this] { return !d.Running(); });
        return events;
    }

    TFakePlatform platform;
    TSingleDownloader d{nullptr};
    std::vector<std::string> events;
};

TEST(SingleDownloader, AsksWithTheCopiedSettings) {
    DownloaderFixture f;
    f.d.URL = "http://update.example/update/?ACTION=Update";
    f.d.Agent = "Tallowmere";
    f.d.Referer = "http://ref.example/";
    f.d.UserName = "user";
    f.d.Password = "secret";
    f.d.ContentType = "X-Ignored: without a body";
    f.d.OnProgress = nullptr;
    f.Fetch(Sized("2", {"ok"}));
    f.d.PostQuery = "a=1&b=2";
    f.d.ContentType = "";
    f.d.UseCache = true;
    f.Fetch(Unsized({"ok"}));
    f.d.ContentType = "Content-Type: text/plain";
    f.d.AcceptTypes = "text/plain";
    f.Fetch(Unsized({"ok"}));

    const std::vector<THttpRequest> asked = f.platform.http.Requests();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].server, "update.example");
    EXPECT_EQ(asked[0].port, 80);
    EXPECT_FALSE(asked[0].secure);
    EXPECT_EQ(asked[0].path, "/update/?ACTION=Update");
    EXPECT_EQ(asked[0].verb, "GET");
    EXPECT_EQ(asked[0].version, "HTTP/1.0");
    EXPECT_EQ(asked[0].acceptType, "*/*");
    EXPECT_EQ(asked[0].agent, "Tallowmere");
    EXPECT_EQ(asked[0].referer, "http://ref.example/");
    EXPECT_EQ(asked[0].userName + ":" + asked[0].password, "user:secret");
    EXPECT_TRUE(asked[0].reload) << "without UseCache the server is asked again";
    EXPECT_EQ(asked[0].headers + asked[0].body, "") << "a GET carries no headers even with ContentType";
    EXPECT_EQ(asked[1].verb, "POST");
    EXPECT_EQ(asked[1].body, "a=1&b=2");
    EXPECT_EQ(asked[1].headers, "Content-Type: application/x-www-form-urlencoded");
    EXPECT_FALSE(asked[1].reload);
    EXPECT_EQ(asked[2].headers, "Content-Type: text/plain");
    EXPECT_EQ(asked[2].acceptType, "text/plain");
}

TEST(SingleDownloader, HandsTheWholeBodyBackWithProgressInReadsOf1025Bytes) {
    DownloaderFixture f;
    f.d.URL = "http://h.example/x";
    const std::string body = std::string(2000, 'a') + "\r\n\xFF" + std::string(100, 'b');
    EXPECT_EQ(
        f.Fetch(Sized(std::to_string(body.size()), {body})),
        (std::vector<std::string>{"progress:2103/1025", "progress:2103/2050", "progress:2103/2103", "done:" + body}));
    EXPECT_TRUE(f.d.LastSuccess());
    EXPECT_EQ(f.Fetch(Unsized({"chunk one,", " two"})),
              (std::vector<std::string>{"progress:0/10", "progress:0/14", "done:chunk one, two"}))
        << "without Content-Length the body is read to its end";
}

TEST(SingleDownloader, EveryFailureFiresOneErrorAndNothingElse) {
    DownloaderFixture f;
    f.d.OnProgress = nullptr;
    const std::string big(kMaxDownloadBytes / 4, 'x');
    struct Case {
        const char* why;
        std::string url;
        bool binary;
        TFakeHttp::Answer answer;
    } cases[] = {
        {"unreachable", "http://h.example/x", false, Unreachable()},
        {"empty body", "http://h.example/x", false, Sized("0", {})},
        {"empty chunked body", "http://h.example/x", false, Unsized({})},
        {"no length with BinaryData", "http://h.example/x", true, Unsized({"data"})},
        {"length not a number", "http://h.example/x", false, Sized("4x", {"data"})},
        {"cut short of its length", "http://h.example/x", false, Sized("10", {"data"})},
        {"broken connection", "http://h.example/x", false, Unsized({"data"}, true)},
        {"announced beyond the limit", "http://h.example/x", false, Sized("16777217", {"x"})},
        {"streamed beyond the limit", "http://h.example/x", false, Unsized({big, big, big, big, "x"})},
        {"no path", "http://h.example", false, Unsized({"data"})},
        {"other scheme", "ftp://h.example/x", false, Unsized({"data"})},
    };
    for (Case& c : cases) {
        f.d.URL = c.url;
        f.d.BinaryData = c.binary;
        EXPECT_EQ(f.Fetch(c.answer), std::vector<std::string>{"error"}) << c.why;
        EXPECT_FALSE(f.d.LastSuccess()) << c.why;
    }
    f.d.BinaryData = true;
    f.d.URL = "http://h.example/x";
    EXPECT_EQ(f.Fetch(Sized("4", {"data"})), std::vector<std::string>{"done:data"});
    EXPECT_EQ(f.platform.http.OpenResponses(), 0) << "every response is closed";
}

TEST(SingleDownloader, CancelSilencesTheTransferAndFreesTheComponentForTheNext) {
    DownloaderFixture f;
    f.d.URL = "http://h.example/x";
    f.platform.http.SetAnswer(Sized("4", {"data"}));
    f.platform.http.Hold();
    f.d.DownloadToString();
    f.d.URL = "http://other.example/y";
    f.d.DownloadToString();  // still running: ignored
    f.Pump([&] { return f.platform.http.Requests().size() == 1; });
    f.d.Cancel();
    EXPECT_TRUE(f.d.Cancelled());
    EXPECT_FALSE(f.d.Running());

    f.d.DownloadToString();  // starts at once while the cancelled worker still waits
    EXPECT_FALSE(f.d.Cancelled());
    f.Pump([&] { return f.platform.http.Requests().size() == 2; });
    f.platform.http.Release();
    f.Pump([&] { return !f.d.Running() && TSingleDownloader::RunningWorkers() == 0; });
    EXPECT_EQ(f.events, (std::vector<std::string>{"progress:4/4", "done:data"})) << "one transfer's events only";
    EXPECT_EQ(f.platform.http.Requests()[1].server, "other.example");

    f.events.clear();
    f.d.OnProgress = [&f](TSingleDownloaderThread&, int32_t, int32_t) { f.d.Cancel(); };
    f.platform.http.SetAnswer(Unsized({"part", "rest"}));
    f.d.DownloadToString();
    f.Pump([] { return TSingleDownloader::RunningWorkers() == 0; });
    EXPECT_TRUE(f.events.empty()) << "cancelled from its own progress event";
}

TEST(SingleDownloader, ATransferEndsAtItsOverallDeadlineHoweverTheServerTrickles) {
    DownloaderFixture f;
    f.d.URL = "http://h.example/x";
    f.d.OnProgress = nullptr;
    // Each look at the clock is one second later: a body of 200 pieces takes
    // about 200 s to arrive, one piece after another.
    f.d.MonotonicClock = [t = std::chrono::steady_clock::time_point()]() mutable {
        return t += std::chrono::seconds(1);
    };
    const std::vector<std::string> trickle(200, "x");
    const struct {
        unsigned deadline;
        std::vector<std::string> events;
        unsigned timeout;
    } rows[] = {
        {120000, {"error"}, 60000},
        {300000, {"done:" + std::string(200, 'x')}, 60000},
        {30000, {"error"}, 30000},  // no single wait outlasts the whole
    };
    for (const auto& row : rows) {
        f.d.Deadline = row.deadline;
        EXPECT_EQ(f.Fetch(Unsized(trickle)), row.events) << row.deadline;
        EXPECT_EQ(f.platform.http.Requests().back().timeoutMs, row.timeout) << row.deadline;
    }
}

TEST(SingleDownloader, EndAllTransfersStopsTheWorkersAndAWorkerLeftOverPostsNothing) {
    EXPECT_TRUE(TSingleDownloader::EndAllTransfers(0)) << "nothing runs";
    DownloaderFixture f;
    f.d.URL = "http://h.example/x";
    f.platform.http.SetAnswer(Sized("4", {"data"}));
    f.platform.http.Hold();
    f.d.DownloadToString();
    f.Pump([&] { return f.platform.http.Requests().size() == 1; });
    EXPECT_FALSE(TSingleDownloader::EndAllTransfers(20)) << "the worker waits in its read";
    f.platform.http.Release();
    while (TSingleDownloader::RunningWorkers() != 0) {
        std::this_thread::yield();
    }
    EXPECT_EQ(f.platform.application.RunPosted(), 0) << "neither progress nor completion after the end";
    EXPECT_TRUE(f.events.empty());

    TSingleDownloader next(nullptr);
    next.URL = "http://h.example/y";
    bool done = false;
    next.OnDoneString = [&done](TSingleDownloader&, const std::string&) { done = true; };
    next.DownloadToString();
    f.Pump([&] { return done; });
    EXPECT_TRUE(TSingleDownloader::EndAllTransfers(1000));
}

TEST(SingleDownloader, DestroyedWhileRunningFiresNothingAndItsWorkerEnds) {
    TFakePlatform platform;
    std::vector<std::string> events;
    platform.http.SetAnswer(Sized("4", {"data"}));
    platform.http.Hold();
    {
        TComponent form(nullptr);
        auto* d = new TSingleDownloader(&form);
        d->URL = "http://h.example/x";
        d->OnDoneString = [&](TSingleDownloader&, const std::string&) { events.push_back("done"); };
        d->OnError = [&](TSingleDownloader&) { events.push_back("error"); };
        d->OnProgress = [&](TSingleDownloaderThread&, int32_t, int32_t) { events.push_back("progress"); };
        d->DownloadToString();
        while (platform.http.Requests().empty()) {
            std::this_thread::yield();
        }
    }  // the form frees the downloader with the transfer waiting in its read
    platform.http.Release();
    while (TSingleDownloader::RunningWorkers() != 0) {
        platform.application.RunPosted();
        std::this_thread::yield();
    }
    platform.application.RunPosted();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(platform.http.OpenResponses(), 0);
}

}  // namespace
}  // namespace tallow
