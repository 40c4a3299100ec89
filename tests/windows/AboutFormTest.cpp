// The About window without a window layer: its information lines, texts, logo
// strip, support link and Esc, over the engine's fakes.
#include <gtest/gtest.h>

#include <filesystem>

#include "components/WebAddress.h"
#include "toolkit/skin/SkinData.h"
#include "windows/CLAboutForm.h"
#include "windows/WindowFakes.h"

namespace tallow::testing {
namespace {

namespace fs = std::filesystem;

class AboutFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tmp = std::getenv("TALLOW_TEST_TMP");
        dir_ = fs::path(tmp ? tmp : "/tmp") /
               ("about_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        about_.f.settings.exeDir = dir_.string() + "/";
    }
    void TearDown() override { fs::remove_all(dir_); }

    TfrmCLAboutForm& Create() {
        form_ = about_.Create(selected_);
        return *form_;
    }
    std::string Logo() const { return (dir_ / "res\\images\\about.png").string(); }

    fs::path dir_;
    AboutWindowSetup about_;
    EngineFixture& f_ = about_.f;
    std::string selected_;
    std::unique_ptr<TfrmCLAboutForm> form_;
};

TEST_F(AboutFormTest, ThreeLinesInEnglishAndTheTranslatorLineForAnyOtherLanguage) {
    const std::string& threeLines = kAboutThreeLines;
    for (const char* english : {"", "English"}) {
        selected_ = english;
        EXPECT_EQ(Create().lbInfo->Caption(), threeLines) << "language '" << english << "'";
    }
    selected_ = "German";
    EXPECT_EQ(Create().lbInfo->Caption(), threeLines + "\r\nGerman is translated by Hanna Berg");
    selected_ = "english";
    EXPECT_EQ(Create().lbInfo->Caption(), threeLines + "\r\nenglish is translated by Hanna Berg")
        << "the name must be exactly English";

    f_.engine().LanguageData = nullptr;
    selected_ = "German";
    EXPECT_EQ(Create().lbInfo->Caption(), "\r\n\r\n(c) 2026 Tallowmere\r\n")
        << "missing texts give empty lines, and the window still opens";
}

TEST_F(AboutFormTest, SkinAndCaptionsComeFromTheMainWindowAndTheLinkOpensTheSupportPageWithTheQuery) {
    TskSkinData skin(nullptr);
    f_.engine().SkinData = &skin;
    TfrmCLAboutForm& form = Create();
    EXPECT_EQ(form.skSkinFrame1->SkinData(), &skin);
    EXPECT_EQ(form.btnOK->SkinData(), &skin);
    EXPECT_EQ(form.Caption(), "About Tallowmere");
    EXPECT_EQ(form.btnOK->Caption(), "&OK");
    EXPECT_EQ(form.btnOK->ModalResult(), mrOk);
    EXPECT_EQ(form.lblSupport->Caption(), "Support");
    const std::string url = form.lblSupport->URL();
    EXPECT_EQ(url.rfind("http://www.tallowmere.example/support/?ACTION=support&", 0), 0u) << url;

    form.lblSupport->Click();
    ASSERT_EQ(f_.platform.shell.opened.size(), 1u);
    EXPECT_EQ(f_.platform.shell.opened[0], SafeWebAddress(url)) << "through the engine's OpenURL";

    f_.settings.values.erase("URL.support");
    TfrmCLAboutForm& noPage = Create();
    EXPECT_EQ(noPage.lblSupport->URL(), "");
    noPage.lblSupport->Click();
    EXPECT_EQ(f_.platform.shell.opened.size(), 1u) << "an empty address opens nothing";
}

TEST_F(AboutFormTest, TheLogoSetsTheWidthAndTheStripAndAMissingOneHidesTheStrip) {
    WritePng(Logo(), 400, 80);
    TfrmCLAboutForm& wide = Create();
    EXPECT_EQ(wide.ClientWidth(), 400);
    EXPECT_EQ(wide.ClientHeight(), 262 + 80 - 65);
    EXPECT_TRUE(wide.pnLogo->Visible());
    EXPECT_EQ(wide.pnLogo->Height(), 80);
    EXPECT_EQ(wide.imgLogo->Width(), 400);
    EXPECT_EQ(wide.btnOK->Left() + wide.btnOK->Width(), 400 - 16) << "OK stays at the right edge";
    EXPECT_EQ(wide.pn1->Top(), 80);

    fs::remove(Logo());
    TfrmCLAboutForm& plain = Create();
    EXPECT_EQ(plain.ClientWidth(), 373);
    EXPECT_EQ(plain.ClientHeight(), 262 - 65);
    EXPECT_FALSE(plain.pnLogo->Visible());
    EXPECT_EQ(plain.pn1->Top(), 0);

    std::ofstream(Logo(), std::ios::binary) << "not a picture";
    TfrmCLAboutForm& damaged = Create();
    EXPECT_EQ(damaged.ClientHeight(), 262 - 65);
    EXPECT_FALSE(damaged.pnLogo->Visible());
}

TEST_F(AboutFormTest, EscapeClosesWithOkAndOtherKeysDoNothing) {
    TfrmCLAboutForm& form = Create();
    EXPECT_TRUE(form.KeyPreview());
    form.Show();
    form.KeyReleased(vkReturn);
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.ModalResult(), mrNone);
    form.KeyReleased(vkEscape);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(form.ModalResult(), mrOk);
}

}  // namespace
}  // namespace tallow::testing
