#include "framework/IniDocument.h"

#include <gtest/gtest.h>

namespace tallow {
namespace {

TEST(IniDocument, NamesCompareWithoutCaseAndBlanksAreTrimmed) {
    auto doc = TIniDocument::Parse("[Setting]\r\n  App.Ver =  1.2.3.4  \r\nEmpty=\r\n");
    EXPECT_EQ(doc.Find("SETTING", "app.ver"), "1.2.3.4");
    EXPECT_EQ(doc.Find("setting", "Empty"), "");  // present, empty
    EXPECT_FALSE(doc.Find("setting", "Missing"));
    EXPECT_FALSE(doc.Find("other", "App.Ver"));
}

TEST(IniDocument, EveryLineEndWorksIncludingCarriageReturnAlone) {
    auto doc = TIniDocument::Parse("[a]\rx=1\ry=2\n[b]\r\nz=3");
    EXPECT_EQ(doc.Find("a", "x"), "1");
    EXPECT_EQ(doc.Find("a", "y"), "2");
    EXPECT_EQ(doc.Find("b", "z"), "3");
}

TEST(IniDocument, FirstOfDuplicateKeysWinsAndRepeatedSectionsMerge) {
    auto doc = TIniDocument::Parse("[s]\nk=first\nK=second\n[t]\nq=1\n[S]\nk=third\nlate=yes\n");
    EXPECT_EQ(doc.Find("s", "k"), "first");
    EXPECT_EQ(doc.Find("s", "late"), "yes");
    ASSERT_TRUE(doc.Set("s", "K", "new"));
    auto again = TIniDocument::Parse(doc.Serialize());
    EXPECT_EQ(again.Find("s", "k"), "new");
}

TEST(IniDocument, JunkLongLinesAndKeysOutsideSectionsAreTolerated) {
    std::string junk("\0\x01\xff[\x80=\x7f\n", 8);
    std::string longValue(200000, 'v');
    std::string text = "orphan=1\n" + junk + "[s]\n" + junk + "no equals sign here\n=novalue\nlong=" + longValue +
                       "\n;comment=1\nafter=ok\n[unterminated\nu=1\n";
    auto doc = TIniDocument::Parse(text);
    EXPECT_EQ(doc.Find("s", "long")->size(), longValue.size());
    EXPECT_EQ(doc.Find("s", "after"), "ok");
    EXPECT_FALSE(doc.Find("s", ";comment"));
    EXPECT_EQ(doc.Find("unterminated", "u"), "1");
    EXPECT_FALSE(doc.Find("", "orphan"));
}

TEST(IniDocument, LinesThatHoldNoKeyAreKeptInTheirPlaces) {
    auto doc = TIniDocument::Parse(
        "\xEF\xBB\xBFlost=1\r\n; header\r\n\r\n[s]\r\n  ; a comment \r\na=1\r\n"
        "no equals\r\n=novalue\r\n[t]\r\n;k=v\r\n");
    EXPECT_FALSE(doc.Find("s", "; a comment"));
    EXPECT_FALSE(doc.Find("t", ";k"));
    ASSERT_TRUE(doc.Set("s", "b", "2"));
    ASSERT_TRUE(doc.Set("t", "k", "v"));
    EXPECT_FALSE(doc.Set("t", ";k", "w"));  // would read back as a comment
    const std::string saved = doc.Serialize();
    EXPECT_EQ(saved,
              "\xEF\xBB\xBFlost=1\r\n; header\r\n\r\n[s]\r\n; a comment\r\na=1\r\nno equals\r\n=novalue\r\n"
              "b=2\r\n\r\n[t]\r\n;k=v\r\nk=v\r\n");
    EXPECT_EQ(TIniDocument::Parse(saved).Serialize(), saved);
}

TEST(IniDocument, ByteOrderMarksGiveAnsiText) {
    auto latin1 = [](std::u16string_view text) {
        std::string out;
        for (char16_t c : text) {
            out += c <= 0xFF ? static_cast<char>(c) : '?';
        }
        return out;
    };
    EXPECT_EQ(IniTextToAnsi("[s]\r\nk=\xE9", latin1), "[s]\r\nk=\xE9");  // no mark: already ANSI
    EXPECT_EQ(IniTextToAnsi("\xEF\xBB\xBF[s]\nk=caf\xC3\xA9 \xE2\x99\x82 \xF0\x9F\x98\x80", latin1),
              "[s]\nk=caf\xE9 ? ??");  // a character beyond U+FFFF is two UTF-16 units
    EXPECT_EQ(IniTextToAnsi("\xEF\xBB\xBFk=\xE9t\xE9", latin1), "k=\xE9t\xE9");  // not UTF-8: the bytes stay
    EXPECT_EQ(IniTextToAnsi("\xEF\xBB\xBFk=\xC0\x80\xED\xA0\x80", latin1),
              "k=\xC0\x80\xED\xA0\x80");                                                          // overlong, surrogate
    EXPECT_EQ(IniTextToAnsi(std::string("\xFF\xFE[\0s\0]\0\xE9\0B&x", 13), latin1), "[s]\xE9?");  // odd byte dropped
    EXPECT_EQ(IniTextToAnsi(std::string("\xFE\xFF\0k\0=\0\xE9", 8), latin1), "k=\xE9");
    EXPECT_EQ(IniTextToAnsi("\xFF\xFE", latin1), "");
}

TEST(IniDocument, WritesStayOneLinePerKey) {
    TIniDocument doc;
    EXPECT_FALSE(doc.Set("s", "a=b", "1"));
    EXPECT_FALSE(doc.Set("s", "", "1"));
    EXPECT_FALSE(doc.Set("s", "[x]", "1"));
    EXPECT_FALSE(doc.Set("s", "two\nlines", "1"));
    ASSERT_TRUE(doc.Set("s", "key", "line1\r\n[evil]\r\ninjected=1"));
    auto again = TIniDocument::Parse(doc.Serialize());
    EXPECT_FALSE(again.Find("evil", "injected"));
    EXPECT_EQ(again.Find("s", "key"), "line1  [evil]  injected=1");
    EXPECT_EQ(again.Find("s", "a=b"), std::nullopt);
}

TEST(IniDocument, SerializedDocumentReadsBackTheSame) {
    TIniDocument doc;
    doc.Set("setting", "RunTimes", "1");
    doc.Set("ShowAgain", "7", "0");
    doc.Set("setting", "URL", "http://x/?a=b");
    EXPECT_EQ(doc.Serialize(), "[setting]\r\nRunTimes=1\r\nURL=http://x/?a=b\r\n\r\n[ShowAgain]\r\n7=0\r\n");
    auto again = TIniDocument::Parse(doc.Serialize());
    EXPECT_EQ(again.Find("setting", "URL"), "http://x/?a=b");
    EXPECT_EQ(again.Find("showagain", "7"), "0");
}

}  // namespace
}  // namespace tallow
