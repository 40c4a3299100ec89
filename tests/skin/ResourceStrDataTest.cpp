#include <gtest/gtest.h>

#include "components/StoredForm.h"
#include "toolkit/skin/SkinClasses.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {
namespace {

TEST(ResourceStrDataTest, DefaultsLookupAndLanguageStyleMerge) {
    TskResourceStrData res(nullptr);
    EXPECT_EQ(res.Text("MSG_BTN_YES"), "&Yes");
    EXPECT_EQ(res.Text("msg_btn_notoall"), "N&o to All");
    EXPECT_EQ(res.Text("MSG_CAP_SHOWFLAG"), "Don't display this message again");
    EXPECT_EQ(res.Text("MI_MINCAPTION"), "Mi&nimize");
    EXPECT_EQ(res.Text("NO_SUCH_TEXT"), "");

    // A language adds names the list lacks; names present keep their texts.
    TStrings& list = *res.ResStrings();
    list.SetValue("MSG_BTN_YES", "&Ja");
    list.Add("MSG_BTN_LATER=&Later");
    EXPECT_EQ(res.Text("MSG_BTN_YES"), "&Ja");
    EXPECT_EQ(res.Text("MSG_BTN_LATER"), "&Later");
    list.Clear();
    EXPECT_EQ(res.Text("MSG_BTN_OK"), "OK") << "an emptied list falls back to the defaults";

    const PropInfo prop = FindProp(res, "ResStrings");
    EXPECT_EQ(prop.typeName, "TStrings");
    EXPECT_EQ(prop.GetObject(), res.ResStrings());
}

TEST(ResourceStrDataTest, SkinDataForgetsDestroyedResourceStrings) {
    TskSkinData skin(nullptr);
    EXPECT_EQ(skin.ResourceText("MSG_BTN_CANCEL"), "Cancel");
    auto* res = new TskResourceStrData(nullptr);
    res->ResStrings()->SetValue("MSG_BTN_CANCEL", "Abbrechen");
    skin.SetResourceStrData(res);
    EXPECT_EQ(skin.ResourceText("MSG_BTN_CANCEL"), "Abbrechen");
    delete res;
    EXPECT_EQ(skin.ResourceStrData(), nullptr);
    EXPECT_EQ(skin.ResourceText("MSG_BTN_CANCEL"), "Cancel");
}

TEST(ResourceStrDataTest, StoredWindowLinksSkinDataAndTexts) {
    ClassRegistry registry;
    RegisterSkinClasses(registry);
    TComponent form(nullptr);
    const StoredForm description{
        "frmMain",
        {},
        {{"TskSkinData", "skd1", {{"ResourceStrData", "skrsd1"}, {"SkinnableForm", "False"}}},
         {"TskResourceStrData", "skrsd1", {{"ResStrings", "MSG_BTN_YES=&Oui\r\nMSG_BTN_NO=&Non"}}}}};
    const LoadResult result = LoadComponentTree(form, description, registry);
    ASSERT_TRUE(result.ok()) << result.errors.front();
    auto* skin = dynamic_cast<TskSkinData*>(form.FindComponent("skd1"));
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->SkinnableForm());
    EXPECT_EQ(skin->ResourceText("MSG_BTN_NO"), "&Non");
    EXPECT_EQ(skin->ResourceText("MSG_BTN_OK"), "OK");
    EXPECT_EQ(skin->ResourceStrData()->ResStrings()->Count(), 2);
}

}  // namespace
}  // namespace tallow
