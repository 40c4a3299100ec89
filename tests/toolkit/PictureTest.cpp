// Pictures and skins: loading (and refusing) PNG files, the picture store and
// its view, the picture window, and controls following their skin.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "toolkit/controls/Button.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/PngForm.h"
#include "toolkit/controls/PngImage.h"
#include "toolkit/controls/SkinFrame.h"
#include "toolkit/image/PngDecoder.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {
namespace {

std::string ResFile(const std::string& name) {
    const char* root = std::getenv("TALLOW_SOURCE_DIR");
    return std::string(root != nullptr ? root : ".") + "/dist/res/" + name;
}

TEST(PngImageTest, MissingOversizedOrDamagedFilesThrowAndLeaveThePictureAlone) {
    TPngImage image;
    image.LoadFromFile(ResFile("icon24_01.png"));
    ASSERT_EQ(image.Width(), 24);
    ASSERT_EQ(image.Height(), 24);
    try {
        image.LoadFromFile(ResFile("no-such-title.png"));
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + ResFile("no-such-title.png") + "\". ", 0), 0u);
    }
    const char* tmp = std::getenv("TALLOW_TEST_TMP");
    const std::filesystem::path huge = std::filesystem::path(tmp ? tmp : "/tmp") / "huge_picture.png";
    std::filesystem::copy_file(ResFile("icon24_01.png"), huge, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(huge, kMaxPngFileSize + 1);  // a good picture, sparse, only its size wrong
    try {
        image.LoadFromFile(huge.string());
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << "refused before it is read";
    }
    std::filesystem::remove(huge);
    const uint8_t junk[] = {0x89, 'P', 'N', 'G', 0, 1, 2};
    EXPECT_THROW(image.LoadFromMemory(junk, sizeof junk), std::runtime_error);
    EXPECT_EQ(image.Width(), 24);  // unchanged
}

// A picture loaded later is read at the first question about it: what the file
// holds then is what it shows; a file gone, damaged or too large by then leaves it
// empty; a load or a clear before then cancels the read.
TEST(PngImageTest, APictureLoadedLaterIsReadWhenFirstAskedFor) {
    const char* tmp = std::getenv("TALLOW_TEST_TMP");
    const std::filesystem::path file = std::filesystem::path(tmp ? tmp : "/tmp") / "later_picture.png";
    const auto put = [&](const std::string& from) {
        std::filesystem::copy_file(ResFile(from), file, std::filesystem::copy_options::overwrite_existing);
    };
    TPngImage title;
    title.LoadFromFile(ResFile("title.png"));
    ASSERT_NE(title.Width(), 24);
    struct Case {
        const char* what;
        std::function<void(TPngImage&)> before;  // between LoadLater and the first question
        int width;
    };
    const Case cases[] = {
        {"the file replaced", [&](TPngImage&) { put("title.png"); }, title.Width()},
        {"the file gone", [&](TPngImage&) { std::filesystem::remove(file); }, 0},
        {"too large", [&](TPngImage&) { std::filesystem::resize_file(file, kMaxPngFileSize + 1); }, 0},
        {"damaged", [&](TPngImage&) { std::filesystem::resize_file(file, 40); }, 0},
        {"cleared", [&](TPngImage& image) { image.Clear(); }, 0},
        {"loaded at once", [&](TPngImage& image) { image.LoadFromFile(ResFile("title.png")); }, title.Width()},
    };
    for (const Case& c : cases) {
        put("icon24_01.png");
        TPngImage image;
        image.LoadLater(file.string());
        c.before(image);
        EXPECT_EQ(image.Width(), c.width) << c.what;
        EXPECT_EQ(image.Height() == 0, c.width == 0) << c.what;
        EXPECT_EQ(image.View().Pixels == nullptr, c.width == 0) << c.what;
        put("icon24_02.png");
        EXPECT_EQ(image.Width(), c.width) << c.what << ": read once";
    }
    std::filesystem::remove(file);
}

TEST(PngImageTest, ImageListKeepsOrderAndSkipsNothingSilently) {
    TskPngImageList list(nullptr);
    list.AddFromFile(ResFile("icon24_02.png"));
    EXPECT_THROW(list.AddFromFile(ResFile("icon24_99.png")), std::runtime_error);
    list.AddFromFile(ResFile("icon24_03.png"));
    EXPECT_EQ(list.Count(), 2);  // a failed load adds no entry
    ASSERT_NE(list.Get(1), nullptr);
    EXPECT_EQ(list.Get(1)->Width, 24);
    EXPECT_EQ(list.Get(2), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
}

TEST(PngImageViewTest, ViewShowsItsSlotSizedByThePicture) {
    TskForm form(nullptr);
    auto* store = new TskPngImageStore(&form);
    auto* view = new TskPngImageView(&form);
    view->SetBounds(56, 8, 10, 10);
    view->SetImageStore(store);
    store->LoadSlot(0, ResFile("title.png"));
    view->PictureChanged();
    TPngImage* pic = store->Image(0);
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(view->Width(), pic->Width());
    EXPECT_EQ(view->Height(), pic->Height());
    EXPECT_EQ(view->Left(), 56);
    EXPECT_EQ(store->PngImages().Count(), 1);
    delete store;  // the view forgets a store that goes away
    EXPECT_EQ(view->ImageStore(), nullptr);
}

TEST(PngFormTest, MakesItsFormBorderlessAndSizedToThePicture) {
    TskForm form(nullptr);
    form.SetBounds(439, 162, 705, 478);
    auto* png = new TskPngForm(&form);
    EXPECT_TRUE(form.Borderless());
    EXPECT_EQ(form.PictureWindow(), png);
    png->LoadFromFile(ResFile("title.png"));
    EXPECT_EQ(form.Width(), png->PngImage().Width());
    EXPECT_EQ(form.Left(), 439);
    png->SetAlphaValue(300);
    EXPECT_EQ(png->AlphaValue(), 255);
    png->SetAlphaValue(-1);
    EXPECT_EQ(png->AlphaValue(), 0);
    EXPECT_THROW(png->LoadFromFile(ResFile("missing.png")), std::runtime_error);
}

TEST(SkinFollowingTest, ControlsUseTheirContainersSkinAndItsSwitches) {
    TskForm form(nullptr);
    auto* skin = new TskSkinData(&form);
    auto* frame = new TskSkinFrame(&form);
    auto* button = new TskButton(&form);
    button->SetParent(&form);
    EXPECT_EQ(button->EffectiveSkin(), nullptr);
    EXPECT_TRUE(form.UsesSkinnedFrame());
    form.SetSkinData(skin);
    EXPECT_EQ(button->EffectiveSkin(), skin);
    skin->SetSkinnableForm(false);  // an .nsf skin: standard frame, skinned controls
    EXPECT_FALSE(form.UsesSkinnedFrame());
    EXPECT_FALSE(button->Palette().SkinnableForm);
    skin->SetShowButtonGlowFrames(false);
    EXPECT_FALSE(button->Palette().ButtonGlow);
    EXPECT_EQ(frame->Form(), &form);
    form.SetBorderless(true);
    skin->SetSkinnableForm(true);
    EXPECT_FALSE(form.UsesSkinnedFrame());
}

TEST(SkinFollowingTest, ADestroyedSkinFallsBackToTheBuiltInOne) {
    TskButton button(nullptr);
    auto* skin = new TskSkinData(nullptr);
    button.SetSkinData(skin);
    delete skin;
    EXPECT_EQ(button.SkinData(), nullptr);
    EXPECT_EQ(button.Palette().Window, BuiltInPalette().Window);
}

}  // namespace
}  // namespace tallow
