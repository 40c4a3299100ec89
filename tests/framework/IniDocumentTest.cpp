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
