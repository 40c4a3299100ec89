#include <gtest/gtest.h>

#include "TestClasses.h"
#include "components/StoredForm.h"
#include "components/TextCase.h"

namespace tallow::test {
namespace {

class TFakeForm : public TFakeButton {
    TALLOW_CLASS(TFakeForm, TFakeButton)
    explicit TFakeForm(TComponent* owner) : TFakeButton(owner) {}
};

ClassRegistry TestRegistry() {
    ClassRegistry r;
    r.Register<TFakeButton>();
    r.Register<TFakeSkin>();
    r.Register<TFakeImageStore>();
    return r;
}

StoredForm MainWindow() {
    return StoredForm{"frmMain",
                      {{"Caption", "Tallowmere"}, {"Width", "640"}},
                      {
                          {"TFakeButton",
                           "btnClearAll",
                           {{"Caption", "Clear Now"}, {"SkinData", "skd1"}, {"Enabled", "False"}, {"Lines", "a\r\nb"}}},
                          {"TFakeSkin", "skd1", {}},
                          {"TFakeImageStore",
                           "pngStore",
                           {{"PngImages", {{{"Name", "clear"}, {"Size", "24"}}, {{"Name", "select"}}}}, {"Tag", "7"}}},
                          {"TFakeButton", "btnSelf", {{"SkinData", ""}, {"Lines.Text", "x"}}},
                      }};
}

TEST(StoredFormTest, CreatesComponentsInOrderAndAssignsValues) {
    const ClassRegistry registry = TestRegistry();
    TFakeForm form(nullptr);
    const LoadResult result = LoadComponentTree(form, MainWindow(), registry);
    EXPECT_FALSE(result.ok()) << "Lines.Text is no property: reported, the rest loads";
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_NE(result.errors[0].find("btnSelf.Lines.Text"), std::string::npos) << result.errors[0];

    EXPECT_EQ(form.Name(), "frmMain");
    EXPECT_EQ(form.Caption(), "Tallowmere");
    EXPECT_EQ(form.Width(), 640);
    ASSERT_EQ(form.ComponentCount(), 4);
    auto* button = dynamic_cast<TFakeButton*>(form.Components(0));
    auto* skin = dynamic_cast<TFakeSkin*>(form.Components(1));
    auto* store = dynamic_cast<TFakeImageStore*>(form.Components(2));
    ASSERT_TRUE(button && skin && store);
    EXPECT_EQ(button->Name(), "btnClearAll");
    EXPECT_EQ(button->Caption(), "Clear Now");
    EXPECT_EQ(button->SkinData(), skin) << "a reference to a component created later is resolved";
    EXPECT_FALSE(button->Enabled());
    EXPECT_EQ(button->Lines()->Count(), 2);
    ASSERT_EQ(store->PngImages()->Count(), 2);
    EXPECT_EQ(store->PngImages()->Items(0)->name, "clear");
    EXPECT_EQ(store->PngImages()->Items(0)->size, 24);
    EXPECT_EQ(store->PngImages()->Items(1)->name, "select");
    EXPECT_EQ(store->Tag(), 7);
}

TEST(StoredFormTest, SendsLoadedOnceToEachComponentThenTheRoot) {
    const ClassRegistry registry = TestRegistry();
    Journal().clear();
    {
        TRecorder form(nullptr);
        bool loadingSeenInLoaded = false;
        StoredForm description{"frmAbout", {}, {{"TFakeButton", "btnOk", {}}, {"TFakeImageStore", "pngStore", {}}}};
        LoadComponentTree(form, description, registry);
        EXPECT_EQ(Journal(), (std::vector<std::string>{"loaded btnOk", "loaded pngStore", "loaded frmAbout"}));
        for (int i = 0; i < form.ComponentCount(); ++i)
            loadingSeenInLoaded |= form.Components(i)->IsLoading();
        EXPECT_FALSE(loadingSeenInLoaded || form.IsLoading());
    }
}

TEST(StoredFormTest, ReportsUnknownClassesPropertiesAndReferencesAndKeepsGoing) {
    const ClassRegistry registry = TestRegistry();
    TFakeForm form(nullptr);
    StoredForm description{"frmBad",
                           {{"Colour", "red"}},
                           {{"TNoSuchClass", "x1", {}},
                            {"TFakeButton",
                             "btnA",
                             {{"SkinData", "missing"},
                              {"SkinData", "btnA"},
                              {"Width", "wide"},
                              {"Version", "2"},
                              {"Caption", "still set"}}}}};
    const LoadResult result = LoadComponentTree(form, description, registry);
    EXPECT_EQ(result.errors.size(), 6u);
    ASSERT_EQ(form.ComponentCount(), 1);
    auto* button = dynamic_cast<TFakeButton*>(form.Components(0));
    EXPECT_EQ(button->Caption(), "still set");
    EXPECT_EQ(button->SkinData(), nullptr) << "a button is not skin data";
}

TEST(StoredFormTest, ReusesAComponentTheRootAlreadyOwns) {
    const ClassRegistry registry = TestRegistry();
    TFakeForm form(nullptr);
    auto* existing = new TFakeButton(&form);
    existing->SetName("btnOk");
    StoredForm description{"frm", {}, {{"TFakeButton", "BTNOK", {{"Caption", "OK"}}}}};
    EXPECT_TRUE(LoadComponentTree(form, description, registry).ok());
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(existing->Caption(), "OK");
}

// Walks a window the way the language applier does: string properties and
// collection item strings in alphabetical order, names never written.
TEST(StoredFormTest, ApplierStyleWalkFindsStringsListsAndCollectionItems) {
    const ClassRegistry registry = TestRegistry();
    TFakeForm form(nullptr);
    LoadComponentTree(form, MainWindow(), registry);
    std::vector<std::string> keys;
    auto translate = [&](TComponent& c) {
        for (const PropInfo& p : GetPropList(c, true)) {
            if (p.kind == PropKind::Object) {
                TPersistent* obj = p.GetObject();
                if (obj && SameText(p.typeName, "TStrings")) {
                    keys.push_back(c.Name() + "." + p.name);
                    static_cast<TStrings*>(obj)->SetText("l1\r\nl2");
                } else if (auto* coll = dynamic_cast<TCollection*>(obj)) {
                    for (int i = 0; i < coll->Count(); ++i) {
                        for (const PropInfo& q : GetPropList(*coll->Items(i), true)) {
                            if (!q.IsStringKind())
                                continue;
                            keys.push_back(c.Name() + "." + p.name + "[" + std::to_string(i) + "]." + q.name);
                            q.SetString("T");
                        }
                    }
                }
            } else if (p.IsStringKind() && !SameText(p.typeName, "TComponentName")) {
                keys.push_back(c.Name() + "." + p.name);
                p.SetString("T");
            }
        }
    };
    for (int i = 0; i < form.ComponentCount(); ++i)
        translate(*form.Components(i));
    EXPECT_EQ(keys, (std::vector<std::string>{"btnClearAll.Caption", "btnClearAll.hint", "btnClearAll.Lines",
                                              "btnClearAll.Version", "pngStore.PngImages[0].Name",
                                              "pngStore.PngImages[1].Name", "btnSelf.Caption", "btnSelf.hint",
                                              "btnSelf.Lines", "btnSelf.Version"}));
    auto* button = dynamic_cast<TFakeButton*>(form.Components(0));
    EXPECT_EQ(button->Name(), "btnClearAll");
    EXPECT_EQ(button->Caption(), "T");
    EXPECT_EQ(button->Lines()->Count(), 2);
    EXPECT_EQ(button->Version(), "1.0") << "read-only text stays";
}

}  // namespace
}  // namespace tallow::test
