// Pure layout and hit-testing: button faces, the skinned frame, the message
// dialog; plus where a button actually paints its icon.
#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/MessageLogic.h"
#include "toolkit/controls/PngImage.h"
#include "toolkit/controls/SkinFrame.h"

namespace tallow {
namespace {

TEST(ButtonLayoutTest, IconSits15PixelsInAndCaptionUsesTheRoomRightOfIt) {
    TButtonLayout l = LayoutButton(TRect::Bounds(0, 0, 167, 38), true);
    EXPECT_EQ(l.Icon, TRect::Bounds(15, 7, 24, 24));
    EXPECT_GT(l.Text.Left, l.Icon.Right);
    EXPECT_LE(l.Text.Right, 167);
    TButtonLayout plain = LayoutButton(TRect::Bounds(0, 0, 75, 25), false);
    EXPECT_EQ(plain.Icon.Width(), 0);
    EXPECT_LT(plain.Text.Left, 15);
}

TEST(ButtonLayoutTest, PaintedIconAndCaptionFollowTheLayout) {
    TskPngImageList icons(nullptr);
    icons.Add().Assign(24, 24, std::vector<uint8_t>(24 * 24 * 4, 255));
    TskButton b(nullptr);
    b.SetBounds(9, 97, 167, 38);
    b.SetCaption("Clear Now");
    b.SetImages(&icons);
    b.SetImageIndex(0);
    RecordingCanvas canvas;
    b.Paint(canvas);
    ASSERT_EQ(canvas.images.size(), 1u);
    EXPECT_EQ(canvas.images[0].x, 15);
    EXPECT_EQ(canvas.images[0].y, 7);
    ASSERT_FALSE(canvas.texts.empty());
    EXPECT_EQ(canvas.texts.back().text, "Clear Now");

    b.SetImageIndex(5);  // past the end of the list: no icon, no crash
    RecordingCanvas noIcon;
    b.Paint(noIcon);
    EXPECT_TRUE(noIcon.images.empty());
    EXPECT_TRUE(noIcon.focusRects.empty());
}

TEST(CheckBoxLayoutTest, BoxIsCentredVerticallyAtTheLeft) {
    EXPECT_EQ(CheckBoxBoxRect(TRect::Bounds(0, 0, 340, 25)), TRect::Bounds(1, 5, 15, 15));
}

TEST(FrameLayoutTest, ClientLiesBelowTheCaptionInsideTheBorder) {
    TFrameMetrics m{32, 1, 40};
    TFrameLayout l = LayoutFrame(678, 369, true, true, m);
    EXPECT_EQ(l.Window, TRect::Bounds(0, 0, 680, 403));
    EXPECT_EQ(l.Client, TRect::Bounds(1, 33, 678, 369));
    EXPECT_EQ(l.Close.Right, 679);
    EXPECT_EQ(l.Minimize.Right, l.Close.Left);
    EXPECT_EQ(l.SysMenu.Left, 1);
    EXPECT_LE(l.Title.Right, l.Minimize.Left);

    TFrameLayout about = LayoutFrame(373, 262, true, false, m);
    EXPECT_EQ(about.Minimize.Width(), 0);
    EXPECT_LE(about.Title.Right, about.Close.Left);
}

TEST(FrameLayoutTest, HitTestingFindsEachPart) {
    TFrameLayout l = LayoutFrame(678, 369, true, true, TFrameMetrics{32, 1, 40});
    EXPECT_EQ(HitTestFrame(l, {10, 10}), TFrameHit::SystemMenu);
    EXPECT_EQ(HitTestFrame(l, {300, 10}), TFrameHit::Caption);
    EXPECT_EQ(HitTestFrame(l, {660, 10}), TFrameHit::Close);
    EXPECT_EQ(HitTestFrame(l, {620, 10}), TFrameHit::Minimize);
    EXPECT_EQ(HitTestFrame(l, {300, 200}), TFrameHit::Client);
    EXPECT_EQ(HitTestFrame(l, {0, 200}), TFrameHit::Border);
    EXPECT_EQ(HitTestFrame(l, {-1, 200}), TFrameHit::Nowhere);
    EXPECT_EQ(HitTestFrame(l, {680, 10}), TFrameHit::Nowhere);
}

TEST(MessageLayoutTest, ButtonsAreRightAlignedInTheBandWithoutOverlap) {
    TMessageLayout l = LayoutMessage({300, 40}, {20, 20, 60}, false, 0);
    ASSERT_EQ(l.Buttons.size(), 3u);
    for (size_t i = 1; i < l.Buttons.size(); ++i)
        EXPECT_GT(l.Buttons[i].Left, l.Buttons[i - 1].Right);
    EXPECT_EQ(l.Buttons.back().Right, l.Client.Width - 16);
    for (const TRect& b : l.Buttons) {
        EXPECT_GE(b.Left, 16);
        EXPECT_GE(b.Top, l.ButtonBand.Top);
        EXPECT_LE(b.Bottom, l.Client.Height);
        EXPECT_GE(b.Width(), 84);
    }
    EXPECT_GE(l.Text.Left, l.Icon.Right);
    EXPECT_LE(l.Text.Bottom, l.ButtonBand.Top);
    EXPECT_EQ(l.CheckBox.Width(), 0);
}

TEST(MessageLayoutTest, ManyButtonsOrALongCheckBoxWidenTheDialog) {
    TMessageLayout narrow = LayoutMessage({50, 16}, {20}, false, 0);
    TMessageLayout wide = LayoutMessage({50, 16}, std::vector<int>(6, 60), false, 0);
    EXPECT_GT(wide.Client.Width, narrow.Client.Width);
    EXPECT_GE(wide.Buttons.front().Left, 16);
    TMessageLayout flag = LayoutMessage({50, 16}, {20}, true, 600);
    EXPECT_GT(flag.CheckBox.Height(), 0);
    EXPECT_LE(flag.CheckBox.Right, flag.Client.Width);
    EXPECT_GE(flag.CheckBox.Top, flag.Text.Bottom);
    EXPECT_LE(flag.CheckBox.Bottom, flag.ButtonBand.Top);
}

}  // namespace
}  // namespace tallow
