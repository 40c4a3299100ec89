// The main window without a window layer: its components, FormCreate with the
// program folder's images, and the handlers, over a fake engine environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cleaning/CleaningActions.h"
#include "cleaning/CleaningFakes.h"
#include "cleaning/uMainForm.h"
#include "engine/EngineFakes.h"
#include "framework/CLEngineStandard.h"
#include "toolkit/controls/Application.h"

namespace tallow::testing {
namespace {

namespace fs = std::filesystem;

class MainFormFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tmp = std::getenv("TALLOW_TEST_TMP");
        dir_ = fs::path(tmp ? tmp : "/tmp") /
               ("mainform_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        settings_.values = {{"App.Name", "Cleaner"}, {"App.Ver", "2.1"}};
        SetEngineServicesProvider([this](TComponent* owner) {
            EngineServices services;
            services.platform = &platform_.Platform();
            services.application = &app_;
            services.settings = &settings_;
            services.owner = MakeFormEngineOwner(dynamic_cast<TskForm&>(*owner));
            services.windows.messageDialog = FakeDialogFactory(dialog_);
            return services;
        });
        SetExceptionHandler([this](const std::string& message) { errors_.push_back(message); });
    }
    void TearDown() override {
        form_.reset();
        SetEngineServicesProvider(nullptr);
        SetExceptionHandler(nullptr);
    }

    // The program folder's image `name` ("title.png", "icon24_07.png") taken
    // from a shipped image. Windows paths name the file "res\<name>".
    void PutImage(const std::string& name, const std::string& shipped = "icon24_01.png") {
        const char* env = std::getenv("TALLOW_SOURCE_DIR");
        fs::path source = env ? fs::path(env) : fs::path(__FILE__).parent_path().parent_path().parent_path();
        fs::copy_file(source / "dist" / "res" / shipped, dir_ / ("res\\" + name), fs::copy_options::overwrite_existing);
    }

    TfrmMain& Create(std::function<std::unique_ptr<TCleaningKit>()> cleaningKit = nullptr) {
        MainFormServices services;
        services.cleaningKit = std::move(cleaningKit);
        settings_.exeDir = dir_.string() + "/";
        services.settings = &settings_;
        form_ = std::make_unique<TfrmMain>(nullptr, std::move(services));
        return *form_;
    }

    fs::path dir_;
    TFakePlatform platform_;
    TApplication app_;
    TFakeSettings settings_;
    FakeDialogState dialog_;
    std::vector<std::string> errors_;
    std::unique_ptr<TfrmMain> form_;
};

TEST_F(MainFormFixture, ComponentsFollowTheLayoutTable) {
    PutImage("title.png", "title.png");
    TfrmMain& f = Create();
    EXPECT_STREQ(f.WindowClassName(), "TfrmMain");
    EXPECT_EQ(f.ClientWidth(), 678);
    EXPECT_EQ(f.ClientHeight(), 412) << "one side button taller than four pages needed";
    EXPECT_EQ(f.Position(), TPosition::ScreenCenter);

    EXPECT_EQ(f.btnFF->Caption(), "Fire Fox");
    EXPECT_EQ(f.btnFF->ImageIndex(), 3);
    EXPECT_EQ(f.btnFF->Font().Name, "Arial");
    EXPECT_EQ(f.ItemButton(2)->Caption(), "Delete Now");
    EXPECT_EQ(f.ItemCheckBox(13)->Caption(), "Clear Windows Run History");
    EXPECT_EQ(f.ItemCheckBox(13)->Parent(), f.tstWH);
    EXPECT_EQ(f.ItemCheckBox(9)->Parent(), f.tstSys);
    EXPECT_EQ(f.btnChrome->Caption(), "Chrome and Edge");
    EXPECT_EQ(f.btnChrome->ImageIndex(), 6);
    EXPECT_EQ(f.btnChrome->Top(), f.btnSF->Top() + 43);
    EXPECT_EQ(f.pcMain->BoundsRect(), TRect::Bounds(192, 96, 467, 257)) << "the pages stay where they were";
    EXPECT_EQ(f.ItemCheckBox(17)->Caption(), "Delete stored Passwords");
    EXPECT_EQ(f.ItemCheckBox(14)->Parent(), f.tstChrome);
    EXPECT_EQ(f.lblChromeFound->Parent(), f.tstChrome);
    EXPECT_EQ(f.lblChromeFound->Caption(), "[AppRes]NOTE_NoBrowserFound") << "no cleaners, no browser";
    EXPECT_FALSE(f.sgClearall->Visible());
    EXPECT_EQ(f.tmrClearAll->Interval(), 100u);
    EXPECT_FALSE(f.tmrClearAll->Enabled());
    EXPECT_EQ(f.pngStore->PngImages().Count(), 3);
    ASSERT_EQ(f.pmSystem->Count(), 3);
    EXPECT_EQ(f.pmSystem->Items(0)->Caption(), "&Update");
    EXPECT_EQ(f.pmSystem->Items(1)->Caption(), "&About");
    EXPECT_EQ(f.pmSystem->Items(2)->Caption(), "Clean at &sign-in");
    EXPECT_EQ(f.engine1->FindDefault("Path.Languages"), "langs");
    EXPECT_EQ(f.engine1->FindOverwrite("URL.Update"), "http://update.tallowmere.example/update/");
    EXPECT_EQ(AppEngine(), f.engine1);
}

// Every control of `parent` and below, parents before their children.
void CollectControls(const TskControl& parent, std::vector<const TskControl*>& out) {
    for (const TskControl* child : parent.Children()) {
        out.push_back(child);
        CollectControls(*child, out);
    }
}

bool Overlap(const TRect& a, const TRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Labels take no input: the notes below the browser-history rows reach into
// their row by design.
bool TakesRoom(const TskControl& c) {
    return c.Visible() && dynamic_cast<const TskLabel*>(&c) == nullptr;
}

TEST_F(MainFormFixture, LayoutKeepsControlsInsideTheirParentsApartAndEachItemRowOnOneTop) {
    PutImage("title.png", "title.png");
    TfrmMain& f = Create();
    std::vector<const TskControl*> controls;
    CollectControls(f, controls);
    ASSERT_GT(controls.size(), 40u);
    for (const TskControl* c : controls) {
        TRect r = c->BoundsRect();
        const TskControl* parent = c->Parent();
        EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Right <= parent->Width() && r.Bottom <= parent->Height())
            << c->Name() << " outside " << parent->Name();
        for (const TskControl* other : parent->Children()) {
            if (other != c && TakesRoom(*c) && TakesRoom(*other)) {
                EXPECT_FALSE(Overlap(r, other->BoundsRect())) << c->Name() << " overlaps " << other->Name();
            }
        }
    }
    for (int item = 1; item <= kItemCount; ++item) {
        EXPECT_EQ(f.ItemCheckBox(item)->Parent(), f.ItemButton(item)->Parent()) << item;
        EXPECT_EQ(f.ItemCheckBox(item)->Top(), f.ItemButton(item)->Top()) << item;
        EXPECT_EQ(f.ItemCheckBox(item)->Height(), f.ItemButton(item)->Height()) << item;
    }
}

TEST_F(MainFormFixture, FormCreateLoadsIconsInFoundOrderTicksBoxesAndSetsTheCaption) {
    PutImage("title.png", "title.png");
    for (int n : {2, 3, 4, 5, 6, 7, 100}) {
        PutImage(n == 100 ? "icon24_100.png" : "icon24_0" + std::to_string(n) + ".png",
                 "icon24_0" + std::to_string(n == 100 ? 1 : (n == 7 ? 6 : n)) + ".png");
    }
    PutImage("icon24_101.png");
    std::ofstream(dir_ / "res\\icon24_05.png", std::ios::binary | std::ios::trunc) << "not a picture";
    TfrmMain& f = Create();
    EXPECT_TRUE(errors_.empty()) << errors_.front();
    EXPECT_EQ(f.imglstIcon->Count(), 7) << "02..07 and 100; 01 missing, 101 never looked for";
    EXPECT_TRUE(f.imglstIcon->Item(3)->Empty()) << "the damaged icon 05 keeps its place, empty";
    EXPECT_FALSE(f.imglstIcon->Item(4)->Empty());
    EXPECT_EQ(f.imglstIcon->Item(0)->Width(), 24);
    EXPECT_EQ(f.imgTitle->ImageStore(), f.pngStore);
    EXPECT_FALSE(f.pngStore->Image(0)->Empty());
    for (TskCheckBox* box : f.CheckBoxes()) {
        EXPECT_TRUE(box->Checked()) << box->Name();
    }
    EXPECT_EQ(f.Caption(), "Cleaner 2.1") << "one space until the engine composes the title";
    EXPECT_EQ(IconFileName("C:\\P\\", 7), "C:\\P\\res\\icon24_07.png");
    EXPECT_EQ(IconFileName("C:\\P\\", 100), "C:\\P\\res\\icon24_100.png");
}

// A listing of the res folder tells which numbers to open (whatever the case of
// their names); a listing that names nothing leaves every number to be tried.
TEST_F(MainFormFixture, IconsOfTheFolderListingAreTheOnlyOnesOpened) {
    PutImage("title.png", "title.png");
    for (const char* name : {"icon24_01.png", "icon24_02.png", "icon24_03.png", "icon24_04.png"})
        PutImage(name);
    struct Case {
        std::vector<std::string> listing;
        int icons;
    };
    for (const Case& c : {Case{{"ICON24_02.PNG", "icon24_04.png", "title.png", "c1.bat"}, 2}, Case{{}, 4}}) {
        std::vector<std::string> asked;
        MainFormServices services;
        settings_.exeDir = dir_.string() + "/";
        services.settings = &settings_;
        services.listFolder = [&](const std::string& folder) {
            asked.push_back(folder);
            return c.listing;
        };
        form_.reset();
        form_ = std::make_unique<TfrmMain>(nullptr, std::move(services));
        EXPECT_EQ(form_->imglstIcon->Count(), c.icons) << c.listing.size();
        EXPECT_EQ(asked, std::vector<std::string>{dir_.string() + "/res\\"});
        if (c.listing.empty())
            continue;
        // Listed icons are read when first drawn: one gone by then stays empty.
        fs::remove(dir_ / "res\\icon24_02.png");
        EXPECT_TRUE(form_->imglstIcon->Item(0)->Empty());
        EXPECT_EQ(form_->imglstIcon->Item(1)->Width(), 24);
        PutImage("icon24_02.png");
    }
}

TEST_F(MainFormFixture, MissingTitleIsReportedAndTheBoxesStayUnticked) {
    PutImage("icon24_01.png");
    TfrmMain& f = Create();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0].rfind("Cannot open file \"" + dir_.string() + "/res\\title.png\". ", 0), 0u) << errors_[0];
    EXPECT_EQ(f.imglstIcon->Count(), 1) << "icons load before the title";
    for (TskCheckBox* box : f.CheckBoxes()) {
        EXPECT_FALSE(box->Checked()) << box->Name();
    }
    EXPECT_EQ(f.Caption(), "Cleaner  2.1") << "composed by the choice of language while the window loaded";
}

TEST_F(MainFormFixture, HandlersSwitchPagesTickEverythingAndShowItemMessages) {
    PutImage("title.png", "title.png");
    TfrmMain& f = Create();
    f.btnFF->Click();
    EXPECT_EQ(f.pcMain->ActivePage(), f.tstFF);
    f.btnWH->Click();
    EXPECT_EQ(f.pcMain->ActivePage(), f.tstWH);
    f.btnSF->Click();
    EXPECT_EQ(f.pcMain->ActivePage(), f.tstSys);
    f.Show();
    EXPECT_EQ(f.pcMain->ActivePage(), f.tstIE) << "every showing starts on the IE page";

    f.ItemCheckBox(3)->SetChecked(false);
    f.ItemCheckBox(11)->SetChecked(false);
    f.btnSelectAll->Click();
    for (TskCheckBox* box : f.CheckBoxes()) {
        EXPECT_TRUE(box->Checked()) << box->Name();
    }

    f.ItemCheckBox(10)->SetChecked(false);
    f.btnSysER->Click();
    ASSERT_EQ(dialog_.shown.size(), 1u);
    EXPECT_EQ(dialog_.shown[0].text, "[AppRes]MSGBOX_Cleared");
    EXPECT_EQ(dialog_.shown[0].type, TMsgDlgType::mtInformation);
    EXPECT_EQ(dialog_.shown[0].buttons, MsgButtons({mbOK}));
    EXPECT_FALSE(f.ItemCheckBox(10)->Checked());

    bool canClose = false;
    f.OnCloseQuery(&f, canClose);
    EXPECT_TRUE(canClose);
}

// The system menu's sign-in entry shows the Run value when the menu opens, switches
// it, and stays off limits while the machine's value cleans for everyone.
TEST_F(MainFormFixture, CleanAtSignInEntryFollowsAndSwitchesTheRunValue) {
    const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    platform_.process.moduleFileName = "C:\\Apps\\tallowmere.exe";
    TfrmMain& f = Create();
    platform_.registry.Set(RegistryRoot::CurrentUser, kRun, "Tallowmere", "\"C:\\Apps\\tallowmere.exe\" /clean");
    f.pmSystem->Popup();
    EXPECT_TRUE(f.mniCleanAtSignIn->Checked());
    EXPECT_TRUE(f.mniCleanAtSignIn->Enabled());

    f.mniCleanAtSignIn->Click();
    EXPECT_FALSE(platform_.registry.ReadString(RegistryRoot::CurrentUser, kRun, "Tallowmere"));
    EXPECT_FALSE(f.mniCleanAtSignIn->Checked());
    f.mniCleanAtSignIn->Click();
    EXPECT_EQ(platform_.registry.ReadString(RegistryRoot::CurrentUser, kRun, "Tallowmere"),
              "\"C:\\Apps\\tallowmere.exe\" /clean");
    EXPECT_TRUE(f.mniCleanAtSignIn->Checked());

    platform_.registry.Set(RegistryRoot::LocalMachine, kRun, "Tallowmere", "\"C:\\Apps\\tallowmere.exe\" /clean",
                           RegistryView::Bits64);
    f.pmSystem->Popup();
    EXPECT_FALSE(f.mniCleanAtSignIn->Enabled());
    f.mniCleanAtSignIn->Click();
    EXPECT_TRUE(platform_.registry.ReadString(RegistryRoot::CurrentUser, kRun, "Tallowmere")) << "a disabled entry";
    EXPECT_TRUE(dialog_.shown.empty());
}

// The clear-all run on the window: the question's kind, the buttons while it
// is up, and a close asked for during the run.
TEST_F(MainFormFixture, ClearAllAsksWithButtonsDisabledAndClosesOnlyAfterTheRun) {
    PutImage("title.png", "title.png");
    TCleaningFakes fakes;
    int historyClears = 0;
    TfrmMain& f = Create([&] {
        return std::make_unique<TCleaningKit>(
            fakes.Platform([&] { return std::make_unique<TFakeUrlHistoryStore>(historyClears); }), fakes.settings);
    });
    f.Show();
    std::vector<TskButton*> cleaningButtons{f.btnClearAll};
    for (int item = 1; item <= kItemCount; ++item) {
        cleaningButtons.push_back(f.ItemButton(item));
    }
    int enabledDuringQuestion = 0;
    bool closedDuringQuestion = true;
    dialog_.answer = mrYes;
    dialog_.onShow = [&] {
        for (TskButton* button : cleaningButtons) {
            enabledDuringQuestion += button->Enabled() ? 1 : 0;
        }
        f.btnClearAll->Click();  // a second click reaching the handler starts nothing
        closedDuringQuestion = !f.Close();
        closedDuringQuestion = closedDuringQuestion && !f.Visible();
    };
    f.btnClearAll->Click();

    ASSERT_EQ(dialog_.shown.size(), 1u);
    EXPECT_EQ(dialog_.shown[0].text, "[AppRes]MSGBOX_ClearNotify");
    EXPECT_EQ(dialog_.shown[0].type, TMsgDlgType::mtInformation);
    EXPECT_EQ(dialog_.shown[0].buttons, MsgButtons({mbYes, mbNo}));
    EXPECT_EQ(enabledDuringQuestion, 0);
    EXPECT_FALSE(closedDuringQuestion) << "the window stays while the run goes on";
    EXPECT_EQ(fakes.clipboard.emptied, 0) << "the run stopped before its first item";
    EXPECT_TRUE(fakes.starter.started.empty());
    EXPECT_FALSE(f.Visible()) << "closed once the run was over";
    for (TskButton* button : cleaningButtons) {
        EXPECT_TRUE(button->Enabled()) << button->Name();
    }
    bool canClose = false;
    f.OnCloseQuery(&f, canClose);
    EXPECT_TRUE(canClose);
}

}  // namespace
}  // namespace tallow::testing
