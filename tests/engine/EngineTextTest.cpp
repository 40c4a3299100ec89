// Texts by key, placeholders, the setting lists and the browser command line.
#include <gtest/gtest.h>

#include "engine/EngineFakes.h"
#include "framework/CLEngineSchedule.h"
#include "framework/CLEngineText.h"
#include "framework/CLEngineUrl.h"

namespace tallow::testing {
namespace {

TEST(FillPlaceholders, ReplacesEveryNumberedPlaceholderInOrder) {
    EXPECT_EQ(FillPlaceholders("{1} and {2}, again {1}{2}; {3} stays", {"A", "B"}), "A and B, again AB; {3} stays");
    EXPECT_EQ(FillPlaceholders("{1}", {"x{2}y"}), "x{2}y") << "no argument 2: the brought-in placeholder stays";
    EXPECT_EQ(FillPlaceholders("{1}", {"x{2}y", "Z"}), "x{2}y") << "what an argument brings in stays as it is";
    EXPECT_EQ(FillPlaceholders("{2}-{1}", {"{2}", "{1}"}), "{1}-{2}");
    EXPECT_EQ(FillPlaceholders("{1 {1} {} {x} {", {"v"}), "{1 v {} {x} {");
    EXPECT_EQ(FillPlaceholders("{2}", {"{2}", "{1}"}), "{1}") << "an earlier number is not revisited";
    EXPECT_EQ(FillPlaceholders("{1}{1}", {"{1}"}), "{1}{1}") << "an argument holding its own placeholder ends";
    EXPECT_EQ(FillPlaceholders("{10} {1}", std::vector<std::string>(10, "v")), "v v");
    EXPECT_EQ(FillPlaceholders("{ 1} {01}", {"v"}), "{ 1} {01}");
    EXPECT_EQ(FillPlaceholders("", {"v"}), "");
    EXPECT_EQ(FillPlaceholders("{1234567890} {000000001}", std::vector<std::string>(10, "v")),
              "{1234567890} {000000001}")
        << "more than nine digits, or a leading zero, is no placeholder";
    const std::string braces(400000, '{');
    EXPECT_EQ(FillPlaceholders(braces + "{1}" + braces + "}", {"v"}), braces + "v" + braces + "}")
        << "unclosed braces by the hundred thousand: each is copied, the placeholder among them filled";
}

TEST(EngineTexts, MissingTextsShowTheirSectionAndKey) {
    EngineFixture f;
    EXPECT_EQ(f.engine().GetAppText("MSGBOX_Cleared"), "");
    EXPECT_EQ(f.engine().GetResText("MSGBOX_Cleared", false), "[AppRes]MSGBOX_Cleared");
    EXPECT_EQ(f.engine().GetResText("Update.NetError", true), "[LibRes]Update.NetError");

    FakeLanguage language;
    language.texts["AppRes/MSGBOX_Cleared"] = "Cleared.";
    language.texts["LibRes/btnOk.Caption"] = "&Ok";
    f.engine().LanguageData = &language;
    EXPECT_EQ(f.engine().GetResText("MSGBOX_Cleared", false), "Cleared.");
    EXPECT_EQ(f.engine().GetResText("MSGBOX_Cleared", true), "[LibRes]MSGBOX_Cleared");
    EXPECT_EQ(f.engine().GetLibText("btnOk.Caption"), "&Ok");

    language.sections["SkinRes"] = {"MSG_BTN_YES=Ja", "SkinRes.added=1"};
    TStrings list;
    list.Add("MSG_BTN_YES=&Yes");
    f.engine().GetLangSection("SkinRes", list);
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"MSG_BTN_YES=&Yes", "SkinRes.added=1"}));
}

TEST(EngineTexts, AppNameComesFromTheLanguageBeforeTheSetting) {
    EngineFixture f;
    f.settings.values["App.Name"] = "Tallowmere";
    EXPECT_EQ(f.engine().GetAppName(), "Tallowmere");
    FakeLanguage language;
    f.engine().LanguageData = &language;
    EXPECT_EQ(f.engine().GetAppName(), "Tallowmere") << "an empty language name falls back";
    language.appName = "Talgmeer";
    EXPECT_EQ(f.engine().GetAppName(), "Talgmeer");
}

TEST(EngineSettingLists, LookupsIgnoreCaseAndTakeTheTextAfterTheFirstEquals) {
    EngineFixture f;
    EXPECT_EQ(f.engine().FindDefault("path.languages"), "lang");
    TStrings defaults;
    defaults.SetText("Path.Skins=skins\r\nPath.Languages=langs");
    f.engine().SetSettingDefault(&defaults);
    EXPECT_EQ(f.engine().FindDefault("PATH.LANGUAGES"), "langs");
    TStrings overwrite;
    overwrite.SetText("URL.Update=https://h.example/update/?a=b\nEmpty=");
    f.engine().SetSettingOverwrite(&overwrite);
    overwrite.Clear();
    EXPECT_EQ(f.engine().FindOverwrite("url.update"), "https://h.example/update/?a=b");
    EXPECT_EQ(f.engine().FindOverwrite("Empty"), "");
    EXPECT_EQ(f.engine().FindOverwrite("URL"), std::nullopt);
    EXPECT_EQ(f.engine().FindDefault("Missing"), std::nullopt);
}

TEST(OpenUrlCommand, HostileAddressesCannotChangeTheBrowserCommandLine) {
    EXPECT_EQ(SafeWebAddress("ftp://host/x"), std::nullopt);
    EXPECT_EQ(SafeWebAddress("file:///C:/Windows/system32/calc.exe"), std::nullopt);
    EXPECT_EQ(SafeWebAddress("C:\\evil.exe"), std::nullopt);
    EXPECT_EQ(SafeWebAddress(" http://host/"), std::nullopt);
    EXPECT_EQ(SafeWebAddress("http:/host"), std::nullopt);
    EXPECT_EQ(SafeWebAddress("HTTPS://Host/Path?q=1"), "HTTPS://Host/Path?q=1");
    EXPECT_EQ(SafeWebAddress("http://h/\" --kiosk \"x"), "http://h/%22%20--kiosk%20%22x");
    EXPECT_EQ(SafeWebAddress("http://h/a\r\nb\tc\x7f"), "http://h/a%0D%0Ab%09c%7F");
    EXPECT_EQ(SafeWebAddress("http://h/dir\\"), "http://h/dir%5C");
    EXPECT_EQ(SafeWebAddress("http://h/?a=1&b=%C3%A9&calc|x^y<z>w"), "http://h/?a=1&b=%C3%A9&calc%7Cx%5Ey%3Cz%3Ew")
        << "a query and its escapes stay; what is no address character is encoded";
    EXPECT_EQ(SafeWebAddress("http://h/%PATH%%41%1%g0%"), "http://h/%25PATH%25%41%251%25g0%25")
        << "a % that begins no escape is encoded, so it is never read as a variable or an argument";

    EXPECT_EQ(ComposeBrowserCommand("\"C:\\b.exe\" -url \"%1\" %1", "http://h/%1&x"),
              "\"C:\\b.exe\" -url \"http://h/%1&x\" \"http://h/%1&x\"")
        << "each %1 becomes one quoted argument; the address's own %1 is not replaced again";
    EXPECT_EQ(ComposeBrowserCommand("C:\\b.exe", "http://h/"), "C:\\b.exe  \"http://h/\"");
}

TEST(UpdateSchedule, DueWhenTheWholeDaysReachTheInterval) {
    const double now = 45000.75;
    EXPECT_FALSE(IsUpdateDue(now, now - 3, 7));
    EXPECT_FALSE(IsUpdateDue(now, now - 6.99, 7));
    EXPECT_TRUE(IsUpdateDue(now, now - 7, 7));
    EXPECT_TRUE(IsUpdateDue(now, now - 8, 7));
    EXPECT_TRUE(IsUpdateDue(now, now + 8, 7)) << "a last date in the future counts its distance";
    EXPECT_TRUE(IsUpdateDue(now, 0, 7)) << "never checked";
    EXPECT_TRUE(IsUpdateDue(now, now, 0)) << "no interval: every start";
}

}  // namespace
}  // namespace tallow::testing
