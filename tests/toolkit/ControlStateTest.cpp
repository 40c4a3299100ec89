// Interaction state of controls without windows: clicks, keys, check boxes,
// the gauge's range rules, links, pages, docking and published properties.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "toolkit/controls/Button.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/Containers.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Gauge.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Peer.h"
#include "toolkit/controls/Timer.h"

namespace tallow {
namespace {

TEST(GaugeTest, ValueStaysInsideTheRangeWhateverIsSet) {
    TskGauge g(nullptr);
    g.SetMaxValue(1300);
    g.SetValue(1400);
    EXPECT_EQ(g.Value(), 1300);
    g.SetValue(-5);
    EXPECT_EQ(g.Value(), 0);
    g.SetValue(900);
    g.SetMaxValue(0);  // lowering the maximum drags the value down with it
    EXPECT_EQ(g.Value(), 0);
    EXPECT_EQ(g.MaxValue(), 0);
    g.SetMaxValue(100);
    g.SetMinValue(40);  // raising the minimum drags the value up
    EXPECT_EQ(g.Value(), 40);
    g.SetMinValue(150);  // a minimum above the maximum takes the maximum along
    EXPECT_EQ(g.MaxValue(), 150);
    EXPECT_EQ(g.Value(), 150);
}

TEST(GaugeTest, StepByClampsWithoutOverflow) {
    TskGauge g(nullptr);
    g.SetMaxValue(INT_MAX);
    g.SetValue(INT_MAX - 1);
    g.StepBy(100);
    EXPECT_EQ(g.Value(), INT_MAX);
    g.SetMinValue(INT_MIN);
    g.SetValue(INT_MIN + 1);
    g.StepBy(-100);
    EXPECT_EQ(g.Value(), INT_MIN);
}

TEST(GaugeTest, FillWidthIsProportionalAndSafeForEmptyRanges) {
    EXPECT_EQ(GaugeFillWidth(0, 100, 50, 463), 231);
    EXPECT_EQ(GaugeFillWidth(0, 1300, 1300, 463), 463);
    EXPECT_EQ(GaugeFillWidth(-50, 50, 0, 100), 50);
    EXPECT_EQ(GaugeFillWidth(0, 0, 0, 463), 0);
    EXPECT_EQ(GaugeFillWidth(INT_MIN, INT_MAX, INT_MAX, 100), 100);
}

TEST(ButtonTest, ClickNeedsPressAndReleaseOverTheButton) {
    TskButton b(nullptr);
    b.SetBounds(0, 0, 75, 25);
    int clicks = 0;
    b.OnClick = [&](TComponent*) { ++clicks; };
    b.MouseDown({5, 5});
    b.MouseUp({200, 5});  // released elsewhere: no click
    EXPECT_EQ(clicks, 0);
    b.MouseDown({5, 5});
    b.MouseUp({10, 10});
    EXPECT_EQ(clicks, 1);
    b.MouseUp({10, 10});  // a release without a press is nothing
    EXPECT_EQ(clicks, 1);
    b.KeyDown(vkSpace);
    EXPECT_TRUE(b.Pressed());
    b.KeyUp(vkSpace);
    EXPECT_EQ(clicks, 2);
    b.KeyDown(vkReturn);
    EXPECT_EQ(clicks, 3);
}

TEST(ButtonTest, DisabledOrHiddenParentsBlockClicks) {
    TskPanel panel(nullptr);
    TskButton b(nullptr);
    b.SetBounds(0, 0, 75, 25);
    b.SetParent(&panel);
    int clicks = 0;
    b.OnClick = [&](TComponent*) { ++clicks; };
    panel.SetEnabled(false);
    b.MouseDown({1, 1});
    b.MouseUp({1, 1});
    b.KeyDown(vkReturn);
    EXPECT_EQ(clicks, 0);
    panel.SetEnabled(true);
    b.SetEnabled(false);
    b.MouseDown({1, 1});
    b.MouseUp({1, 1});
    EXPECT_EQ(clicks, 0);
}

TEST(CheckBoxTest, ClickTogglesAndNotifiesButSettingDoesNot) {
    TskCheckBox c(nullptr);
    int clicks = 0;
    bool seen = false;
    c.OnClick = [&](TComponent* sender) {
        ++clicks;
        seen = static_cast<TskCheckBox*>(sender)->Checked();
    };
    c.SetChecked(true);
    EXPECT_EQ(clicks, 0);
    c.Click();
    EXPECT_FALSE(c.Checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(seen);  // the handler sees the new state
    c.KeyDown(vkSpace);
    c.KeyUp(vkSpace);
    EXPECT_TRUE(c.Checked());
}

TEST(LinkLabelTest, OpensOnlyWebAddressesAndThoseEncoded) {
    std::vector<std::string> opened;
    SetUrlOpener([&](const std::string& url) { opened.push_back(url); });
    TskLinkLabel link(nullptr);
    link.Click();
    for (const char* hostile : {"file:///C:/Windows/system32/calc.exe", "C:\\evil.exe", "javascript:alert(1)",
                                "\\\\server\\share\\x.exe", " http://h/", "mailto:a@b"}) {
        link.SetURL(hostile);
        link.Click();
    }
    EXPECT_TRUE(opened.empty());
    link.SetURL("HTTPS://example.invalid/support?x=1");
    link.Click();
    link.SetURL("http://h/\" -x \"a&b%1");
    link.Click();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], "HTTPS://example.invalid/support?x=1");
    EXPECT_EQ(opened[1], "http://h/%22%20-x%20%22a&b%251");
    EXPECT_EQ(link.Cursor(), TCursorKind::Hand);
    EXPECT_TRUE(link.Font().Underline);
    SetUrlOpener(nullptr);
}

TEST(PageControlTest, OnlyTheActivePageShowsAndForeignPagesAreRefused) {
    TskPageControl pages(nullptr);
    pages.SetBounds(192, 96, 467, 257);
    TskTabSheet a(nullptr), b(nullptr), foreign(nullptr);
    a.SetPageControl(&pages);
    b.SetPageControl(&pages);
    EXPECT_EQ(pages.ActivePage(), &a);
    EXPECT_TRUE(a.Visible());
    EXPECT_FALSE(b.Visible());
    EXPECT_EQ(b.BoundsRect(), pages.SheetRect());
    pages.SetActivePage(&b);
    EXPECT_FALSE(a.Visible());
    EXPECT_TRUE(b.Visible());
    pages.SetActivePage(&foreign);
    EXPECT_EQ(pages.ActivePage(), &b);
    EXPECT_EQ(pages.PageCount(), 2);
}

// Stands for the window of a control: records the children it is asked to make windows for.
struct RecordingPeer : IControlPeer {
    uintptr_t Handle() const override { return 1; }
    void Invalidate() override {}
    void BoundsChanged() override {}
    void VisibleChanged() override { ++visibleChanges; }
    void EnabledChanged() override {}
    void TextChanged() override {}
    void TakeFocus() override {}
    void ChildAdded(TskControl& child) override { added.push_back(&child); }
    std::vector<TskControl*> added;
    int visibleChanges = 0;
};

// A page hidden when the window was made has no window of its own: when it is
// shown, the page control is asked to make one; a page with a window is shown
// through it; hiding a page without a window asks for nothing.
TEST(PageControlTest, APageWithoutAWindowIsGivenOneWhenFirstShown) {
    TskPageControl pages(nullptr);
    TskTabSheet a(nullptr), b(nullptr), c(nullptr);
    for (TskTabSheet* page : {&a, &b, &c})
        page->SetPageControl(&pages);
    auto* control = new RecordingPeer;
    pages.AttachPeer(std::unique_ptr<IControlPeer>(control));
    auto* shown = new RecordingPeer;
    a.AttachPeer(std::unique_ptr<IControlPeer>(shown));
    pages.SetActivePage(&b);
    EXPECT_EQ(control->added, std::vector<TskControl*>{&b});
    EXPECT_EQ(shown->visibleChanges, 1);
    pages.SetActivePage(&a);
    EXPECT_EQ(control->added, std::vector<TskControl*>{&b}) << "a has its window, and hidden c needs none";
    EXPECT_EQ(shown->visibleChanges, 2);
}

TEST(AlignTest, PanelsDockTopBottomAndFillTheRest) {
    TskPanel host(nullptr);
    host.SetBounds(0, 0, 373, 262);
    TskPanel top(nullptr), bottom(nullptr), client(nullptr);
    top.SetHeight(65);
    bottom.SetHeight(44);
    for (TskPanel* p : {&top, &bottom, &client})
        p->SetParent(&host);
    client.SetAlign(TAlign::Client);
    top.SetAlign(TAlign::Top);
    bottom.SetAlign(TAlign::Bottom);
    EXPECT_EQ(top.BoundsRect(), TRect::Bounds(0, 0, 373, 65));
    EXPECT_EQ(bottom.BoundsRect(), TRect::Bounds(0, 218, 373, 44));
    EXPECT_EQ(client.BoundsRect(), TRect::Bounds(0, 65, 373, 153));
    top.SetVisible(false);  // a hidden strip gives its room away
    EXPECT_EQ(client.BoundsRect(), TRect::Bounds(0, 0, 373, 218));
}

TEST(PublishedPropertiesTest, CaptionsAndChecksAreReachableByName) {
    TskForm form(nullptr);
    auto* button = new TskButton(&form);
    auto* box = new TskCheckBox(&form);
    ASSERT_TRUE(FindProp(*button, "Caption").SetString("&Clear Now"));
    EXPECT_EQ(button->Caption(), "&Clear Now");
    ASSERT_TRUE(FindProp(*box, "checked").SetText("True"));
    EXPECT_TRUE(box->Checked());
    PropInfo skin = FindProp(*button, "SkinData");
    EXPECT_EQ(skin.kind, PropKind::Object);
    EXPECT_EQ(skin.typeName, "TskSkinData");
    EXPECT_FALSE(skin.SetObject(box));  // not a skin
}

class FakeTimers : public ITimerService {
  public:
    std::vector<std::pair<TTimer*, unsigned>> running;
    void Start(TTimer& t, unsigned ms) override { running.push_back({&t, ms}); }
    void Stop(TTimer& t) override {
        std::erase_if(running, [&](auto& r) { return r.first == &t; });
    }
};

TEST(TimerTest, RunsOnlyWhileEnabledWithAnInterval) {
    FakeTimers timers;
    SetTimerService(&timers);
    {
        TTimer t(nullptr);
        t.SetEnabled(false);
        t.SetInterval(100);
        EXPECT_TRUE(timers.running.empty());
        t.SetEnabled(true);
        ASSERT_EQ(timers.running.size(), 1u);
        EXPECT_EQ(timers.running[0].second, 100u);
        t.SetInterval(0);
        EXPECT_TRUE(timers.running.empty());
        t.SetInterval(50);
        int ticks = 0;
        t.OnTimer = [&](TComponent*) { ++ticks; };
        t.Tick();
        EXPECT_EQ(ticks, 1);
    }
    EXPECT_TRUE(timers.running.empty());  // a destroyed timer stops
    SetTimerService(nullptr);
}

}  // namespace
}  // namespace tallow
