#include <gtest/gtest.h>

#include "TestClasses.h"
#include "components/TextCase.h"

namespace tallow::test {
namespace {

std::vector<std::string> NamesOf(const std::vector<PropInfo>& props) {
    std::vector<std::string> names;
    for (const PropInfo& p : props)
        names.push_back(p.name);
    return names;
}

TEST(PropertyTest, EnumeratesInDeclarationOrderWithKindsAndTypeNames) {
    TFakeButton button(nullptr);
    const auto props = GetPropList(button, false);
    EXPECT_EQ(NamesOf(props), (std::vector<std::string>{"Name", "Tag", "Caption", "Width", "SkinData", "hint",
                                                        "Enabled", "Lines", "Version"}));
    EXPECT_EQ(props[0].kind, PropKind::LongString);
    EXPECT_EQ(props[0].typeName, "TComponentName");
    EXPECT_EQ(props[2].typeName, "TCaption");
    EXPECT_EQ(props[3].kind, PropKind::Integer);
    EXPECT_EQ(props[4].kind, PropKind::Object);
    EXPECT_EQ(props[4].typeName, "TskSkinData");
    EXPECT_EQ(props[5].kind, PropKind::WideString);
    EXPECT_EQ(props[6].kind, PropKind::Boolean);
    EXPECT_EQ(props[7].typeName, "TStrings");
    EXPECT_EQ(props[8].kind, PropKind::ShortString);
}

TEST(PropertyTest, SortedListIsAlphabeticalWithoutRegardToCase) {
    TFakeButton button(nullptr);
    EXPECT_EQ(NamesOf(GetPropList(button, true)),
              (std::vector<std::string>{"Caption", "Enabled", "hint", "Lines", "Name", "SkinData", "Tag", "Version",
                                        "Width"}));
}

TEST(PropertyTest, TypedAccessorsReadAndWriteThroughTheObject) {
    TFakeButton button(nullptr);
    const PropInfo caption = FindProp(button, "caption");
    ASSERT_EQ(caption.name, "Caption");
    EXPECT_TRUE(caption.SetString("&Clear Now"));
    EXPECT_EQ(button.Caption(), "&Clear Now");
    EXPECT_EQ(caption.GetString(), "&Clear Now");

    const PropInfo width = FindProp(button, "Width");
    EXPECT_TRUE(width.SetText("-12"));
    EXPECT_EQ(button.Width(), -12);
    EXPECT_EQ(width.GetText(), "-12");
    EXPECT_FALSE(width.SetText("12px"));
    EXPECT_FALSE(width.SetText(""));
    EXPECT_FALSE(width.SetText("99999999999"));
    EXPECT_EQ(button.Width(), -12);
    EXPECT_FALSE(width.SetString("5")) << "an Integer is not a string property";

    const PropInfo enabled = FindProp(button, "Enabled");
    EXPECT_TRUE(enabled.SetText("false"));
    EXPECT_FALSE(button.Enabled());
    EXPECT_EQ(enabled.GetText(), "False");
    EXPECT_FALSE(enabled.SetText("maybe"));
    EXPECT_FALSE(button.Enabled());

    EXPECT_TRUE(FindProp(button, "Nope").name.empty());
}

TEST(PropertyTest, ObjectPropertiesCheckTheClassAndReadOnlyPropertiesRefuseWrites) {
    TFakeButton button(nullptr);
    TFakeSkin skin(nullptr);
    TRecorder other(nullptr);
    const PropInfo skinProp = FindProp(button, "SkinData");
    EXPECT_EQ(skinProp.GetObject(), nullptr);
    EXPECT_TRUE(skinProp.SetObject(&skin));
    EXPECT_EQ(button.SkinData(), &skin);
    EXPECT_FALSE(skinProp.SetObject(&other)) << "a TRecorder is no TFakeSkin";
    EXPECT_EQ(button.SkinData(), &skin);
    EXPECT_TRUE(skinProp.SetObject(nullptr));
    EXPECT_EQ(button.SkinData(), nullptr);

    const PropInfo version = FindProp(button, "Version");
    EXPECT_TRUE(version.IsReadOnly());
    EXPECT_FALSE(version.SetString("2.0"));
    EXPECT_EQ(version.GetString(), "1.0");
    const PropInfo lines = FindProp(button, "Lines");
    EXPECT_EQ(lines.GetObject(), button.Lines());
    EXPECT_FALSE(lines.SetObject(nullptr));
}

TEST(PropertyTest, InheritsFromNamesTheClassAndItsBasesOnly) {
    TFakeButton button(nullptr);
    EXPECT_EQ(button.ClassName(), "TFakeButton");
    for (const char* base : {"TFakeButton", "TRecorder", "TComponent", "TPersistent"})
        EXPECT_TRUE(button.InheritsFrom(base)) << base;
    EXPECT_FALSE(button.InheritsFrom("TFakeSkin"));
    EXPECT_FALSE(button.InheritsFrom("tfakebutton")) << "class names compare exactly";
    TRecorder recorder(nullptr);
    EXPECT_FALSE(recorder.InheritsFrom("TFakeButton")) << "a base is not derived from its subclass";
}

TEST(PropertyTest, CompareTextIgnoresCaseAndOrdersPrefixesFirst) {
    EXPECT_TRUE(SameText("btnClearAll.Caption", "BTNCLEARALL.CAPTION"));
    EXPECT_FALSE(SameText("Caption", "Captions"));
    EXPECT_LT(CompareText("Cap", "caption"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_TRUE(StartsWithText("HTTPS://host/", "https://"));
    EXPECT_FALSE(StartsWithText("http", "https://")) << "a text shorter than the prefix";
    EXPECT_TRUE(EndsWithText("C:\\res\\C1.BAT", ".bat"));
    EXPECT_FALSE(EndsWithText("bat", ".bat"));
}

}  // namespace
}  // namespace tallow::test
