// The update server's answer and the check's handling of it, with a fake
// downloader and window (the check's host) over the fake settings store.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "fakes/FakePlatform.h"
#include "fakes/FakeSettings.h"
#include "fakes/FakeSignatures.h"
#include "fakes/TraceCapture.h"
#include "framework/CLEngineSchedule.h"
#include "online/UpdateAnswer.h"
#include "online/UpdateCheck.h"

namespace tallow::testing {
namespace {

TEST(UpdateAnswerTest, SplitsLinesAtEveryLineEndAndFindsTheFirstNameIgnoringCase) {
    const TUpdateAnswer answer =
        TUpdateAnswer::Parse("MAGICWORD=Tallow\r\ninfo=a=b\rno equals sign\n\r\n=anonymous\ninfo=second\nResult=1");
    ASSERT_EQ(answer.Lines().size(), 7u);  // CR LF ends one line, a lone CR or LF one each
    EXPECT_EQ(answer.Value("magicword"), "Tallow");
    EXPECT_EQ(answer.Value("INFO"), "a=b");
    EXPECT_EQ(answer.Value("result"), "1");
    EXPECT_EQ(answer.Value(""), "");  // lines without a name are never found
    EXPECT_EQ(answer.Value("page"), "");
    EXPECT_TRUE(answer.HasMagicWord("tallow"));
    EXPECT_FALSE(answer.HasMagicWord("Tallow2"));
    EXPECT_TRUE(TUpdateAnswer::Parse("Result=1").HasMagicWord(""));  // missing: the empty word
    EXPECT_TRUE(TUpdateAnswer::Parse("").Lines().empty());
}

TEST(UpdateAnswerTest, ResultIsADecimalIntegerAndAnythingElseCountsAsZero) {
    const std::map<std::string, int> cases = {
        {"1", 1},
        {" 1 ", 1},
        {"+1", 1},
        {"-3", -3},
        {"01", 1},
        {"1x", 0},
        {"x", 0},
        {"", 0},
        {"+-1", 0},
        {"0x1", 0},
        {"1.0", 0},
        {"99999999999", 0},
        {"2147483647", 2147483647},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(AnswerInteger(text), value) << '"' << text << '"';
}

TEST(UpdateAnswerTest, CarriesBannerAndModifyLinesWhateverTheirCase) {
    const auto carried = TUpdateAnswer::Parse(
                             "banner.Text=Hello\n__modify__.URL.Redirect=http://r/\n__MODIFY__.=lost\n"
                             "URL.Update=http://evil/\nBanner=not one\n__MODIFY__.Update.Days=7=8")
                             .CarriedSettings();
    ASSERT_EQ(carried.size(), 3u);
    EXPECT_EQ(carried[0].key, "banner.Text");
    EXPECT_EQ(carried[0].value, "Hello");
    EXPECT_EQ(carried[1].key, "URL.Redirect");
    EXPECT_EQ(carried[1].value, "http://r/");
    EXPECT_EQ(carried[2].key, "Update.Days");
    EXPECT_EQ(carried[2].value, "7=8");
}

//--- The check -------------------------------------------------------------------

const std::string kVendorKey = FakeP256Key('V');

std::string Signed(const std::string& answer) {
    return SignAnswerWithFake(answer, kVendorKey);
}

// The window and its downloader: records what the check asks of them.
struct FakeUpdateHost : IUpdateCheckHost {
    std::map<std::string, std::string> texts = {{"Update.LastVersionAlready", "You have the latest version."},
                                                {"Update.NetError", "Cannot reach the update server."}};
    std::string address = "http://update.example/update/?ACTION=Update&07123";
    std::vector<std::string> downloads;
    int cancels = 0;
    int posted = 0;
    std::vector<std::string> opened;

    std::string LibText(const std::string& key) override { return texts.count(key) ? texts[key] : std::string(); }
    std::string RequestAddress() override { return address; }
    void StartDownload(const std::string& url) override { downloads.push_back(url); }
    void CancelDownload() override { ++cancels; }
    void PostResult() override { ++posted; }
    void OpenPage(const std::string& url) override { opened.push_back(url); }
};

// A check of its own over `settings`, begun in the given mode and handed `answer` as it came.
struct LoneCheck {
    LoneCheck(TFakeSettings& settings, const TFakeClock& clock, bool manual, const std::string& answer)
        : check(settings, clock, host, verifier, kVendorKey) {
        check.Begin(manual);
        check.DownloadDone(answer);
    }
    FakeUpdateHost host;
    TFakeSignatureVerifier verifier;
    TUpdateCheck check;
};

class UpdateCheckTest : public ::testing::Test {
  protected:
    UpdateCheckTest() {
        settings.values = {{"App.MagicWord", "Tallow"}, {"Update.AutoCheck", "1"}};
        settings.runTimes = 3;
    }
    // A check of the given mode that has asked and got `answer`, signed by the vendor.
    TUpdateCheck& Answered(bool manual, const std::string& answer) {
        check.Begin(manual);
        check.DownloadDone(Signed(answer));
        return check;
    }

    TFakeSettings settings;
    TFakeClock clock;
    FakeUpdateHost host;
    TFakeSignatureVerifier verifier;
    TUpdateCheck check{settings, clock, host, verifier, kVendorKey};
};

TEST_F(UpdateCheckTest, BeginAsksTheRequestAddressOnceWhileBusyAndTracesIt) {
    ScopedTraceCapture trace;
    check.Begin(true);
    check.Begin(false);  // busy: not started again, and stays manual
    EXPECT_EQ(host.downloads, std::vector<std::string>{host.address});
    EXPECT_TRUE(check.Manual());
    EXPECT_TRUE(check.Busy());
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_EQ(trace.lines[0].text, "Update URL : " + host.address);
    EXPECT_EQ(trace.lines[0].tag, "CLUpdate");
}

TEST_F(UpdateCheckTest, ManualCheckShowsEveryOutcomeOfTheAnswerTable) {
    struct Row {
        const char* answer;
        int posts;
        const char* info;
        const char* page;
    };
    const Row rows[] = {
        {"magicword=Tallow\nResult=0\ninfo=ignored\npage=http://x/", 1, "You have the latest version.", ""},
        {"magicword=Tallow\nResult=1\ninfo=Version 2 is out\npage=http://d.example/get", 1, "Version 2 is out",
         "http://d.example/get"},
        {"magicword=Tallow\r\nResult=1\r\ninfo=Version 2 is out", 1, "Version 2 is out", ""},
        {"magicword=Tallow\nResult=text", 1, "You have the latest version.", ""},
        {"magicword=Tallow\nResult=2\ninfo=unknown", 0, "", ""},
        {"magicword=Other\nResult=1\ninfo=forged", 1, "Cannot reach the update server.", ""},
        {"<html>502 Bad Gateway</html>", 1, "Cannot reach the update server.", ""},
        {"MagicWord=TALLOW\nRESULT=1\nINFO=shouting\nPAGE=http://p/", 1, "shouting", "http://p/"},
    };
    for (const Row& row : rows) {
        LoneCheck lone(settings, clock, true, Signed(row.answer));
        EXPECT_EQ(lone.host.posted, row.posts) << row.answer;
        EXPECT_EQ(lone.check.InfoText(), row.info) << row.answer;
        EXPECT_EQ(lone.check.PageURL(), row.page) << row.answer;
        EXPECT_FALSE(lone.check.Busy()) << row.answer;
    }
}

TEST_F(UpdateCheckTest, GenuineAnswersStoreTheirSettingsAndFlushBeforeTheAutomaticGates) {
    settings.runTimes = 0;  // the first start: an offer is never shown automatically
    clock.now = 46100.25;
    Answered(false,
             "magicword=Tallow\nResult=1\ninfo=New\nBanner.Top=Spring sale\n__MODIFY__.Update.Days=30\n"
             "URL.Update=http://elsewhere/\n__Modify__.url.support=http://s/");
    EXPECT_EQ(host.posted, 0);
    EXPECT_EQ(settings.ReadString("Banner.Top"), "Spring sale");
    EXPECT_EQ(settings.ReadString("URL.support"), "http://s/");
    EXPECT_EQ(settings.ReadString("URL.Update"), "");  // other names are not stored
    EXPECT_EQ(settings.batches, 1) << "one write for all carried settings";
    EXPECT_DOUBLE_EQ(settings.ReadFloat("Update.LastDate"), 46100.25);
    // The stored interval is the schedule's next interval.
    const int days = settings.ReadInteger("Update.Days");
    EXPECT_EQ(days, 30);
    EXPECT_FALSE(IsUpdateDue(46100.25 + 29.5, settings.ReadFloat("Update.LastDate"), days));
    EXPECT_TRUE(IsUpdateDue(46100.25 + 30, settings.ReadFloat("Update.LastDate"), days));

    TFakeSettings forged;
    forged.values = {{"App.MagicWord", "Tallow"}};
    LoneCheck forgedCheck(forged, clock, false,
                          Signed("magicword=Nope\nBanner.Top=x\n__MODIFY__.URL.Update=http://evil/"));
    EXPECT_EQ(forged.writes, std::vector<std::string>{"Update.LastDate=46100.250000"});
    EXPECT_EQ(forged.batches, 0);
}

TEST_F(UpdateCheckTest, AnswersWithoutTheVendorsSignatureFailLikeTheNetworkAndStoreNothing) {
    const std::string forged = "magicword=Tallow\nResult=1\ninfo=Forged\npage=http://evil/\n__MODIFY__.Skin=Evil\n";
    const std::string signedForged = Signed(forged);
    const struct {
        std::string answer;
        const char* reason;
    } rows[] = {
        {forged, "missing"},
        {SignAnswerWithFake(forged, FakeP256Key('X')), "wrong"},
        {"magicword=Tallow\nResult=1\ninfo=Forgee" + signedForged.substr(signedForged.find("\npage=")), "wrong"},
        {forged + "signature=not base64!\n", "malformed"},
        {signedForged + "Banner.After=1\n", "missing"},
    };
    for (bool manual : {true, false}) {
        for (const auto& row : rows) {
            ScopedTraceCapture trace;
            LoneCheck lone(settings, clock, manual, row.answer);
            EXPECT_TRUE(settings.writes.empty()) << row.answer << ": not even the date";
            EXPECT_EQ(lone.host.posted, manual ? 1 : 0) << row.answer;
            EXPECT_EQ(lone.check.InfoText(), manual ? "Cannot reach the update server." : "") << row.answer;
            EXPECT_EQ(lone.check.PageURL(), "") << row.answer;
            ASSERT_EQ(trace.lines.size(), 4u) << row.answer;
            EXPECT_EQ(trace.lines[2].text, std::string("Update Signature Error : ") + row.reason) << row.answer;
            EXPECT_EQ(trace.lines[3].text, "Update Net Error !");
        }
    }
}

TEST_F(UpdateCheckTest, CarriedSettingsAreBoundedAndStoredInOneWrite) {
    std::string answer = "magicword=Tallow\nResult=0\n";
    answer += "Banner.Long=" + std::string(kMaxCarriedValue + 1, 'v') + "\n";
    answer += "Banner.Full=" + std::string(kMaxCarriedValue, 'f') + "\n";
    for (int i = 0; i < 70; ++i)
        answer += "__MODIFY__.Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    ScopedTraceCapture trace;
    Answered(false, answer);
    EXPECT_EQ(settings.batches, 1);
    EXPECT_EQ(settings.writes.size(), 1u + 63u) << "the date, then 64 lines less the long one";
    EXPECT_EQ(settings.ReadString("Banner.Long"), "");
    EXPECT_EQ(settings.ReadString("Banner.Full"), std::string(kMaxCarriedValue, 'f'));
    EXPECT_EQ(settings.ReadString("Key61"), "61");
    EXPECT_EQ(settings.ReadString("Key62"), "") << "the 65th carried line";
    EXPECT_EQ(settings.ReadString("Key69"), "");
    for (const char* dropped : {"Update Setting Dropped, value over 1024 bytes : Banner.Long",
                                "Update Settings Dropped, over 64 lines : 8 from Key62"})
        EXPECT_TRUE(std::any_of(trace.lines.begin(), trace.lines.end(), [&](auto& l) { return l.text == dropped; }))
            << dropped;
}

TEST_F(UpdateCheckTest, CarriedSkinAndLanguageStayNamesInTheProgramsFolders) {
    std::string answer = "magicword=Tallow\nResult=0\n";
    for (const char* line : {"Skin=..\\..\\outside\\AnySkin", "language=COM1", "Path.Skins=C:\\",
                             "Path.Languages=\\\\host\\share", "Language=Deutsch", "Path.Skins=skins\\dark"})
        answer += std::string("__MODIFY__.") + line + "\n";
    ScopedTraceCapture trace;
    Answered(false, answer);
    EXPECT_EQ(settings.ReadString("Skin"), "");
    EXPECT_EQ(settings.ReadString("Path.Languages"), "");
    EXPECT_EQ(settings.ReadString("Language"), "Deutsch") << "a later good line wins over the refused one";
    EXPECT_EQ(settings.ReadString("Path.Skins"), "skins\\dark");
    EXPECT_EQ(
        std::count_if(trace.lines.begin(), trace.lines.end(),
                      [](auto& l) { return l.text.find("not a name in the program's folders") != std::string::npos; }),
        4);
}

TEST_F(UpdateCheckTest, AutomaticCheckShowsOnlyAnOfferTheUserAllows) {
    const std::string offer = "magicword=Tallow\nResult=1\ninfo=New\npage=http://d/";
    EXPECT_EQ(Answered(false, offer).PageURL(), "http://d/");
    EXPECT_EQ(host.posted, 1);

    auto posts = [&](std::map<std::string, std::string, TNoCaseLess> values, int runTimes, const std::string& answer) {
        TFakeSettings s;
        s.values = std::move(values);
        s.values["App.MagicWord"] = "Tallow";
        s.runTimes = runTimes;
        LoneCheck lone(s, clock, false, Signed(answer));
        EXPECT_FALSE(lone.check.Busy());
        return lone.host.posted;
    };
    EXPECT_EQ(posts({{"Update.AutoCheck", "1"}}, 3, "magicword=Tallow\nResult=0"), 0);
    EXPECT_EQ(posts({{"Update.AutoCheck", "0"}}, 3, offer), 0);
    EXPECT_EQ(posts({{"Update.AutoCheck", "1"}, {"Update.NoAutoCheck", "1"}}, 3, offer), 0);
    EXPECT_EQ(posts({{"Update.AutoCheck", "1"}}, 0, offer), 0);
    EXPECT_EQ(posts({{"Update.AutoCheck", "1"}}, 3, "magicword=Other\nResult=1"), 0);
}

TEST_F(UpdateCheckTest, NetworkErrorsShowTheErrorTextOnlyToAManualCheckAndKeepTheSchedule) {
    ScopedTraceCapture trace;
    check.Begin(false);
    check.DownloadError();
    EXPECT_EQ(host.posted, 0);
    check.Begin(true);  // still busy: becomes manual without a second request
    check.DownloadError();
    EXPECT_EQ(host.posted, 1);
    EXPECT_EQ(check.InfoText(), "Cannot reach the update server.");
    EXPECT_EQ(check.PageURL(), "");
    EXPECT_EQ(host.downloads.size(), 1u);
    EXPECT_EQ(settings.ReadString("Update.LastDate"), "");
    ASSERT_EQ(trace.lines.size(), 3u);
    EXPECT_EQ(trace.lines[1].text, "Update Net Error !");
}

TEST_F(UpdateCheckTest, AnswersAfterTheCheckEndedOnlyDateTheSchedule) {
    Answered(true, "magicword=Tallow\nResult=0");
    ScopedTraceCapture trace;
    const std::string late = Signed("magicword=Tallow\nResult=1\ninfo=late\nBanner.X=1");
    check.DownloadDone(late);
    check.DownloadError();
    EXPECT_EQ(host.posted, 1);
    EXPECT_EQ(check.InfoText(), "You have the latest version.");
    EXPECT_EQ(settings.ReadString("Banner.X"), "");
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_EQ(trace.lines[0].text, "Update Net : " + late);
}

TEST_F(UpdateCheckTest, ButtonsStoreTheAutomaticChoiceUnlessTheProductLocksIt) {
    Answered(true, "magicword=Tallow\nResult=1\ninfo=New\npage=http://d/");
    check.Accept(false);
    EXPECT_EQ(settings.ReadString("Update.AutoCheck"), "0");
    EXPECT_EQ(host.opened, std::vector<std::string>{"http://d/"});
    check.Dismiss(true);
    EXPECT_EQ(settings.ReadString("Update.AutoCheck"), "1");
    EXPECT_EQ(host.cancels, 1);
    check.Abandon();
    EXPECT_EQ(host.cancels, 2);

    LoneCheck noPage(settings, clock, true, Signed("magicword=Tallow\nResult=1\ninfo=New"));
    noPage.check.Accept(true);
    EXPECT_TRUE(noPage.host.opened.empty());

    settings.values["Update.NoAutoCheck"] = "1";
    settings.writes.clear();
    check.Accept(false);
    check.Dismiss(false);
    EXPECT_TRUE(check.AutoCheckLocked());
    EXPECT_TRUE(settings.writes.empty());
}

}  // namespace
}  // namespace tallow::testing
