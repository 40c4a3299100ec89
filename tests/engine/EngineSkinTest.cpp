// The Windows version test, the engine's skin and language selection from the
// settings, and the form decoration that hands skin and language data on.
#include <gtest/gtest.h>

#include "engine/EngineFakes.h"
#include "framework/CLForm.h"
#include "framework/cwm_WinVersion.h"
#include "platform/Files.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Form.h"
#include "toolkit/skin/SkinFile.h"

namespace tallow::testing {
namespace {

WindowsVersionInfo NtVersion(uint32_t major, uint32_t minor, uint8_t productType) {
    WindowsVersionInfo v;
    v.known = v.extended = true;
    v.platformId = 2;
    v.major = major;
    v.minor = minor;
    v.productType = productType;
    return v;
}

TEST(WinVersion, OnlyAThirtyTwoBitProcessOnSixtyFourBitVistaIsVista64) {
    TFakeSystemInfo system;
    system.version = NtVersion(6, 0, 1);
    system.wow64 = true;
    EXPECT_TRUE(IsWow64(system));
    EXPECT_TRUE(IsVista64(system));
    EXPECT_EQ(GetWindowsTypeEx(system).ProductCode, 14);

    system.hasIsWow64Process = false;
    EXPECT_FALSE(IsWow64(system));
    EXPECT_FALSE(IsVista64(system)) << "without IsWow64Process";
    system.hasIsWow64Process = true;

    system.version.extended = false;
    EXPECT_FALSE(IsVista64(system)) << "basic record: the product type counts as 0";
    system.version.known = false;
    EXPECT_EQ(GetWindowsTypeEx(system).ProductCode, 0) << "no record at all";

    struct Case {
        const char* name;
        WindowsVersionInfo version;
        bool wow64;
    };
    for (const Case& c :
         {Case{"32-bit Vista", NtVersion(6, 0, 1), false}, Case{"Server 2008", NtVersion(6, 0, 3), true},
          Case{"Server 2008 domain controller", NtVersion(6, 0, 2), true}, Case{"XP", NtVersion(5, 1, 1), false},
          Case{"XP x64", NtVersion(5, 2, 1), true}, Case{"Windows 7 64-bit", NtVersion(6, 1, 1), true}}) {
        system.version = c.version;
        system.wow64 = c.wow64;
        EXPECT_FALSE(IsVista64(system)) << c.name;
        EXPECT_NE(GetWindowsTypeEx(system).ProductCode, 0) << c.name << " is a known system";
    }
}

std::string PackedSkin(const std::string& name, const std::string& frameColor) {
    const std::string ini = "[Skin]\r\nName=" + name + "\r\n[Colors]\r\nWindowFrame=" + frameColor + "\r\n";
    std::vector<uint8_t> bytes = WriteSkinFile({{kSkinTextEntry, std::vector<uint8_t>(ini.begin(), ini.end())}});
    return std::string(bytes.begin(), bytes.end());
}

// An engine whose window carries skin data (with the toolkit's texts) and
// language data, with skins\ and langs\ below the fake program folder.
class SelectionFixture : public EngineFixture {
  public:
    SelectionFixture() {
        settings.values["Path.Skins"] = "skins";
        settings.values["Path.Languages"] = "langs";
        settings.values["App.Name"] = "Tallowmere";
        skin.SetResourceStrData(&strings);
        engine().SkinData = &skin;
        engine().LanguageData = &language;
        engine().OnSkinChanged = [this](TCLEngine&) { ++skinEvents; };
        engine().OnLanguageChanged = [this](TCLEngine&) { ++languageEvents; };
    }
    void AddFile(const std::string& relative, const std::string& content) {
        platform.files.files[settings.exeDir + relative] = content;
    }

    TskResourceStrData strings{nullptr};
    TskSkinData skin{nullptr};
    FakeLanguage language;
    int skinEvents = 0;
    int languageEvents = 0;
};

TEST(SkinSelection, FramedAndControlsOnlySkinsByNameAndTheBuiltInFallback) {
    SelectionFixture f;
    f.AddFile("skins\\Blue.skn", PackedSkin("Blue", "#0000FF"));
    f.AddFile("skins\\Gray.nsf.skn", PackedSkin("Gray", "#808080"));
    f.AddFile("skins\\Broken.skn", "not a skin");
    f.settings.values["Skin"] = "Gray";
    f.skin.SetSkinnableForm(true);

    f.engine().Loaded();
    EXPECT_EQ(f.skin.Theme().name, "Gray");
    EXPECT_FALSE(f.skin.SkinnableForm()) << ".nsf.skn skins leave the window frames alone";
    EXPECT_EQ(f.engine().SelectedSkin(), "Gray");

    f.engine().SetSkin("Blue");
    EXPECT_EQ(f.skin.Theme().name, "Blue");
    EXPECT_TRUE(f.skin.SkinnableForm());
    EXPECT_EQ(f.skin.Theme().Color(SkinColor::WindowFrame), 0xFF0000FFu);
    EXPECT_EQ(f.settings.values["Skin"], "Blue");

    for (const char* missing : {"Purple", "Broken", ""}) {
        f.engine().SetSkin(missing);
        EXPECT_TRUE(f.skin.IsBuiltIn()) << missing;
        EXPECT_TRUE(f.skin.SkinnableForm()) << "the built-in skin's switch comes back";
        EXPECT_EQ(f.engine().SelectedSkin(), "Default");
        EXPECT_EQ(f.settings.values["Skin"], "Default");
        f.engine().SetSkin("Blue");
    }

    f.AddFile("skins\\Default.nsf.skn", PackedSkin("MyDefault", "#010203"));
    f.engine().SetSkin("Default");
    EXPECT_EQ(f.skin.Theme().name, "MyDefault") << "a Default skin file is used when there is one";
}

TEST(SkinSelection, EventsAreHeldBackWhileLoadingAndGlowStaysOffOnVista64) {
    SelectionFixture f;
    f.AddFile("skins\\Blue.skn", PackedSkin("Blue", "#0000FF"));
    f.AddFile("langs\\French.lan", "[AppRes]");
    f.settings.values["Skin"] = "Blue";
    f.settings.values["Language"] = "French";
    f.platform.systemInfo.version = NtVersion(6, 0, 1);
    f.platform.systemInfo.wow64 = true;

    f.engine().Loaded();
    EXPECT_EQ(f.skinEvents + f.languageEvents, 0);
    EXPECT_FALSE(f.skin.ShowButtonGlowFrames());
    EXPECT_FALSE(f.skin.ShowCaptionButtonGlowFrames());
    f.RunPosted();
    EXPECT_EQ(f.skinEvents, 1);
    EXPECT_EQ(f.languageEvents, 1);

    f.engine().SetSkin("Blue");
    EXPECT_EQ(f.skinEvents, 1) << "the same name changes nothing";
    f.engine().SetSkin("Default");
    EXPECT_EQ(f.skinEvents, 2);
    EXPECT_FALSE(f.skin.ShowButtonGlowFrames()) << "whatever skin is selected";

    f.platform.systemInfo.wow64 = false;
    f.skin.SetShowButtonGlowFrames(true);
    f.engine().SetSkin("Blue");
    EXPECT_TRUE(f.skin.ShowButtonGlowFrames()) << "32-bit Vista keeps the glow";
}

TEST(LanguageSelection, LanguageFilesByNameTheBuiltInTextsAndTheToolkitTexts) {
    SelectionFixture f;
    f.AddFile("langs\\French.lan", "[AppRes]");
    f.settings.values["Language"] = "German";
    f.language.sections["SkinRes"] = {"MSG_BTN_YES=&Oui", "MSG_EXTRA=Plus"};
    f.strings.ResStrings()->SetText("MSG_BTN_YES=&Yes");

    f.engine().Loaded();
    EXPECT_TRUE(f.language.loaded.empty());
    EXPECT_EQ(f.language.clears, 0) << "nothing was loaded that could be dropped";
    EXPECT_EQ(f.settings.values["Language"], "English");
    EXPECT_EQ(f.engine().SelectedLanguage(), "English");
    EXPECT_EQ(f.strings.ResStrings()->Lines(), (std::vector<std::string>{"MSG_BTN_YES=&Yes", "MSG_EXTRA=Plus"}))
        << "toolkit texts it already holds stay";

    f.language.appName = "Talgmeer";
    f.engine().SetLanguage("French");
    EXPECT_EQ(f.language.loaded, std::vector<std::string>{f.settings.exeDir + "langs\\French.lan"});
    EXPECT_EQ(f.settings.values["Language"], "French");
    EXPECT_EQ(f.languageEvents, 1);
    EXPECT_EQ(f.owner.caption, "Talgmeer  ") << "the title is composed again";

    f.engine().SetLanguage("Klingon");
    EXPECT_EQ(f.language.clears, 1);
    EXPECT_EQ(f.engine().SelectedLanguage(), "English");
    f.engine().SetLanguage("");
    EXPECT_EQ(f.engine().SelectedLanguage(), "English") << "\"Default\" without a file";

    f.engine().LanguageData = nullptr;
    f.engine().SkinData = nullptr;
    f.settings.values.erase("Language");
    f.settings.values.erase("Skin");
    f.engine().SetLanguage("French");
    f.engine().SetSkin("Blue");
    EXPECT_EQ(f.settings.values.count("Language") + f.settings.values.count("Skin"), 0u) << "no data, no setting";
}

TEST(NameRules, SkinAndLanguageNamesAreBareFileNamesAndTheirFoldersLieBelowTheProgram) {
    for (const char* name : {"English", "Blue Steel", "Gray.nsf", "CONSOLE", "COM10", "LPT", "Comet", "\xE9t\xE9"})
        EXPECT_TRUE(IsBareFileName(name)) << name;
    for (const char* name :
         {"",      ".",         "..",       "..\\..\\x", "a/b",        "C:x",      "\\\\srv\\s", "name.",
          "name ", "tab\tname", "del\x7f",  "star*",     "what?",      "pipe|",    "<a>",        "CON",
          "con",   "Nul.lan",   "aux.x.y",  "PRN",       "COM1",       "com9.skn", "LPT1",       "lpt9",
          "COM0",  "COM\xB9",   "NUL .txt", "CONIN$",    "conout$.lan"})
        EXPECT_FALSE(IsBareFileName(name)) << "'" << name << "'";
    for (const char* folder : {"skins", "langs\\", "res\\skins", "res/langs"})
        EXPECT_TRUE(IsRelativeSubfolder(folder)) << folder;
    for (const char* folder : {"", "\\skins", "/skins", "C:\\skins", "C:skins", "\\\\srv\\share", "..", "..\\outside",
                               "skins\\..\\..\\x", "skins\\\\x", "skins\\.", "skins\\NUL"})
        EXPECT_FALSE(IsRelativeSubfolder(folder)) << "'" << folder << "'";
}

TEST(SkinSelection, NamesAndFoldersFromOutsideCountAsMissingAndTheFallbacksAreStored) {
    SelectionFixture f;
    f.AddFile("skins\\Blue.skn", PackedSkin("Blue", "#0000FF"));
    f.AddFile("langs\\French.lan", "[AppRes]");
    f.engine().Loaded();
    // Every hostile name has a file where it points, so only the rule refuses it.
    for (const std::string name : {"..\\..\\outside\\Evil", "C:\\outside\\Evil", "COM1", "Evil.", "con.lan"}) {
        f.AddFile("skins\\" + name + ".skn", PackedSkin("Evil", "#FF0000"));
        f.AddFile("langs\\" + name + ".lan", "[AppRes]");
        f.engine().SetSkin("Blue");
        f.engine().SetLanguage("French");
        f.language.loaded.clear();
        f.engine().SetSkin(name);
        f.engine().SetLanguage(name);
        EXPECT_TRUE(f.skin.IsBuiltIn() && f.language.loaded.empty()) << name;
        EXPECT_EQ(f.settings.values["Skin"] + "," + f.settings.values["Language"], "Default,English") << name;
    }

    // Folders that leave the program folder give way to the engine's defaults.
    f.engine().SettingDefault()->SetText("Path.Skins=skins\r\nPath.Languages=langs\r\n");
    for (const std::string folder : {"C:\\outside", "\\\\server\\share", "..\\outside", "\\outside", ""}) {
        f.settings.values["Path.Skins"] = f.settings.values["Path.Languages"] = folder;
        f.AddFile(folder + "\\Blue.skn", PackedSkin("Outside", "#FF0000"));
        f.language.loaded.clear();
        f.engine().SetSkin("Default");
        f.engine().SetLanguage("Default");
        f.engine().SetSkin("Blue");
        f.engine().SetLanguage("French");
        EXPECT_EQ(f.skin.Theme().name, "Blue") << "'" << folder << "'";
        EXPECT_EQ(f.language.loaded, std::vector<std::string>{f.settings.exeDir + "langs\\French.lan"}) << folder;
    }
}

// Stands in for the language applier: records what its property received.
class TCLMultiLang : public TComponent {
    TALLOW_CLASS(TCLMultiLang, TComponent)
    using TComponent::TComponent;
    void PublishProperties(PropertyList& out) override {
        TComponent::PublishProperties(out);
        out.Object<TPersistent, TCLMultiLang>(
            "LanguageData", "TCLMultiLangData", [](TCLMultiLang& m) { return m.data; },
            [](TCLMultiLang& m, TPersistent* v) { m.data = v, ++m.assignments; });
    }
    TPersistent* data = nullptr;
    int assignments = 0;
};

class TCLMultiLangPlus : public TCLMultiLang {
    TALLOW_CLASS(TCLMultiLangPlus, TCLMultiLang)
    using TCLMultiLang::TCLMultiLang;
};

TEST(FormDecoration, HandsTheEngineDataToTheOwnersUnsetComponentsOnly) {
    SelectionFixture f;
    ASSERT_EQ(AppEngine(), &f.engine());
    TskSkinData own(nullptr);
    FakeLanguage other;
    TskForm window(nullptr);
    auto* unset = new TskButton(&window);
    auto* linked = new TskButton(&window);
    linked->SetSkinData(&own);
    auto* nested = new TskButton(unset);  // owned by a component, not by the window
    auto* applier = new TCLMultiLang(&window);
    auto* derived = new TCLMultiLangPlus(&window);
    auto* filled = new TCLMultiLang(&window);
    filled->data = &other;
    auto* decoration = new TCLForm(&window);
    decoration->RuntimeSetSkinData = decoration->RuntimeSetLanguageData = true;

    decoration->Loaded();
    EXPECT_EQ(unset->SkinData(), &f.skin);
    EXPECT_EQ(linked->SkinData(), &own);
    EXPECT_EQ(nested->SkinData(), nullptr);
    EXPECT_EQ(window.SkinData(), nullptr) << "the owner itself is not touched";
    EXPECT_EQ(applier->data, static_cast<TPersistent*>(&f.language));
    EXPECT_EQ(applier->assignments, 1) << "through the property";
    EXPECT_EQ(derived->data, nullptr);
    EXPECT_EQ(filled->data, &other);
    EXPECT_EQ(window.Position(), TPosition::Designed) << "form properties were not asked for";

    decoration->RunTimeSetFormProperties = true;
    decoration->Loaded();
    EXPECT_EQ(window.Position(), TPosition::MainFormCenter);

    auto* late = new TskButton(&window);
    auto* lateApplier = new TCLMultiLang(&window);
    f.engine().SkinData = nullptr;
    f.engine().LanguageData = nullptr;
    decoration->Loaded();
    EXPECT_EQ(late->SkinData(), nullptr) << "an engine without data changes nothing";
    EXPECT_EQ(lateApplier->data, nullptr);
    f.Destroy();
    decoration->Loaded();
    EXPECT_EQ(late->SkinData(), nullptr) << "no engine, no change";
}

TEST(FormDecoration, StoredDescriptionsCreateIt) {
    ClassRegistry registry;
    RegisterFrameworkClasses(registry);
    TComponent root(nullptr);
    auto* form = dynamic_cast<TCLForm*>(registry.Create("TCLForm", &root));
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->RuntimeSetSkinData || form->RuntimeSetLanguageData || form->RunTimeSetFormProperties);
    EXPECT_TRUE(FindProp(*form, "RunTimeSetFormProperties").SetText("True"));
    EXPECT_TRUE(form->RunTimeSetFormProperties);
}

}  // namespace
}  // namespace tallow::testing
