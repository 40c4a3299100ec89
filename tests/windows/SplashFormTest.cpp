// The splash window without a window layer: its built-in picture, its place on
// the screen and when it asks to close.
#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/FakeSettings.h"
#include "windows/CLSplashForm.h"
#include "windows/WindowFakes.h"

namespace tallow::testing {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kWmClose = 0x0010;

TEST(SplashPlace, CentresByThePictureTruncatingTowardZero) {
    EXPECT_EQ(SplashPlace({1280, 1024}, {450, 250}).X, 415);
    EXPECT_EQ(SplashPlace({1280, 1024}, {450, 250}).Y, 387);
    EXPECT_EQ(SplashPlace({1279, 1023}, {450, 250}).X, 414);
    EXPECT_EQ(SplashPlace({1279, 1023}, {450, 250}).Y, 386);
    EXPECT_EQ(SplashPlace({300, 200}, {451, 251}).X, -75) << "not -76";
    EXPECT_EQ(SplashPlace({300, 200}, {451, 251}).Y, -25);
}

class SplashFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tmp = std::getenv("TALLOW_TEST_TMP");
        dir_ = fs::path(tmp ? tmp : "/tmp") /
               ("splash_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        settings_.exeDir = dir_.string() + "/";
    }
    void TearDown() override { fs::remove_all(dir_); }

    TfrmCLSplashForm& Create() {
        form_ = std::make_unique<TfrmCLSplashForm>(nullptr, SplashFormServices{&settings_, {1024, 768}});
        return *form_;
    }
    std::string Picture() const { return (dir_ / "res\\images\\splash.png").string(); }

    fs::path dir_;
    TFakeSettings settings_;
    FakeWindowLayer layer_;
    std::unique_ptr<TfrmCLSplashForm> form_;
};

TEST_F(SplashFormTest, ThePictureFileReplacesTheBuiltInOneAndIsCentredOnTheScreen) {
    WritePng(Picture(), 200, 100);
    TfrmCLSplashForm& form = Create();
    EXPECT_TRUE(form.Borderless());
    EXPECT_EQ(form.skPngForm1->PngImage().Width(), 200);
    EXPECT_EQ(form.BoundsRect(), TRect::Bounds(412, 334, 200, 100));
    form.Show();
    EXPECT_TRUE(layer_.posted.empty()) << "a splash with its picture waits for deactivation";

    form.OnDeactivate(&form);
    EXPECT_EQ(layer_.posted, std::vector<uint32_t>{kWmClose});
}

TEST_F(SplashFormTest, WithoutItsPictureFileItKeepsTheBuiltInPictureAndClosesAtOnce) {
    TfrmCLSplashForm& form = Create();
    EXPECT_EQ(layer_.posted, std::vector<uint32_t>{kWmClose});
    EXPECT_EQ(form.Left(), 439);
    EXPECT_EQ(form.Top(), 162);
    const TPngImage& picture = form.skPngForm1->PngImage();
    ASSERT_EQ(picture.Width(), 450);
    ASSERT_EQ(picture.Height(), 250);
    auto alpha = [&](int x, int y) { return picture.Pixels()[size_t(y * 450 + x) * 4 + 3]; };
    EXPECT_EQ(alpha(0, 0), 0) << "the corners are transparent";
    EXPECT_EQ(alpha(225, 125), 255) << "the middle is opaque";
    EXPECT_GT(alpha(12, 125), 0) << "the edge fades softly";
    EXPECT_LT(alpha(12, 125), 255);

    layer_.posted.clear();
    std::ofstream(Picture(), std::ios::binary) << "not a picture";
    Create();
    EXPECT_EQ(layer_.posted, std::vector<uint32_t>{kWmClose}) << "an unreadable picture closes it too";
}

}  // namespace
}  // namespace tallow::testing
