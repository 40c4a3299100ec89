#include <gtest/gtest.h>

#include "TestClasses.h"
#include "components/Collection.h"
#include "components/Strings.h"

namespace tallow::test {
namespace {

using Lines = std::vector<std::string>;

TEST(StringsTest, SetTextSplitsAtCrLfLoneCrAndLoneLf) {
    TStrings s;
    s.SetText("one\r\ntwo\rthree\nfour");
    EXPECT_EQ(s.Lines(), (Lines{"one", "two", "three", "four"}));
    s.SetText("a\r\n\r\nb\n\rc\r\n");
    EXPECT_EQ(s.Lines(), (Lines{"a", "", "b", "", "c"})) << "LF CR is two breaks; a final break adds no line";
    s.SetText("");
    EXPECT_EQ(s.Count(), 0);
    s.SetText("\n");
    EXPECT_EQ(s.Lines(), (Lines{""}));
    s.SetText("x");
    EXPECT_EQ(s.Text(), "x\r\n");
    s.SetText("x\r\ny");
    EXPECT_EQ(s.Text(), "x\r\ny\r\n");
}

TEST(StringsTest, NameValueHelpersFollowTheFirstEqualsSign) {
    TStrings s;
    s.SetText("MSG_BTN_YES=&Yes\nplain line\nMSG_BTN_OK=OK=fine\n=empty name");
    EXPECT_EQ(s.IndexOfName("msg_btn_ok"), 2);
    EXPECT_EQ(s.Values("MSG_BTN_OK"), "OK=fine");
    EXPECT_EQ(s.Values("plain line"), "");
    EXPECT_EQ(s.Names(0), "MSG_BTN_YES");
    EXPECT_EQ(s.Names(1), "");
    EXPECT_EQ(s.ValueFromIndex(0), "&Yes");
    EXPECT_EQ(s.ValueFromIndex(7), "");
    EXPECT_EQ(s.Strings(-1), "");

    s.SetValue("msg_btn_yes", "Ja");
    EXPECT_EQ(s.Strings(0), "msg_btn_yes=Ja");
    s.SetValue("MSG_BTN_NO", "&No");
    EXPECT_EQ(s.Strings(4), "MSG_BTN_NO=&No");
    s.SetValue("MSG_BTN_OK", "");
    EXPECT_EQ(s.IndexOfName("MSG_BTN_OK"), -1) << "an empty value deletes the line";
    EXPECT_EQ(s.Count(), 4);
    s.SetValue("absent", "");
    EXPECT_EQ(s.Count(), 4);
}

TEST(StringsTest, OnChangeFiresOncePerOutermostUpdate) {
    TStrings s;
    int changes = 0;
    s.OnChange = [&](TStrings&) { ++changes; };
    s.Add("a");
    EXPECT_EQ(changes, 1);
    s.BeginUpdate();
    s.BeginUpdate();
    s.Add("b");
    s.SetText("c\nd");
    s.EndUpdate();
    EXPECT_EQ(changes, 1);
    s.EndUpdate();
    EXPECT_EQ(changes, 2);
    s.BeginUpdate();
    s.EndUpdate();
    EXPECT_EQ(changes, 2) << "no change, no event";
    s.EndUpdate();  // unbalanced: ignored
    s.Clear();
    EXPECT_EQ(changes, 3);

    TStrings copy;
    copy.Assign(s);
    s.Add("e");
    EXPECT_EQ(copy.Count(), 0) << "Assign copies lines, not a link";
}

TEST(CollectionTest, ItemsKeepOrderIndexAndProperties) {
    TItemCollection<TFakeImageItem> images;
    int changes = 0;
    images.OnChange = [&](TCollection&) { ++changes; };
    images.Add()->name = "clear";
    images.Add()->name = "select";
    images.Add()->name = "logo";
    EXPECT_EQ(images.Count(), 3);
    EXPECT_EQ(images.Items(2)->Index(), 2);
    EXPECT_EQ(images.Items(2)->Collection(), &images);
    images.Delete(0);
    EXPECT_EQ(images.Items(0)->name, "select");
    EXPECT_EQ(images.Items(1)->Index(), 1);
    EXPECT_EQ(images.Items(2), nullptr);
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(images.InheritsFrom("TCollection"));

    const PropInfo name = FindProp(*images.Items(1), "Name");
    EXPECT_TRUE(name.SetString("brand"));
    EXPECT_EQ(images.Items(1)->name, "brand");
}

}  // namespace
}  // namespace tallow::test
