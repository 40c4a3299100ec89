// Smaller components: popup menus, the skin frame's references, label sizing
// and shadow painting, the dialog icons, and controls made from argument structs.
#include <gtest/gtest.h>

#include <algorithm>

#include "RecordingCanvas.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ControlArgs.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Menu.h"
#include "toolkit/controls/SkinFrame.h"
#include "toolkit/controls/SkinMessage.h"
#include "toolkit/controls/TextMeasure.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {
namespace {

TEST(PopupMenuTest, KeepsOrderForgetsDestroyedItemsAndSkipsDisabledOnes) {
    TskForm form(nullptr);
    auto* menu = new TPopupMenu(&form);
    auto* update = new TMenuItem(&form);
    auto* about = new TMenuItem(&form);
    menu->Add(update);
    menu->Add(about);
    menu->Add(nullptr);
    ASSERT_EQ(menu->Count(), 2);
    EXPECT_EQ(menu->Items(1), about);
    int clicks = 0;
    about->OnClick = [&](TComponent*) { ++clicks; };
    about->SetEnabled(false);
    about->Click();
    EXPECT_EQ(clicks, 0);
    delete update;
    ASSERT_EQ(menu->Count(), 1);
    EXPECT_EQ(menu->Items(0), about);
    EXPECT_EQ(menu->Items(1), nullptr);
}

TEST(SkinFrameTest, AttachesToItsFormAndDropsReferencesThatGoAway) {
    TskForm form(nullptr);
    auto* frame = new TskSkinFrame(&form);
    auto* menu = new TPopupMenu(&form);
    EXPECT_EQ(form.SkinFrame(), frame);
    frame->SetSystemMenu(menu);
    delete menu;
    EXPECT_EQ(frame->SystemMenu(), nullptr);
    TskSkinData own(nullptr);
    own.SetShowCaptionButtonGlowFrames(false);
    frame->SetSkinData(&own);
    EXPECT_FALSE(frame->Palette().CaptionButtonGlowOn);  // its own skin wins over the form's
    delete frame;
    EXPECT_EQ(form.SkinFrame(), nullptr);
    EXPECT_FALSE(form.UsesSkinnedFrame());
}

TEST(LabelTest, AutoSizeFitsTheTextAndTheShadowAroundIt) {
    SetTextMeasurer([](const std::string& text, const TFontSpec&, int wrap, unsigned) {
        int width = int(text.size()) * 10;
        if (wrap > 0 && width > wrap)
            return TSize{wrap, 20 * ((width + wrap - 1) / wrap)};
        return TSize{width, 20};
    });
    TskLabel plain(nullptr);
    plain.SetAutoSize(true);
    plain.SetCaption("Tallowmere");
    EXPECT_EQ(plain.Width(), 100);
    EXPECT_EQ(plain.Height(), 20);

    TskShadowLabel shadow(nullptr);
    shadow.SetShadowSize(2);
    shadow.SetShadowOffset(1);
    shadow.SetAutoSize(true);
    shadow.SetCaption("Tallowmere");
    EXPECT_EQ(shadow.Width(), 106);  // 3 px of shadow room on each side
    EXPECT_EQ(shadow.Height(), 26);

    TskLabel wrapped(nullptr);
    wrapped.SetBounds(0, 0, 60, 10);
    wrapped.SetWordWrap(true);
    wrapped.SetAutoSize(true);
    wrapped.SetCaption("Version : 1.2.3.4");  // 170 px of text in a 60 px column
    EXPECT_EQ(wrapped.Width(), 60);
    EXPECT_EQ(wrapped.Height(), 60);
    SetTextMeasurer(nullptr);
}

TEST(LabelTest, ShadowIsPaintedUnderTheTextInTheLabelsColours) {
    TskShadowLabel label(nullptr);
    label.SetBounds(0, 0, 120, 30);
    label.SetCaption("Tallowmere");
    label.SetColor(Rgb(255, 255, 255));
    label.SetShadowColor(Rgb(0, 0, 0));
    label.SetShadowSize(1);
    label.SetShadowOffset(0);
    RecordingCanvas canvas;
    label.Paint(canvas);
    ASSERT_EQ(canvas.texts.size(), 9u);  // 8 halo positions, then the text itself
    EXPECT_EQ(canvas.texts.back().color, Rgb(255, 255, 255));
    for (size_t i = 0; i + 1 < canvas.texts.size(); ++i)
        EXPECT_NE(canvas.texts[i].rect, canvas.texts.back().rect);
}

TEST(MessageIconTest, ShapesArePremultipliedAndTransparentOutside) {
    const int size = 32;
    std::vector<uint8_t> custom = RenderIconShape(TMsgDlgType::mtCustom, size);
    EXPECT_EQ(std::count(custom.begin(), custom.end(), 0), size * size * 4);
    for (TMsgDlgType kind : {TMsgDlgType::mtWarning, TMsgDlgType::mtError, TMsgDlgType::mtInformation}) {
        std::vector<uint8_t> px = RenderIconShape(kind, size);
        auto alpha = [&](int x, int y) { return px[(size_t(y) * size + x) * 4 + 3]; };
        EXPECT_EQ(alpha(0, 0), 0);
        EXPECT_EQ(alpha(size / 2, size * 3 / 4), 255);
        for (size_t i = 0; i < px.size(); i += 4)
            for (int c = 0; c < 3; ++c)
                ASSERT_LE(px[i + c], px[i + 3]);
    }
}

TEST(CreateControlTest, SetsTheGivenValuesLeavesTheRestAndJoinsTheParentOnce) {
    TskForm form(nullptr);
    TskButton* plain = CreateControl<TskButton>(&form, {.name = "plain", .parent = &form, .loading = false});
    TskButton* full = CreateControl<TskButton>(&form, {.name = "full",
                                                       .parent = &form,
                                                       .bounds = TRect::Bounds(9, 97, 167, 38),
                                                       .caption = "Clear Now",
                                                       .font = TFontSpec{"Arial", 14, false, false},
                                                       .imageIndex = 2,
                                                       .tabOrder = 5});
    EXPECT_EQ(plain->Caption(), "");
    EXPECT_EQ(plain->Font(), TskButton(nullptr).Font());
    EXPECT_EQ(plain->ImageIndex(), TskButton(nullptr).ImageIndex());
    EXPECT_FALSE(plain->IsLoading());
    EXPECT_EQ(full->Name(), "full");
    EXPECT_EQ(full->BoundsRect(), TRect::Bounds(9, 97, 167, 38));
    EXPECT_EQ(full->Caption(), "Clear Now");
    EXPECT_EQ(full->Font().Name, "Arial");
    EXPECT_EQ(full->ImageIndex(), 2);
    EXPECT_EQ(full->TabOrder(), 5);
    EXPECT_TRUE(full->IsLoading());
    EXPECT_EQ(full->Owner(), &form);
    EXPECT_EQ(form.Children(), (std::vector<TskControl*>{plain, full}));
}

}  // namespace
}  // namespace tallow
