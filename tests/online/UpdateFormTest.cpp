// The update window without a window layer: its components, FormCreate with the
// program folder's logo, and a check through the downloader on the fake HTTP
// client, with the engine on fakes. A headless window cannot post itself its
// result message, so the tests hand ShowCheckResult what the message would.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "engine/EngineFakes.h"
#include "fakes/FakeSignatures.h"
#include "online/CLUpdateForm.h"
#include "online/UpdateKey.h"

namespace tallow::testing {
namespace {

namespace fs = std::filesystem;

class UpdateFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tmp = std::getenv("TALLOW_TEST_TMP");
        dir_ = fs::path(tmp ? tmp : "/tmp") /
               ("updateform_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        env_.settings.exeDir = dir_.string() + "/";
        env_.settings.runTimes = 4;
        env_.settings.values = {{"App.MagicWord", "Tallow"}, {"URL.Update", "http://update.example/update/"}};
        language_.texts = {{"LibRes/TfrmCLUpdateForm.Caption", "Update check"},
                           {"LibRes/btnOk.Caption", "&Ok"},
                           {"LibRes/btnCancel.Caption", "&Cancel"},
                           {"LibRes/cbAutoCheckUpdate.Caption", "&Automatic Check Update"},
                           {"LibRes/Update.Connecting", "Connecting..."},
                           {"LibRes/Update.LastVersionAlready", "This is the latest version."},
                           {"LibRes/Update.NetError", "The update server cannot be reached."}};
        env_.engine().LanguageData = &language_;
    }
    void TearDown() override {
        // An abandoned worker ends on its own; it must not outlive the fakes it uses.
        env_.platform.http.Release();
        for (int i = 0; i < 5000 && TSingleDownloader::RunningWorkers() > 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    // The program folder's logo, copied from a shipped image (Windows paths
    // name the file "res\images\update.png").
    void PutLogo(const std::string& shipped = "images/update.png") {
        const char* env = std::getenv("TALLOW_SOURCE_DIR");
        fs::path source = env ? fs::path(env) : fs::path(__FILE__).parent_path().parent_path().parent_path();
        fs::copy_file(source / "dist" / "res" / shipped, dir_ / "res\\images\\update.png",
                      fs::copy_options::overwrite_existing);
    }

    TfrmCLUpdateForm& Create() {
        UpdateFormServices services;
        services.engine = &env_.engine();
        services.settings = &env_.settings;
        services.platform = &env_.platform.Platform();
        forms_.push_back(std::make_unique<TfrmCLUpdateForm>(nullptr, services));
        return *forms_.back();
    }

    // Serves `text` signed, as the vendor's server does, with the program's key.
    void Answer(const std::string& text) {
        const std::string body = SignAnswerWithFake(text, BuiltInUpdateKey());
        TFakeHttp::Answer answer;
        answer.contentLength = std::to_string(body.size());
        answer.chunks = {body};
        env_.platform.http.SetAnswer(answer);
    }

    // Runs the posted hand-overs until the window's transfer has ended.
    void Settle(TfrmCLUpdateForm& form) {
        for (int i = 0; i < 5000 && form.sdDownload->Running(); ++i) {
            env_.platform.application.RunPosted();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        env_.platform.application.RunPosted();
    }

    // A manual check of a shown window, through to its result.
    TfrmCLUpdateForm& ManualCheck(const std::string& body) {
        Answer(body);
        TfrmCLUpdateForm& form = Create();
        form.Show();
        form.BeginCheck(true);
        Settle(form);
        form.ShowCheckResult();
        return form;
    }

    fs::path dir_;
    EngineFixture env_;
    FakeLanguage language_;
    std::vector<std::unique_ptr<TfrmCLUpdateForm>> forms_;
};

TEST_F(UpdateFormTest, WindowShowsTheLanguagesTextsAndOnlyADisabledOkWhileTheCheckRuns) {
    PutLogo();
    env_.settings.values["Update.AutoCheck"] = "1";
    TfrmCLUpdateForm& f = Create();
    EXPECT_STREQ(f.WindowClassName(), "TfrmCLUpdateForm");
    EXPECT_EQ(f.Position(), TPosition::MainFormCenter);
    EXPECT_TRUE(f.KeyPreview());
    EXPECT_EQ(f.ClientWidth(), 373);
    EXPECT_EQ(f.ClientHeight(), 306);
    EXPECT_TRUE(f.pnLogo->Visible());
    EXPECT_EQ(f.pnLogo->Height(), 65);
    EXPECT_EQ(f.Caption(), "Update check");
    EXPECT_EQ(f.btnOK->Caption(), "&Ok");
    EXPECT_EQ(f.btnOK2->Caption(), "&Ok");
    EXPECT_EQ(f.btnCancel->Caption(), "&Cancel");
    EXPECT_EQ(f.cbAutoCheckUpdate->Caption(), "&Automatic Check Update");
    EXPECT_EQ(f.lbInfo->Caption(), "Connecting...");
    EXPECT_TRUE(f.lbInfo->WordWrap());
    EXPECT_FALSE(f.pnOkCancel->Visible());
    EXPECT_TRUE(f.pnOK->Visible());
    EXPECT_FALSE(f.btnOK2->Enabled());
    EXPECT_EQ(f.btnOK->ModalResult(), mrOk);
    EXPECT_TRUE(f.btnOK->Default());
    EXPECT_EQ(f.btnOK2->ModalResult(), mrCancel);
    EXPECT_TRUE(f.cbAutoCheckUpdate->Visible());
    EXPECT_TRUE(f.cbAutoCheckUpdate->Checked());
    // The info panel fills what the logo and the Ok band leave, its box inside it.
    EXPECT_EQ(f.pn1->Top(), 65);
    EXPECT_EQ(f.pn1->Height(), 306 - 65 - 34);
    EXPECT_LE(f.cbAutoCheckUpdate->BoundsRect().Bottom, f.pn1->Height());
    EXPECT_LE(f.lbInfo->BoundsRect().Bottom, f.cbAutoCheckUpdate->Top());
    EXPECT_EQ(f.sdDownload->AcceptTypes, "*/*");
    EXPECT_FALSE(f.sdDownload->UseCache);

    EXPECT_TRUE(f.cbAutoCheckUpdate->Enabled());
    env_.settings.fixedByPolicy.insert("update.autocheck");
    EXPECT_FALSE(Create().cbAutoCheckUpdate->Enabled()) << "a policy fixes the choice";

    env_.settings.values["Update.NoAutoCheck"] = "1";
    EXPECT_FALSE(Create().cbAutoCheckUpdate->Visible());
}

TEST_F(UpdateFormTest, LogoSizesTheWindowAndAMissingOrDamagedOneRemovesTheStripOnce) {
    PutLogo("title.png");  // 130 x 60
    TfrmCLUpdateForm& other = Create();
    EXPECT_EQ(other.ClientWidth(), 130);
    EXPECT_EQ(other.ClientHeight(), 306 + 60 - 65);
    EXPECT_EQ(other.pnLogo->Height(), 60);

    fs::remove(dir_ / "res\\images\\update.png");
    TfrmCLUpdateForm& missing = Create();
    EXPECT_FALSE(missing.pnLogo->Visible());
    EXPECT_EQ(missing.ClientHeight(), 306 - 65);
    EXPECT_EQ(missing.pn1->Top(), 0);
    missing.LoadLogo((dir_ / "absent.png").string());
    EXPECT_EQ(missing.ClientHeight(), 306 - 65);

    std::ofstream(dir_ / "res\\images\\update.png", std::ios::binary) << "\x89PNG\r\n\x1a\n broken";
    TfrmCLUpdateForm& damaged = Create();
    EXPECT_FALSE(damaged.pnLogo->Visible());
    EXPECT_EQ(damaged.ClientHeight(), 306 - 65);
}

TEST_F(UpdateFormTest, ManualCheckAsksTheUpdatePageAndShowsEachOutcome) {
    TfrmCLUpdateForm& current = ManualCheck("magicword=Tallow\r\nResult=0\r\n");
    const std::vector<THttpRequest> requests = env_.platform.http.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].path.find("/update/?ACTION=Update&"), std::string::npos) << requests[0].path;
    EXPECT_EQ(current.lbInfo->Caption(), "This is the latest version.");
    EXPECT_TRUE(current.pnOK->Visible());
    EXPECT_FALSE(current.pnOkCancel->Visible());
    EXPECT_TRUE(current.btnOK2->Enabled());

    TfrmCLUpdateForm& offer = ManualCheck("magicword=Tallow\nResult=1\ninfo=Version 2 is out\npage=http://d.example/");
    EXPECT_EQ(offer.lbInfo->Caption(), "Version 2 is out");
    EXPECT_TRUE(offer.pnOkCancel->Visible());
    EXPECT_TRUE(offer.btnCancel->Visible());
    EXPECT_FALSE(offer.pnOK->Visible());
    EXPECT_TRUE(offer.btnOK->Enabled());

    TfrmCLUpdateForm& noPage = ManualCheck("magicword=Tallow\nResult=1\ninfo=Ask your vendor");
    EXPECT_TRUE(noPage.pnOK->Visible());
    EXPECT_FALSE(noPage.btnCancel->Visible());

    TFakeHttp::Answer unreachable;
    unreachable.reachable = false;
    env_.platform.http.SetAnswer(unreachable);
    TfrmCLUpdateForm& down = Create();
    down.Show();
    down.BeginCheck(true);
    Settle(down);
    down.ShowCheckResult();
    EXPECT_EQ(down.lbInfo->Caption(), "The update server cannot be reached.");
}

TEST_F(UpdateFormTest, OkOpensOnlyAWebPageOfTheOfferAndStoresTheChoice) {
    TfrmCLUpdateForm& offer = ManualCheck("magicword=Tallow\nResult=1\ninfo=New\npage=http://d.example/get?v=2");
    offer.cbAutoCheckUpdate->SetChecked(true);
    offer.btnOK->Click();
    EXPECT_EQ(env_.platform.shell.opened, std::vector<std::string>{"http://d.example/get?v=2"});
    EXPECT_EQ(env_.settings.ReadString("Update.AutoCheck"), "1");

    for (const char* page : {"file:///C:/Windows/system32/calc.exe", "javascript:alert(1)", "C:\\evil.exe"}) {
        TfrmCLUpdateForm& hostile = ManualCheck(std::string("magicword=Tallow\nResult=1\ninfo=x\npage=") + page);
        EXPECT_TRUE(hostile.pnOkCancel->Visible()) << page;
        hostile.btnOK->Click();
    }
    EXPECT_EQ(env_.platform.shell.opened.size(), 1u);
    EXPECT_TRUE(env_.platform.shell.started.empty());

    offer.cbAutoCheckUpdate->SetChecked(false);
    offer.btnOK2->Click();
    EXPECT_EQ(env_.settings.ReadString("Update.AutoCheck"), "0");
}

TEST_F(UpdateFormTest, AKeyReleasedDuringTheCheckAbandonsItSilently) {
    Answer("magicword=Tallow\nResult=0");
    env_.platform.http.Hold();
    TfrmCLUpdateForm& f = Create();
    f.Show();
    f.BeginCheck(true);
    f.FormKeyUp(&f, 'A');
    EXPECT_FALSE(f.sdDownload->Running());
    env_.platform.http.Release();
    Settle(f);
    EXPECT_EQ(f.lbInfo->Caption(), "Connecting...");
    EXPECT_FALSE(f.btnOK2->Enabled());
    EXPECT_EQ(env_.settings.ReadString("Update.LastDate"), "");
}

TEST_F(UpdateFormTest, EngineHandleFollowsAnAutomaticWindowThatFreesItselfAfterShowing) {
    Answer("magicword=Tallow\nResult=1\ninfo=New\npage=http://d.example/");
    env_.settings.values["Update.AutoCheck"] = "1";
    const int owned = env_.form.ComponentCount();
    std::unique_ptr<IUpdateWindow> handle = MakeUpdateWindow(env_.engine(), env_.settings, env_.platform.Platform());
    ASSERT_EQ(env_.form.ComponentCount(), owned + 1);
    auto* form = dynamic_cast<TfrmCLUpdateForm*>(env_.form.Components(owned));
    ASSERT_NE(form, nullptr);
    handle->BeginCheck(false);
    Settle(*form);
    EXPECT_EQ(form->Check().PageURL(), "http://d.example/");
    form->ShowCheckResult();  // hidden: shown modally, then freed from the message loop
    EXPECT_EQ(env_.form.ComponentCount(), owned + 1);
    env_.platform.application.RunPosted();
    EXPECT_EQ(env_.form.ComponentCount(), owned);
    handle->BeginCheck(true);
    EXPECT_EQ(handle->ShowModal(), mrCancel);
    EXPECT_EQ(env_.platform.http.Requests().size(), 1u);
}

}  // namespace
}  // namespace tallow::testing
