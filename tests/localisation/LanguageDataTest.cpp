// Language files as the language data reads them, and the lookups of the
// current language over the default one.
#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "fakes/TraceCapture.h"
#include "localisation/CLMultiLang.h"

namespace tallow::testing {
namespace {

using namespace std::string_view_literals;

std::string Lookup(TCLMultiLangLan& lan, std::string_view section, std::string_view key, std::string value = "kept") {
    lan.ReadText(section, "", key, value);
    return value;
}

TEST(LanguageFileTest, LinesTrimmedCommentsHeadersAndLineEnds) {
    TCLMultiLangLan lan;
    lan.LoadFromText(
        "stray=before any section\r\n"
        "[ Main ]\r\n"
        "  Caption  =  Hello  \t\r\n"
        "; comment=no\r"
        "  ;indented=comment\n"
        "no equals sign\r\n"
        "Url=a=b\n"
        "=empty key\r\n"
        "[Other] ; note\r\n"
        "Late=still Main\r\n"
        "\x01\x1f[Tail]\x20\r\n"
        "Key=tail");
    EXPECT_EQ(Lookup(lan, "MAIN", "caption"), "Hello");
    EXPECT_EQ(Lookup(lan, "Main", "Url"), "a=b");
    EXPECT_EQ(Lookup(lan, "Main", ""), "empty key");
    EXPECT_EQ(Lookup(lan, "Main", "Late"), "still Main");  // "[Other] ; note" opens no section
    EXPECT_EQ(Lookup(lan, "Other", "Late"), "kept");
    EXPECT_EQ(Lookup(lan, "Main", "stray"), "kept");
    EXPECT_EQ(Lookup(lan, "Main", "; comment"), "kept");
    EXPECT_EQ(Lookup(lan, "Main", ";indented"), "kept");
    EXPECT_EQ(Lookup(lan, "Tail", "Key"), "tail");
    std::string value = "x";
    EXPECT_TRUE(lan.ReadText("main", "", "no equals sign", value) == false && value == "x");
}

TEST(LanguageFileTest, LastSectionOccurrenceAndLastKeyLineWin) {
    TCLMultiLangLan lan;
    lan.LoadFromText("[A]\nOnlyFirst=1\nKey=first\n[B]\nx=1\n[a]\nKey=second\nkey=third\n");
    EXPECT_EQ(Lookup(lan, "A", "Key"), "third");
    EXPECT_EQ(Lookup(lan, "A", "OnlyFirst"), "kept");
    EXPECT_EQ(Lookup(lan, "B", "x"), "1");
}

TEST(LanguageFileTest, ByteOrderMarkAndNulAreNotSpecial) {
    TCLMultiLangLan lan;
    lan.LoadFromText("\xEF\xBB\xBF[A]\nLost=1\n[B]\nFound=2\nCut=be\0fore\nAfter=3\n"sv);
    EXPECT_EQ(Lookup(lan, "A", "Lost"), "kept");
    EXPECT_EQ(Lookup(lan, "B", "Found"), "2");
    EXPECT_EQ(Lookup(lan, "B", "Cut"), "be");
    EXPECT_EQ(Lookup(lan, "B", "After"), "kept");
}

TEST(LanguageFileTest, BreaksAndSpacesDecodedInAnyCase) {
    TCLMultiLangLan lan;
    lan.LoadFromText("[A]\nLines=one<br>two<Br>three\nSpaced=<sp>end<SP>\nOdd=<<SP>SP>>\n");
    EXPECT_EQ(Lookup(lan, "A", "Lines"), "one\r\ntwo\r\nthree");
    EXPECT_EQ(Lookup(lan, "A", "Spaced"), " end ");
    EXPECT_EQ(Lookup(lan, "A", "Odd"), "< SP>>");
}

TEST(LanguageFileTest, ChangedLinesAreSeenAtTheNextLookupAndClearEmpties) {
    TCLMultiLangLan lan;
    lan.LoadFromText("[A]\nKey=old\n");
    EXPECT_EQ(Lookup(lan, "A", "Key"), "old");
    lan.Data().SetText("[A]\nKey=new\n");
    EXPECT_EQ(Lookup(lan, "A", "Key"), "new");
    lan.Clear();
    EXPECT_EQ(lan.Data().Count(), 0);
    EXPECT_EQ(Lookup(lan, "A", "Key"), "kept");
}

TEST(LanguageFileTest, FilesMissingOrTooLargeGiveAnEmptyLanguage) {
    TFakePlatform platform;
    platform.files.files["C:\\langs\\Big.lan"] = "[A]\nKey=1\n" + std::string(kMaxLanguageFileSize, ';');
    platform.files.files["C:\\langs\\Ok.lan"] = "[A]\nKey=1\n";
    TCLMultiLangLan lan;
    lan.LoadFromFile(&platform.files, "C:\\langs\\Ok.lan");
    EXPECT_EQ(Lookup(lan, "A", "Key"), "1");
    lan.LoadFromFile(&platform.files, "C:\\langs\\Big.lan");
    EXPECT_EQ(Lookup(lan, "A", "Key"), "kept");
    lan.LoadFromFile(&platform.files, "C:\\langs\\Ok.lan");
    lan.LoadFromFile(&platform.files, "C:\\langs\\Missing.lan");
    EXPECT_EQ(lan.Data().Count(), 0);
}

TEST(LanguageFileTest, ReadSectionSetsDeletesAndAppendsByName) {
    TCLMultiLangLan lan;
    lan.LoadFromText("[S]\nA=new<SP>a\nGone=\nC=c1\nc=c2\n");
    TStrings target;
    target.SetText("a=old\r\ngone=x\r\nkeep=k\r\n");
    lan.ReadSection("s", target);
    EXPECT_EQ(target.Text(), "A=new a\r\nkeep=k\r\nC=c2\r\n");
}

class LanguageDataTest : public ::testing::Test {
  protected:
    LanguageDataTest() { data.SetFiles(&platform.files); }
    std::string Text(std::string_view section, std::string_view key, std::string value = "kept") {
        data.FindText(section, "", key, value);
        return value;
    }
    TFakePlatform platform;
    TCLMultiLangData data{nullptr};
};

TEST_F(LanguageDataTest, CurrentLanguageFirstThenDefaultEvenForEmptyTexts) {
    data.DefaultData()->SetText("[S]\nOnlyDefault=d\nBoth=default\nEmpty=default\n");
    data.CurrentData()->SetText("[S]\nBoth=current\nEmpty=\n");
    EXPECT_EQ(Text("S", "OnlyDefault"), "d");
    EXPECT_EQ(Text("S", "Both"), "current");
    EXPECT_EQ(Text("S", "Empty"), "");
    EXPECT_EQ(Text("S", "Neither"), "kept");
    std::string value = "kept";
    EXPECT_TRUE(data.FindText("s", "Both", "", value) == false && value == "kept");

    TStrings target;
    target.SetText("Both=mine\r\n");
    data.ReadSection("S", target);
    EXPECT_EQ(target.Text(), "Both=mine\r\nOnlyDefault=d\r\nEmpty=default\r\n");
}

TEST_F(LanguageDataTest, AppNameFillsTextsButNotItself) {
    data.DefaultData()->SetText("[AppRes]\nAppName=Fallback {appname}\n");
    data.CurrentData()->SetText("[AppRes]\nMsg={APPNAME} says {AppName}\n[Info]\nLanguage=Deutsch {AppName}\n");
    EXPECT_EQ(Text("AppRes", "Msg"), " says ");  // no name read yet
    EXPECT_EQ(data.ReadAppName(), "Fallback {appname}");
    EXPECT_EQ(Text("AppRes", "Msg"), "Fallback {appname} says Fallback {appname}");
    EXPECT_EQ(data.CurrentLanguage(), "Deutsch Fallback {appname}");

    TStrings target;
    data.ReadSection("AppRes", target);
    EXPECT_EQ(target.Values("Msg"), "{APPNAME} says {AppName}");

    platform.files.files["C:\\langs\\German.lan"] = "[AppRes]\nAppName=Putzteufel\nMsg=Hallo {AppName}\n";
    data.LoadLanguageFile("C:\\langs\\German.lan");
    EXPECT_EQ(data.AppNameCache(), "Putzteufel");
    EXPECT_EQ(Text("AppRes", "Msg"), "Hallo Putzteufel");
    data.ClearCurrentData();
    EXPECT_EQ(Text("AppRes", "Msg"), "kept");
    EXPECT_EQ(data.AppNameCache(), "Putzteufel");
}

TEST_F(LanguageDataTest, AppNameIsFilledUpTo64KiBAndLargerResultsKeepTheirTokens) {
    const std::string name(1024, 'N');
    auto tokens = [](size_t n, const std::string& token = "{AppName}") {
        std::string text;
        for (size_t i = 0; i < n; ++i)
            text += token;
        return text;
    };
    const std::pair<std::string, bool> cases[] = {
        {tokens(64), true},  // exactly 64 KiB
        {tokens(63, "{appNAME}") + "{AppName}", true},
        {tokens(64) + "x", false},  // one byte over
        {tokens(65), false},
        {tokens(200000), false},  // 1.8 MB that would give 200 MiB
    };
    for (const auto& [raw, filled] : cases) {
        data.CurrentData()->SetText("[AppRes]\nAppName=" + name + "\nMsg=" + raw + "\n");
        data.ReadAppName();
        ScopedTraceCapture trace;
        EXPECT_EQ(Text("AppRes", "Msg"), filled ? std::string(kMaxFilledTextSize, 'N') : raw) << raw.size();
        ASSERT_EQ(trace.lines.size(), filled ? 0u : 1u) << raw.size();
        EXPECT_TRUE(filled || trace.lines[0].text.find("AppRes/Msg") != std::string::npos);
    }
}

TEST_F(LanguageDataTest, DamagedFilesLeaveTheBuiltInTexts) {
    data.DefaultData()->SetText("[LibRes]\nbtnOk.Caption=&Ok\n");
    std::string sections;
    for (int i = 0; i < 20000; ++i)
        sections += "[s" + std::to_string(i % 1000) + "]\n";
    platform.files.files["C:\\Sections.lan"] = sections + "k=last\n";
    platform.files.files["C:\\Huge.lan"] = std::string(kMaxLanguageFileSize + 1, '[');
    platform.files.files["C:\\Binary.lan"] = std::string("\x89PNG\r\n\x1a\n\0[LibRes]\nbtnOk.Caption=x"sv);
    for (const char* file : {"C:\\Sections.lan", "C:\\Huge.lan", "C:\\Binary.lan"}) {
        data.LoadLanguageFile(file);
        EXPECT_EQ(Text("LibRes", "btnOk.Caption"), "&Ok") << file;
    }
    data.LoadLanguageFile("C:\\Sections.lan");
    EXPECT_EQ(Text("s999", "k"), "last");
    EXPECT_EQ(Text("s0", "k"), "kept");
}

}  // namespace
}  // namespace tallow::testing
