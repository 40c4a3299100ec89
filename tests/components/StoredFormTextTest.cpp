#include <gtest/gtest.h>

#include "StoredFormText.h"
#include "TestClasses.h"

namespace tallow::test {
namespace {

class TFakeControl : public TRecorder {
    TALLOW_CLASS(TFakeControl, TRecorder)
    explicit TFakeControl(TComponent* owner) : TRecorder(owner) {}
    TComponent* Parent() const { return parent_; }
    void SetParent(TComponent* p) {
        parent_ = p;
        Journal().push_back("parent " + Name() + " " + (p ? p->Name() : "-"));
    }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& c) {
        caption_ = c;
        Journal().push_back("caption " + Name());
    }
    void PublishProperties(PropertyList& out) override {
        TRecorder::PublishProperties(out);
        out.String("Caption", "TCaption", &TFakeControl::Caption, &TFakeControl::SetCaption);
        out.Object<TComponent>("Parent", "TWinControl", &TFakeControl::Parent, &TFakeControl::SetParent);
    }

  private:
    TComponent* parent_ = nullptr;
    std::string caption_;
};

constexpr const char* kAboutWindow = R"(// the About window
object frmAbout: TFakeButton
  Caption = 'About ''Tallowmere'''#13#10'Version 1'
  Width = -420
  object pnMain: TFakeControl
    Caption = 'Main panel'
    object lbInfo: TFakeButton
      Lines = (
        'first line'
        'second line')
      Enabled = False
    end
  end
  object pngStore: TFakeImageStore
    PngImages = <
      item
        Name = 'clear'
        Size = 24
      end
      item
        Name = 'select'
      end>
  end
  object btnOk: TFakeControl   // placed on the window itself
    Caption = 'OK'
  end
end
)";

TEST(StoredFormTextTest, ParsesObjectsValuesListsAndCollections) {
    StoredForm form;
    std::string error;
    ASSERT_TRUE(ParseStoredForm(kAboutWindow, form, error)) << error;
    EXPECT_EQ(form.name, "frmAbout");
    ASSERT_EQ(form.properties.size(), 2u);
    EXPECT_EQ(form.properties[0].value, "About 'Tallowmere'\r\nVersion 1");
    EXPECT_EQ(form.properties[1].value, "-420");
    ASSERT_EQ(form.components.size(), 4u);
    EXPECT_EQ(form.components[0].name, "pnMain");
    EXPECT_EQ(form.components[0].parent, "frmAbout");
    EXPECT_EQ(form.components[1].name, "lbInfo");
    EXPECT_EQ(form.components[1].parent, "pnMain");
    EXPECT_EQ(form.components[1].properties[0].value, "first line\r\nsecond line\r\n");
    EXPECT_EQ(form.components[2].properties[0].items.size(), 2u);
    EXPECT_EQ(form.components[3].parent, "frmAbout");
}

TEST(StoredFormTextTest, LoadsIntoComponentsWithParentFirst) {
    ClassRegistry registry;
    registry.Register<TFakeButton>();
    registry.Register<TFakeControl>();
    registry.Register<TFakeImageStore>();
    Journal().clear();
    TFakeButton form(nullptr);
    const LoadResult result = LoadComponentTreeFromText(form, kAboutWindow, registry);
    ASSERT_TRUE(result.ok()) << result.errors.front();
    EXPECT_EQ(form.Caption(), "About 'Tallowmere'\r\nVersion 1");
    auto* info = dynamic_cast<TFakeButton*>(form.FindComponent("lbInfo"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Lines()->Lines(), (std::vector<std::string>{"first line", "second line"}));
    EXPECT_FALSE(info->Enabled());
    auto* ok = dynamic_cast<TFakeControl*>(form.FindComponent("btnOk"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Parent(), &form);
    EXPECT_EQ(Journal()[0], "parent pnMain frmAbout");
    EXPECT_EQ(Journal()[1], "caption pnMain");
}

TEST(StoredFormTextTest, MalformedTextGivesTheLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "line 1: expected 'object'"},
        {"object f: T\n  Caption = 'open\nend\n", "line 2: unterminated string"},
        {"object f: T\n  Caption 'x'\nend\n", "line 2: expected '='"},
        {"object f: T\n  Caption = \nend\n", "line 3: expected a value for Caption"},
        {"object f: T\n  object b TButton\n  end\nend\n", "line 2: expected ':'"},
        {"object f: T\n  Width = 1\n", "line 3: missing 'end'"},
        {"object f: T\nend\nend\n", "line 3: text after the final 'end'"},
        {"object f: T\n  Caption = #300\nend\n", "line 2: bad character code"},
        {"object f: T\n  Caption = @\nend\n", "line 2: unexpected character '@'"},
        {"object f: T\n  Items = < item Name = 'a' >\nend\n", "line 2: expected a property name"},
    };
    for (const auto& [text, expected] : cases) {
        StoredForm form;
        std::string error;
        EXPECT_FALSE(ParseStoredForm(text, form, error)) << text;
        EXPECT_EQ(error, expected) << text;
    }
    std::string deep = "object f: T\n";
    for (int i = 0; i < 100; ++i)
        deep += "object c" + std::to_string(i) + ": T\n";
    StoredForm form;
    std::string error;
    EXPECT_FALSE(ParseStoredForm(deep, form, error));
    EXPECT_NE(error.find("nested too deeply"), std::string::npos);
    std::string deepItems = "object f: T\n";
    for (int i = 0; i < 100000; ++i)
        deepItems += "Items = < item\n";
    EXPECT_FALSE(ParseStoredForm(deepItems, form, error));
    EXPECT_NE(error.find("collection items nested too deeply"), std::string::npos) << error;

    TFakeButton root(nullptr);
    const LoadResult result = LoadComponentTreeFromText(root, "object f: T\n", ClassRegistry());
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(root.ComponentCount(), 0);
}

}  // namespace
}  // namespace tallow::test
