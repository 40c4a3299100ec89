// The applier on a small window: which properties it writes under which keys,
// when it applies, and the order in which data and appliers may go.
#include <gtest/gtest.h>

#include <memory>

#include "components/Collection.h"
#include "components/StoredForm.h"
#include "fakes/FakePlatform.h"
#include "localisation/CLMultiLang.h"

namespace tallow::testing {
namespace {

class TTestItem : public TCollectionItem {
    TALLOW_CLASS(TTestItem, TCollectionItem)
    std::string name;
    void PublishProperties(PropertyList& out) override {
        out.String<TTestItem>(
            "Name", "String", [](TTestItem& i) { return i.name; },
            [](TTestItem& i, const std::string& v) { i.name = v; });
    }
};

// A nested object that is neither a string list nor a collection.
class TTestFont : public TPersistent {
    TALLOW_CLASS(TTestFont, TPersistent)
    std::string face = "Arial";
    void PublishProperties(PropertyList& out) override {
        out.String<TTestFont>(
            "Face", "TFontName", [](TTestFont& f) { return f.face; },
            [](TTestFont& f, const std::string& v) { f.face = v; });
    }
};

class TTestControl : public TComponent {
    TALLOW_CLASS(TTestControl, TComponent)
    explicit TTestControl(TComponent* owner) : TComponent(owner) {}
    std::string caption = "caption";
    std::string hint = "hint";
    TStrings lines;
    TItemCollection<TTestItem> images;
    TTestFont font;
    void PublishProperties(PropertyList& out) override {
        using C = TTestControl;
        TComponent::PublishProperties(out);
        out.String<C>(
            "Caption", "TCaption", [](C& c) { return c.caption; }, [](C& c, const std::string& v) { c.caption = v; });
        out.String<C>(
            "hint", "String", [](C& c) { return c.hint; }, [](C& c, const std::string& v) { c.hint = v; },
            PropKind::ShortString);
        out.Object<TStrings, C>(
            "Lines", "TStrings", [](C& c) { return &c.lines; }, nullptr);
        out.Object<TCollection, C>(
            "Images", "TCollection", [](C& c) { return &c.images; }, nullptr);
        out.Object<TTestFont, C>(
            "Font", "TFont", [](C& c) { return &c.font; }, nullptr);
    }
};

class TfrmTest : public TTestControl {
    TALLOW_CLASS(TfrmTest, TTestControl)
    using TTestControl::TTestControl;
};

class ApplierTest : public ::testing::Test {
  protected:
    ApplierTest() {
        form->SetName("frmTest");
        button->SetName("btnGo");
        unnamed->caption = "unnamed";
        button->images.Add();
        button->images.Add();
        data->SetName("data");
        applier->SetName("applier");
        applier->SetLanguageData(data);
        data->SetFiles(&files);
    }
    TFakeFiles files;
    std::unique_ptr<TfrmTest> form = std::make_unique<TfrmTest>(nullptr);
    TTestControl* button = new TTestControl(form.get());
    TTestControl* unnamed = new TTestControl(form.get());
    TCLMultiLangData* data = new TCLMultiLangData(form.get());
    TCLMultiLang* applier = new TCLMultiLang(form.get());
};

TEST_F(ApplierTest, WritesTextsFoundInEitherLanguageUnderComponentKeys) {
    data->DefaultData()->SetText(
        "[TfrmTest]\r\n"
        "btnGo.Hint=from default\r\n"
        "btnGo.Images[1].Name=second image\r\n");
    data->CurrentData()->SetText(
        "[TfrmTest]\r\n"
        "frmTest.Caption=Window\r\n"
        "BTNGO.CAPTION=\r\n"
        "btnGo.Lines=one<BR>two\r\n"
        "btnGo.Name=renamed\r\n"
        "btnGo.Font.Face=Courier\r\n"
        "Caption=for the unnamed\r\n"
        "data.ExcludeProps=changed\r\n");
    int changes = 0;
    applier->OnChangeLanguage = [&](TComponent* sender) { changes += sender == applier ? 1 : 100; };
    applier->Apply();
    EXPECT_EQ(form->caption, "Window");
    EXPECT_EQ(button->caption, "");
    EXPECT_EQ(button->hint, "from default");
    EXPECT_EQ(button->lines.Text(), "one\r\ntwo\r\n");
    EXPECT_EQ(button->images.Items(0)->name, "");
    EXPECT_EQ(button->images.Items(1)->name, "second image");
    EXPECT_EQ(button->Name(), "btnGo");
    EXPECT_EQ(button->font.face, "Arial");
    EXPECT_EQ(unnamed->caption, "unnamed");
    EXPECT_EQ(data->ExcludeProps()->Count(), 26);
    EXPECT_EQ(changes, 1);

    std::vector<std::string> keys;
    ForEachTranslatableText(*button, [&](const std::string& key, const std::string&) { keys.push_back(key); });
    EXPECT_EQ(keys, (std::vector<std::string>{"Caption", "hint", "Images[0].Name", "Images[1].Name", "Lines"}));
}

TEST_F(ApplierTest, LoadingAFileAppliesAgainAndMissingFilesKeepTheTexts) {
    data->CurrentData()->SetText("[TfrmTest]\r\nbtnGo.Caption=Los\r\n");
    data->AutoApply = false;
    applier->Loaded();
    EXPECT_EQ(button->caption, "caption");
    data->AutoApply = true;
    applier->Loaded();
    EXPECT_EQ(button->caption, "Los");
    EXPECT_EQ(data->Appliers().size(), 1u);

    data->LoadLanguageFile("C:\\no\\such.lan");
    EXPECT_EQ(button->caption, "Los");
    applier->SetLanguageData(nullptr);
    EXPECT_TRUE(data->Appliers().empty());
    data->CurrentData()->SetText("[TfrmTest]\r\nbtnGo.Caption=Go\r\n");
    data->ApplyAll();
    applier->Apply();
    EXPECT_EQ(button->caption, "Los");
}

TEST_F(ApplierTest, DataAndApplierMayBeDestroyedInEitherOrder) {
    TCLMultiLang* second = new TCLMultiLang(form.get());
    second->SetLanguageData(data);
    delete second;
    EXPECT_EQ(data->Appliers(), std::vector<TCLMultiLang*>{applier});
    delete data;
    EXPECT_EQ(applier->LanguageData(), nullptr);
    applier->Apply();
    form.reset();  // the applier dies last, with nothing to deregister from
}

TEST(LanguageDataStoredTest, StoredValuesLoadThroughThePropertyTable) {
    TComponent form(nullptr);
    ClassRegistry registry;
    RegisterLocalisationClasses(registry);
    StoredForm stored{"frmStored",
                      {},
                      {{"TCLMultiLangData",
                        "lang",
                        {{"AutoApply", "False"},
                         {"ExcludeEmptyProp", "True"},
                         {"ExcludeProps", "TFoo:\r\n.Bar"},
                         {"CurrentData", "[Info]\r\nLanguage=Stored"}}},
                       {"TCLMultiLang", "applier", {{"LanguageData", "lang"}}}}};
    ASSERT_TRUE(LoadComponentTree(form, stored, registry).ok());
    auto* data = dynamic_cast<TCLMultiLangData*>(form.FindComponent("lang"));
    auto* applier = dynamic_cast<TCLMultiLang*>(form.FindComponent("applier"));
    ASSERT_TRUE(data && applier);
    EXPECT_FALSE(data->AutoApply);
    EXPECT_TRUE(data->ExcludeEmptyProp);
    EXPECT_EQ(data->ExcludeProps()->Count(), 2);
    EXPECT_EQ(data->CurrentLanguage(), "Stored");
    EXPECT_EQ(data->Appliers(), std::vector<TCLMultiLang*>{applier});
    EXPECT_EQ(TCLMultiLangData(nullptr).ExcludeProps()->Count(), 26);
}

}  // namespace
}  // namespace tallow::testing
