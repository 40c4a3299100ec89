// The downloader over the system's HTTP client against a real server on
// 127.0.0.1: what goes over the wire, which answers count, and that hostile or
// abandoned answers end without a hang and without a late event.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "online/SingleDownloader.h"
#include "online_win/LoopbackServer_win.h"
#include "platform/Platform.h"

namespace tallow::testing {
namespace {

/// Dispatches this thread's messages (the downloader's hand-overs) until `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 60000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) {
            return false;
        }
        SystemPlatform().application->ProcessMessages();
        Sleep(5);
    }
    SystemPlatform().application->ProcessMessages();
    return true;
}

class DownloaderWin : public ::testing::Test {
  protected:
    DownloaderWin() {
        d.OnDoneString = [this](TSingleDownloader&, const std::string& body) { events.push_back("done:" + body); };
        d.OnError = [this](TSingleDownloader&) { events.push_back("error"); };
    }
    ~DownloaderWin() override {
        d.Cancel();
        EXPECT_TRUE(PumpUntil([] { return TSingleDownloader::RunningWorkers() == 0; })) << "a worker hangs";
    }
    /// Fetches `path` from the server with `answer`; the events it fired.
    std::vector<std::string> Fetch(const TScriptedAnswer& answer, const std::string& path = "/x") {
        events.clear();
        server.SetAnswer(answer);
        d.URL = server.Url(path);
        d.DownloadToString();
        EXPECT_TRUE(PumpUntil([this] { return !d.Running(); })) << "the transfer did not end";
        return events;
    }

    TLoopbackServer server;
    TSingleDownloader d{nullptr};
    std::vector<std::string> events;
};

TEST_F(DownloaderWin, SendsTheRequestLineAndHeadersOfGetAndPost) {
    d.Agent = "Tallowmere/1.0";
    d.Referer = "http://ref.example/page";
    EXPECT_EQ(Fetch(HttpAnswer("ok"), "/update/?ACTION=Update&07123&PID=TM100&WVER=6_1_Service+Pack+1"),
              std::vector<std::string>{"done:ok"});
    d.PostQuery = "a=1&b=%20";
    d.UseCache = true;
    EXPECT_EQ(Fetch(HttpAnswer("posted"), "/form"), std::vector<std::string>{"done:posted"});
    d.ContentType = "Content-Type: text/plain";
    Fetch(HttpAnswer("posted"), "/plain");

    const std::vector<TRecordedRequest> asked = server.Requests();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].requestLine, "GET /update/?ACTION=Update&07123&PID=TM100&WVER=6_1_Service+Pack+1 HTTP/1.0");
    EXPECT_EQ(asked[0].Header("Accept"), "*/*");
    EXPECT_EQ(asked[0].Header("User-Agent"), "Tallowmere/1.0");
    EXPECT_EQ(asked[0].Header("Referer"), "http://ref.example/page");
    EXPECT_EQ(asked[0].Header("Host"), "127.0.0.1:" + std::to_string(server.Port())) << "the explicit port is used";
    EXPECT_FALSE(asked[0].HasHeader("Content-Type"));
    EXPECT_EQ(asked[1].requestLine, "POST /form HTTP/1.0");
    EXPECT_EQ(asked[1].Header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(asked[1].body, "a=1&b=%20");
    EXPECT_EQ(asked[2].Header("Content-Type"), "text/plain");
}

TEST_F(DownloaderWin, ReadsWholeBodiesOfEveryFramingAndRejectsEmptyOnes) {
    const std::string big(300000, 'z');
    EXPECT_EQ(Fetch(HttpAnswer(big)), std::vector<std::string>{"done:" + big});
    EXPECT_EQ(Fetch(HttpAnswer("until close", 200, false)), std::vector<std::string>{"done:until close"});
    EXPECT_EQ(Fetch(ChunkedAnswer({"magicword=x\r\n", "Result=0\r\n"})),
              std::vector<std::string>{"done:magicword=x\r\nResult=0\r\n"});
    EXPECT_EQ(Fetch(HttpAnswer("<h1>Not Found</h1>", 404)), std::vector<std::string>{"done:<h1>Not Found</h1>"})
        << "the status is the caller's to judge";
    EXPECT_EQ(Fetch(HttpAnswer("")), std::vector<std::string>{"error"});
    EXPECT_EQ(Fetch(HttpAnswer("", 500)), std::vector<std::string>{"error"});
    d.BinaryData = true;
    EXPECT_EQ(Fetch(ChunkedAnswer({"data"})), std::vector<std::string>{"error"}) << "no Content-Length";
    EXPECT_EQ(Fetch(HttpAnswer("data")), std::vector<std::string>{"done:data"});
}

TEST_F(DownloaderWin, HostileAnswersEndInOneEventWithoutHanging) {
    d.Timeout = 2000;
    TScriptedAnswer huge = HttpAnswer("");
    huge.head = "HTTP/1.0 200 OK\r\nContent-Length: 104857600\r\n\r\n";
    huge.fillerBytes = 100u << 20;
    EXPECT_EQ(Fetch(huge), std::vector<std::string>{"error"}) << "100 MB announced";
    huge.head = "HTTP/1.0 200 OK\r\n\r\n";
    EXPECT_EQ(Fetch(huge), std::vector<std::string>{"error"}) << "100 MB streamed";

    TScriptedAnswer stalled = HttpAnswer("");
    stalled.head = "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n";
    stalled.stall = true;
    EXPECT_EQ(Fetch(stalled), std::vector<std::string>{"error"}) << "stalled after the headers";
    TScriptedAnswer cut = HttpAnswer("only part");
    cut.head = "HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n";
    EXPECT_EQ(Fetch(cut), std::vector<std::string>{"error"}) << "closed in the middle of the body";
    TScriptedAnswer badLength = HttpAnswer("data");
    badLength.head = "HTTP/1.0 200 OK\r\nContent-Length: many\r\n\r\n";
    EXPECT_EQ(Fetch(badLength), std::vector<std::string>{"error"});

    TScriptedAnswer longHeader = HttpAnswer("body");
    longHeader.head = "HTTP/1.0 200 OK\r\nX-Long: " + std::string(1 << 20, 'h') + "\r\nContent-Length: 4\r\n\r\n";
    EXPECT_EQ(Fetch(longHeader).size(), 1u) << "a 1 MB header line: one event, whichever";
    TScriptedAnswer garbage = HttpAnswer("");
    garbage.head = std::string("\0\x01\xFF\r\n\r\n", 7);
    garbage.body = "junk";
    EXPECT_EQ(Fetch(garbage).size(), 1u);
}

TEST_F(DownloaderWin, CancelledDuringASlowAnswerFiresNothingMore) {
    bool progressed = false;
    d.OnProgress = [&](TSingleDownloaderThread&, int32_t total, int32_t received) {
        progressed = true;
        EXPECT_EQ(total, 1000);
        EXPECT_GT(received, 0);
        d.Cancel();
    };
    TScriptedAnswer slow = HttpAnswer(std::string(1000, 's'));
    slow.pieceSize = 100;
    slow.pauseMs = 50;
    server.SetAnswer(slow);
    d.URL = server.Url("/slow");
    d.DownloadToString();
    ASSERT_TRUE(PumpUntil([&] { return progressed; }));
    EXPECT_FALSE(d.Running());
    EXPECT_TRUE(
        PumpUntil([&] { return server.FinishedConnections() == 1 && TSingleDownloader::RunningWorkers() == 0; }));
    EXPECT_TRUE(events.empty());

    d.OnProgress = nullptr;
    EXPECT_EQ(Fetch(HttpAnswer("next")), std::vector<std::string>{"done:next"}) << "the component works on";
}

TEST_F(DownloaderWin, UnreachableServerAndAddressesWithoutPathFail) {
    d.Timeout = 5000;
    int closedPort = 0;
    {
        TLoopbackServer gone;
        closedPort = gone.Port();
    }
    for (const std::string& url : {"http://127.0.0.1:" + std::to_string(closedPort) + "/x", server.Url(""),
                                   "https:/" + server.Url("/x").substr(6)}) {
        events.clear();
        d.URL = url;
        d.DownloadToString();
        ASSERT_TRUE(PumpUntil([this] { return !d.Running(); })) << url;
        EXPECT_EQ(events, std::vector<std::string>{"error"}) << url;
    }
}

TEST_F(DownloaderWin, RequestsGoThroughTheSystemsProxy) {
    TScopedSystemProxy proxy(server);
    EXPECT_EQ(Fetch(HttpAnswer("via proxy")), std::vector<std::string>{"done:via proxy"});
    d.URL = "http://update.tallowmere.example/update/?ACTION=Update&x=1";
    d.DownloadToString();
    ASSERT_TRUE(PumpUntil([this] { return !d.Running(); }));
    ASSERT_EQ(server.Requests().size(), 2u);
    // The full address goes to the proxy (Wine writes the default port into it).
    const std::string line = server.Requests()[1].requestLine;
    EXPECT_TRUE(line == "GET http://update.tallowmere.example/update/?ACTION=Update&x=1 HTTP/1.0" ||
                line == "GET http://update.tallowmere.example:80/update/?ACTION=Update&x=1 HTTP/1.0")
        << line;
    EXPECT_EQ(events, (std::vector<std::string>{"done:via proxy", "done:via proxy"}));
}

}  // namespace
}  // namespace tallow::testing
