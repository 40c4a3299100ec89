// The addresses of the vendor's pages and the query that tells the server who asks.
#include <gtest/gtest.h>

#include "engine/EngineFakes.h"
#include "framework/CLEngineRequest.h"

namespace tallow::testing {
namespace {

TEST(RequestText, EncodingsKeepOnlyTheSafeBytes) {
    EXPECT_EQ(UrlEncode("Az09!$'()*-._@"), "Az09!$'()*-._@");
    EXPECT_EQ(UrlEncode("a b&c=d+e/f?%"), "a+b%26c%3Dd%2Be%2Ff%3F%25");
    EXPECT_EQ(UrlEncode(std::string("\xE9\x7F\x01\x00", 4)), "%E9%7F%01%00");
    EXPECT_EQ(HexEncode("unknow"), "756E6B6E6F77");
    EXPECT_EQ(HexEncode(std::string("\x00\xFF\x0A", 3)), "00FF0A");
    EXPECT_EQ(HexEncode(""), "");
}

TEST(RequestText, PackVersionNeedsExactlyFourParts) {
    EXPECT_EQ(PackVersion("1.2.3.4"), 0x01020304u);
    EXPECT_EQ(PackVersion("1.2.3.300"), 0x0102032Cu);
    EXPECT_EQ(PackVersion("255.0.10.1 beta 2"), 0xFF000A01u);
    EXPECT_EQ(PackVersion("1.x.3.4"), 0x01000304u);
    EXPECT_EQ(PackVersion("1.2.3"), 0u);
    EXPECT_EQ(PackVersion("1.2.3.4.5"), 0u);
    EXPECT_EQ(PackVersion(""), 0u);
}

TEST(RequestText, AppendQueryChoosesTheSeparator) {
    EXPECT_EQ(AppendQuery("http://h/update/", "q=1"), "http://h/update/?q=1");
    EXPECT_EQ(AppendQuery("http://h/update/?x=1", "q=1"), "http://h/update/?x=1&q=1");
    EXPECT_EQ(AppendQuery("http://h/update/?", "q=1"), "http://h/update/?q=1");
    EXPECT_EQ(AppendQuery("http://h/update/?x=1&", "q=1"), "http://h/update/?x=1&q=1");
    EXPECT_EQ(AppendQuery("http://h/a&b", "q=1"), "http://h/a&b?q=1") << "an '&' without '?' is no query";
    EXPECT_EQ(AppendQuery("", "q=1"), "q=1");
}

TEST(RequestText, ChannelIsTheInstallerFileNameAndTheTimeStampSecondsAndMilliseconds) {
    EXPECT_EQ(ChannelFileName("\"C:\\Downloads\\setup_a.exe\""), "setup_a.exe");
    EXPECT_EQ(ChannelFileName("D:setup.exe"), "setup.exe");
    EXPECT_EQ(ChannelFileName("web"), "web");
    EXPECT_EQ(ChannelFileName("C:\\dir\\"), "");
    EXPECT_EQ(RequestTimeStamp(EncodeDateTime(2026, 12, 9, 21, 10, 7, 123)), "07123");
    EXPECT_EQ(RequestTimeStamp(EncodeDateTime(2026, 12, 9, 23, 59, 59, 999)), "59999");
    EXPECT_EQ(RequestTimeStamp(EncodeDateTime(2026, 12, 9)), "00000");
}

class RequestFixture : public EngineFixture {
  public:
    RequestFixture() {
        settings.values["App.PID"] = "TM100";
        settings.values["App.MagicWord"] = "word";
        settings.values["App.RegPath"] = "Tallowmere";
        settings.values["App.Ver"] = "1.0.2.26";
        settings.values["App.SubVer"] = "5";
        settings.values["Language"] = "English";
        settings.installAgeDays = 12;
        settings.runTimes = 3;
        platform.systemInfo.version.major = 5;
        platform.systemInfo.version.minor = 1;
        platform.systemInfo.version.servicePack = "Service Pack 3";
        platform.systemInfo.langId = 0x0407;
        platform.clock.now = EncodeDateTime(2026, 12, 9, 21, 10, 7, 123);
    }
};

TEST(RequestQuery, CarriesTheTenItemsInOrder) {
    RequestFixture f;
    EXPECT_EQ(f.engine().BuildRequestQuery(),
              "07123&PID=TM100&LANG=English&DAY=12&RUNTIME=3&VER=0100021A&SVER=5"
              "&WVER=5_1_Service+Pack+3&WLANG=1031&CHL=756E6B6E6F77");
}

TEST(RequestQuery, EncodesEveryValueAndFallsBackWhereTheSettingsAreMissing) {
    RequestFixture f;
    f.settings.values["App.PID"] = "";
    f.settings.values["App.MagicWord"] = "m w";
    f.settings.values["Language"] =
        "Fran\xE7"
        "ais & co=1";
    f.settings.values["App.Ver"] = "1.2.3";
    f.settings.values["App.SubVer"] = "beta";
    f.settings.runTimes = 0;
    f.platform.systemInfo.version.servicePack = "SP=1&2";
    f.platform.registry.Set(RegistryRoot::LocalMachine, "Software\\Tallowmere", "CHL",
                            "\"C:\\Downloads\\setup_a.exe\"");
    EXPECT_EQ(f.engine().BuildRequestQuery(),
              "07123&PID=m+w&LANG=Fran%E7ais+%26+co%3D1&DAY=12&RUNTIME=0&VER=00000000&SVER=0"
              "&WVER=5_1_SP%3D1%262&WLANG=1031&CHL=" +
                  HexEncode("setup_a.exe"));
}

TEST(PageAddress, ResolvesThePageAndAddsTheQueryToWebAddressesOnly) {
    RequestFixture f;
    const std::string query = "ACTION=Update&" + f.engine().BuildRequestQuery();

    f.settings.values["URL.Update"] = "http://update.example/update/";
    EXPECT_EQ(f.engine().GetPageURL("Update", false), "http://update.example/update/");
    EXPECT_EQ(f.engine().GetPageURL("update", true),
              "http://update.example/update/?ACTION=update&" + f.engine().BuildRequestQuery());
    f.settings.values["URL.Update"] = "http://update.example/update/?x=1";
    EXPECT_EQ(f.engine().GetPageURL("Update", true), "http://update.example/update/?x=1&" + query);
    f.settings.values["URL.Update"] = "HTTPS://update.example/update/?";
    EXPECT_EQ(f.engine().GetPageURL("Update", true), "HTTPS://update.example/update/?" + query);

    f.settings.values["URL.Redirect"] = "http://go.example/r.php?%EXEPATH%";
    f.settings.values["URL.Update"] = " \t\r\n";
    EXPECT_EQ(f.engine().GetPageURL("Update", true), "http://go.example/r.php?%EXEPATH%&" + query)
        << "a blank page falls to the redirect, unreplaced, and names the page asked for";

    f.settings.values["URL.help"] = "%EXEPATH%\\help.html;%ExePath%";
    EXPECT_EQ(f.engine().GetPageURL("help", true),
              "C:\\Program Files\\Tallowmere\\help.html;C:\\Program Files\\Tallowmere");
    f.settings.values["URL.mail"] = " mailto:x@example ";
    EXPECT_EQ(f.engine().GetPageURL("mail", true), " mailto:x@example ") << "kept untrimmed, no query";

    f.settings.values.erase("URL.Redirect");
    EXPECT_EQ(f.engine().GetPageURL("nothing", true), "");
}

}  // namespace
}  // namespace tallow::testing
