// The update window as a user meets it, against a real HTTP server on 127.0.0.1:
// the engine opens it (manual check) or schedules it (automatic check), another
// thread reads it and presses its buttons as UI automation would, and a recording
// shell stands in for the browser. The server's answers are signed at build time
// with the test key that this tree builds into the program (test-answers/).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "cleaning_win/WinTestSupport.h"
#include "engine/EngineFakes.h"
#include "framework/CLEngineStandard.h"
#include "framework/CLSettings.h"
#include "online/CLUpdateForm.h"
#include "online_win/LoopbackServer_win.h"
#include "support_win/ScratchFiles_win.h"
#include "toolkit/win/WindowLayer.h"
#include "toolkit_win/WindowFinder_win.h"

namespace tallow::testing {
namespace {

using tallow::test::ChildWindows;
using tallow::test::PumpUntil;

const char* const kConnecting = "Connecting to the update server...";
const char* const kLatest = "You already have the latest version.";
const char* const kNetError = "The update server could not be reached.";

std::string Genuine(const std::string& lines) {
    return "magicword=Tallow\r\n" + lines;
}

// An answer of tests/online_win/answers/, signed: "<name>.signed.txt" by the test
// key, "carried.other-key.txt" by another.
std::string Answer(const std::string& file) {
    const std::string text = ReadWholeFile(ThisFolder() + "..\\test-answers\\" + file);
    EXPECT_NE(text, "") << file << " was not made by the build";
    return text;
}
std::string Signed(const std::string& name) {
    return Answer(name + ".signed.txt");
}

// What the update window showed once it had a result.
struct Shown {
    bool appeared = false;
    std::string info;
    std::vector<std::string> buttons;  // visible and enabled, in window order
};

HWND UpdateWindow() {
    HWND hwnd = FindWindowA("TfrmCLUpdateForm", nullptr);
    return hwnd != nullptr && IsWindowVisible(hwnd) ? hwnd : nullptr;
}

std::string InfoText(HWND window) {
    for (const auto& child : ChildWindows(window))
        if (child.className == "TallowLabel")
            return child.text;
    return {};
}

// Writes the window as the screen shows it, frame included, to a 24-bit BMP file.
void CaptureWindow(HWND window, const std::string& path) {
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC source = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, source, 0, 0, SRCCOPY);
    BITMAPINFOHEADER info{sizeof(info), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (w * 3 + 3) & ~3;
    std::vector<char> pixels(size_t(stride) * h);
    GetDIBits(memory, bitmap, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(file) + sizeof(info) + pixels.size()), 0, 0,
                          sizeof(file) + sizeof(info)};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(pixels.data(), std::streamsize(pixels.size()));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
}

// On another thread: waits for the update window to show a result, records it,
// then presses the button captioned `press` (BM_CLICK), or closes the window
// from its frame when `press` is empty. With `capture`, the window is written to
// the BMP file that TALLOW_UPDATE_SCREENSHOT names, if any, before the press.
std::thread Operate(Shown& shown, std::string press, int waitMs = 20000, bool capture = false) {
    return std::thread([&shown, press, waitMs, capture] {
        HWND window = tallow::test::WaitForWindow("TfrmCLUpdateForm", waitMs);
        if (window == nullptr)
            return;
        shown.appeared = true;
        for (int waited = 0; waited < waitMs && InfoText(window) == kConnecting; waited += 20)
            Sleep(20);
        Sleep(100);  // let the buttons follow the text
        shown.info = InfoText(window);
        HWND target = nullptr;
        for (const auto& child : ChildWindows(window)) {
            if (child.className != "TallowButton" || !IsWindowVisible(child.hwnd) || !IsWindowEnabled(child.hwnd))
                continue;
            shown.buttons.push_back(child.text);
            if (child.text == press)
                target = child.hwnd;
        }
        if (const char* shot = std::getenv("TALLOW_UPDATE_SCREENSHOT"); shot != nullptr && capture)
            CaptureWindow(window, shot);
        if (target != nullptr)
            SendMessageA(target, BM_CLICK, 0, 0);
        else
            PostMessageA(window, WM_CLOSE, 0, 0);
    });
}

class UpdateWindowWine : public ::testing::Test {
  protected:
    /// The settings store of the engine and its update windows.
    virtual ISettingsStore& Store() { return settings_; }

    void SetUp() override {
        InstallWindowLayer();
        platform_ = SystemPlatform();
        platform_.shell = &shell_;        // the browser: records what it is asked to open
        platform_.registry = &registry_;  // no browser command: pages go to the shell
        settings_ = wintest::TestSettings();
        settings_.runTimes = 3;
        settings_.values = {
            {"App.MagicWord", "Tallow"}, {"URL.Update", server_->Url("/update/")}, {"Update.AutoCheck", "1"}};
        language_.texts = {{"LibRes/TfrmCLUpdateForm.Caption", "Tallowmere Update"},
                           {"LibRes/btnOk.Caption", "&Ok"},
                           {"LibRes/btnCancel.Caption", "&Cancel"},
                           {"LibRes/cbAutoCheckUpdate.Caption", "&Automatic Check Update"},
                           {"LibRes/Update.Connecting", kConnecting},
                           {"LibRes/Update.LastVersionAlready", kLatest},
                           {"LibRes/Update.NetError", kNetError}};
        main_ = std::make_unique<TskForm>(nullptr);
        main_->SetCaption("Tallowmere");
        EngineServices services;
        services.platform = &platform_;
        services.settings = &Store();
        services.application = &Application();
        services.owner = MakeFormEngineOwner(*main_);
        services.windows.updateWindow = [this](TCLEngine& engine) {
            auto window = MakeUpdateWindow(engine, Store(), platform_);
            auto* form = dynamic_cast<TfrmCLUpdateForm*>(main_->Components(main_->ComponentCount() - 1));
            form->sdDownload->Timeout = 3000;  // a stalled server fails within the test's patience
            return window;
        };
        engine_ = new TCLEngine(main_.get(), std::move(services));  // owned by the main window
        engine_->LanguageData = &language_;
        owned_ = main_->ComponentCount();
    }
    void TearDown() override {
        main_.reset();
        server_.reset();  // ends the connections a stalled answer keeps open
        EXPECT_TRUE(PumpUntil([] { return TSingleDownloader::RunningWorkers() == 0; }, 20000)) << "a worker hangs";
    }

    // A manual check from the main window's menu, with `answer` served, operated by `press`.
    Shown Manual(const TScriptedAnswer& answer, const std::string& press, bool capture = false, int waitMs = 20000) {
        server_->SetAnswer(answer);
        Shown shown;
        std::thread user = Operate(shown, press, waitMs, capture);
        engine_->ShowUpdate(true);
        user.join();
        return shown;
    }

    std::unique_ptr<TLoopbackServer> server_ = std::make_unique<TLoopbackServer>();
    TPlatform platform_;
    TFakeShellStart shell_;
    TFakeRegistry registry_;
    TFakeSettings settings_;
    FakeLanguage language_;
    std::unique_ptr<TskForm> main_;
    TCLEngine* engine_ = nullptr;
    int owned_ = 0;
};

TEST_F(UpdateWindowWine, ManualCheckShowsTheLatestVersionAndAsksTheUpdatePage) {
    const Shown shown = Manual(HttpAnswer(Signed("latest")), "&Ok");
    EXPECT_TRUE(shown.appeared);
    EXPECT_EQ(shown.info, kLatest);
    EXPECT_EQ(shown.buttons, std::vector<std::string>{"&Ok"});
    const std::vector<TRecordedRequest> asked = server_->Requests();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].requestLine.rfind("GET /update/?ACTION=Update&", 0), 0u) << asked[0].requestLine;
    EXPECT_NE(settings_.ReadString("Update.LastDate"), "");
}

TEST_F(UpdateWindowWine, ManualOfferOpensItsPageWithOkThroughTheEngine) {
    const std::string page = "http://tallowmere.example/download?v=2";
    settings_.values["Update.AutoCheck"] = "0";
    const Shown shown = Manual(HttpAnswer(Signed("offer")), "&Ok", true);
    EXPECT_EQ(shown.info, "Tallowmere 2.0 is ready: faster cleaning and new skins.");
    EXPECT_EQ(shown.buttons, (std::vector<std::string>{"&Ok", "&Cancel"}));
    EXPECT_EQ(shell_.opened, std::vector<std::string>{page});
    EXPECT_EQ(settings_.ReadString("Update.AutoCheck"), "0");

    shell_.opened.clear();
    Manual(HttpAnswer(Signed("offer")), "&Cancel");
    EXPECT_TRUE(shell_.opened.empty());
}

TEST_F(UpdateWindowWine, ManualCheckShowsTheNetworkErrorWhenTheServerIsDown) {
    uint16_t port;
    {
        TLoopbackServer gone;
        port = gone.Port();
    }
    settings_.values["URL.Update"] = "http://127.0.0.1:" + std::to_string(port) + "/update/";
    const Shown shown = Manual(HttpAnswer("unused"), "&Ok");
    EXPECT_EQ(shown.info, kNetError);
    EXPECT_EQ(settings_.ReadString("Update.LastDate"), "") << "the next start tries again";
}

TEST_F(UpdateWindowWine, AutomaticCheckShowsNothingForTheLatestVersionAndTheWindowForAnOffer) {
    server_->SetAnswer(HttpAnswer(Signed("latest")));
    Shown quiet;
    std::thread watcher = Operate(quiet, "", 4000);
    engine_->CheckUpdateDue();
    EXPECT_TRUE(PumpUntil([this] { return !settings_.ReadString("Update.LastDate").empty(); }, 20000));
    PumpUntil([] { return UpdateWindow() != nullptr; }, 500);
    watcher.join();
    EXPECT_FALSE(quiet.appeared);

    settings_.values["Update.LastDate"] = "0";
    server_->SetAnswer(HttpAnswer(Signed("offer")));
    Shown offer;
    std::thread user = Operate(offer, "&Cancel");
    engine_->CheckUpdateDue();
    ASSERT_EQ(main_->ComponentCount(), owned_ + 2);
    // The offer shows itself modally from the message loop and frees itself after;
    // the quiet window stays hidden and owned.
    EXPECT_TRUE(PumpUntil([this] { return main_->ComponentCount() == owned_ + 1; }, 20000));
    user.join();
    EXPECT_TRUE(offer.appeared);
    EXPECT_EQ(offer.info, "Tallowmere 2.0 is ready: faster cleaning and new skins.");
    EXPECT_TRUE(shell_.opened.empty());
}

TEST_F(UpdateWindowWine, HostileAnswersEndInAResultWithoutHangOrForeignPage) {
    const std::string offerHead = "HTTP/1.0 200 OK\r\nContent-Length: ";
    struct Case {
        const char* what;
        TScriptedAnswer answer;
        std::vector<std::string> results;  // acceptable texts
    };
    TScriptedAnswer huge{offerHead + std::to_string(100 * 1024 * 1024) + "\r\n\r\n",
                         Genuine("Result=1\r\ninfo=huge\r\npage=http://d.example/\r\n"), 100 * 1024 * 1024};
    TScriptedAnswer bigHeader = HttpAnswer(Signed("latest"));
    bigHeader.head.insert(bigHeader.head.find("\r\n") + 2, "X-Padding: " + std::string(1 << 20, 'a') + "\r\n");
    TScriptedAnswer cut{offerHead + "4000\r\n\r\n", Genuine("Result=1\r\ninfo=cut short")};
    const Case cases[] = {
        {"100 MB body", huge, {kNetError}},
        {"1 MB header line", bigHeader, {kNetError, kLatest}},
        {"closed mid-body", cut, {kNetError}},
    };
    for (const Case& c : cases) {
        const Shown shown = Manual(c.answer, "&Ok", false, 180000);  // 16 MB of a 100 MB body take a while
        EXPECT_NE(std::find(c.results.begin(), c.results.end(), shown.info), c.results.end())
            << c.what << ": " << shown.info;
        EXPECT_EQ(shown.buttons, std::vector<std::string>{"&Ok"}) << c.what;
    }
    for (const char* page : {"page-file", "page-script"}) {
        const Shown shown = Manual(HttpAnswer(Signed(page)), "&Ok");
        EXPECT_EQ(shown.buttons.size(), 2u) << page;
    }
    EXPECT_TRUE(shell_.opened.empty());
    EXPECT_TRUE(shell_.started.empty());
}

// A server that stops after its headers leaves the check waiting on the network;
// the window stays usable: a released key abandons the check, Esc closes it.
TEST_F(UpdateWindowWine, EscClosesAWindowWhoseServerStalledAfterItsHeaders) {
    TScriptedAnswer stalled = HttpAnswer("");
    stalled.head = "HTTP/1.0 200 OK\r\nContent-Length: 500\r\n\r\n";
    stalled.stall = true;
    server_->SetAnswer(stalled);
    std::string waiting;
    std::thread user([&waiting] {
        HWND window = tallow::test::WaitForWindow("TfrmCLUpdateForm", 10000);
        if (window == nullptr)
            return;
        Sleep(500);
        waiting = InfoText(window);
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        HWND focus = info.hwndFocus != nullptr ? info.hwndFocus : window;
        PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    });
    engine_->ShowUpdate(true);  // returns once Esc has closed the window
    user.join();
    EXPECT_EQ(waiting, kConnecting);
    EXPECT_EQ(UpdateWindow(), nullptr);
    auto* form = dynamic_cast<TfrmCLUpdateForm*>(main_->Components(main_->ComponentCount() - 1));
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->sdDownload->Running()) << "the key abandoned the check";
    EXPECT_TRUE(form->Check().InfoText().empty());
}

// While the server sends slowly the window answers its messages at once, and a
// manual window closed meanwhile comes back with the result and is then freed.
TEST_F(UpdateWindowWine, WindowStaysResponsiveDuringASlowTransferAndReturnsWithTheResult) {
    TScriptedAnswer slow = HttpAnswer(Signed("latest"));
    slow.pieceSize = 4;
    slow.pauseMs = 100;  // about three seconds in all
    server_->SetAnswer(slow);
    DWORD slowest = 0;
    int pings = 0;
    Shown result;
    std::thread user([&] {
        HWND window = tallow::test::WaitForWindow("TfrmCLUpdateForm", 10000);
        if (window == nullptr)
            return;
        for (; pings < 15 && InfoText(window) == kConnecting; ++pings) {
            const DWORD start = GetTickCount();
            DWORD_PTR answer = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer);
            slowest = std::max(slowest, GetTickCount() - start);
            Sleep(100);
        }
        PostMessageA(window, WM_CLOSE, 0, 0);  // closed by its frame while the check runs
        while (UpdateWindow() != nullptr)
            Sleep(20);
        std::thread second = Operate(result, "&Ok");
        second.join();
    });
    engine_->ShowUpdate(true);
    EXPECT_TRUE(PumpUntil([this] { return main_->ComponentCount() == owned_; }, 20000))
        << "the reopened window frees itself";
    user.join();
    EXPECT_GE(pings, 10);
    EXPECT_LT(slowest, 100u) << "the window handled a message late";
    EXPECT_TRUE(result.appeared);
    EXPECT_EQ(result.info, kLatest);
}

// The update window over a real settings store and its setting.dat in a scratch folder.
class SignedUpdateWine : public UpdateWindowWine {
  protected:
    SignedUpdateWine() : scratch_("signed-update") {
        folders_.user["AppData"] = scratch_.Path() + "user";
        folders_.common["Common AppData"] = scratch_.Path() + "common";
        storePlatform_ = SystemPlatform();
        storePlatform_.shellFolders = &folders_;
        store_ = std::make_unique<TCLSettings>(storePlatform_);
        store_->WriteStrings({{"App.MagicWord", "Tallow"}, {"URL.Update", server_->Url("/update/")}});
    }
    ISettingsStore& Store() override { return *store_; }
    std::string SettingsFile() const { return store_->SettingsDir() + "setting.dat"; }

    wintest::TScratchFolder scratch_;
    TFakeShellFolders folders_;
    TPlatform storePlatform_;
    std::unique_ptr<TCLSettings> store_;
};

// Only answers signed by the key built into the program count: unsigned ones, ones
// signed by another key and ones changed after signing show the network error and
// leave setting.dat as it was, byte for byte; the signed one stores its settings.
TEST_F(SignedUpdateWine, OnlyAnswersSignedByTheBuiltInKeyAreTakenAndOthersLeaveSettingDatAsItWas) {
    const std::string good = Signed("carried");
    std::string changed = good;
    changed[changed.find("Spring")] = 's';
    const std::string before = ReadWholeFile(SettingsFile());
    ASSERT_NE(before.find("App.MagicWord=Tallow"), std::string::npos);
    const struct {
        const char* what;
        std::string answer;
    } refused[] = {
        {"unsigned", good.substr(0, good.rfind("signature="))},
        {"signed by another key", Answer("carried.other-key.txt")},
        {"changed after signing", changed},
    };
    for (const auto& row : refused) {
        // Closed by its frame: the Ok button would store the user's automatic-check choice.
        const Shown shown = Manual(HttpAnswer(row.answer), "");
        EXPECT_EQ(shown.info, kNetError) << row.what;
        EXPECT_EQ(ReadWholeFile(SettingsFile()), before) << row.what;
    }
    EXPECT_EQ(Store().ReadString("Banner.Top"), "");

    const Shown shown = Manual(HttpAnswer(good), "&Ok");
    EXPECT_EQ(shown.info, kLatest);
    const std::string after = ReadWholeFile(SettingsFile());
    EXPECT_NE(after.find("Banner.Top=Spring sale"), std::string::npos) << after;
    EXPECT_NE(after.find("URL.support=http://support.example/s/"), std::string::npos) << after;
    EXPECT_NE(after.find("Update.LastDate="), std::string::npos) << after;
}

}  // namespace
}  // namespace tallow::testing
