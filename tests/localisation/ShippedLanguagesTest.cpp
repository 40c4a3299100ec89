// The shipped language files: English holds every key the program looks up, the
// other languages hold the same keys, and a language file translates the main
// window, its messages and its name.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "localisation/MainWindowHarness.h"
#include "toolkit/skin/ResourceStrData.h"

namespace tallow::testing {
namespace {

namespace fs = std::filesystem;

const char* const kLanguages[] = {"English", "German", "French", "Spanish"};
const char* const kSections[] = {"Info", "AppRes", "LibRes", "SkinRes", "TfrmMain"};

// Keys of "AppRes" that the program's sources name: every "MSGBOX_..." literal
// (messages) and "NOTE_..." literal (notes the main window composes).
std::set<std::string> MessageKeysInSources() {
    const char* source = std::getenv("TALLOW_SOURCE_DIR");
    const std::regex literal("\"((?:MSGBOX|NOTE)_[A-Za-z0-9_]+)\"");
    std::set<std::string> keys;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(source ? source : ".") / "src")) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
            continue;
        std::ifstream file(entry.path());
        const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it)
            keys.insert((*it)[1]);
    }
    return keys;
}

// Every key the program looks up, by section.
std::map<std::string, std::set<std::string>> RequiredKeys() {
    std::map<std::string, std::set<std::string>> keys;
    keys["Info"] = {"Language", "Translator", "Version"};
    keys["AppRes"] = MessageKeysInSources();
    keys["AppRes"].insert("AppName");
    keys["LibRes"] = {"TfrmCLUpdateForm.Caption",
                      "btnOk.Caption",
                      "btnCancel.Caption",
                      "cbAutoCheckUpdate.Caption",
                      "Update.Connecting",
                      "Update.LastVersionAlready",
                      "Update.NetError",
                      "TfrmCLAboutForm.Caption",
                      "TfrmCLAboutForm.CopyRightLine1",
                      "TfrmCLAboutForm.CopyRightLine2",
                      "TfrmCLAboutForm.CopyRightLine3",
                      "lblSupport.Caption"};
    TStrings skin;
    skin.SetText(DefaultResourceStrings());
    for (int i = 0; i < skin.Count(); ++i)
        keys["SkinRes"].insert(skin.Names(i));
    // Every caption the main window shows, under the key its applier uses (the
    // toolkit's texts come from "SkinRes", the engine's lists are no texts).
    MainWindowHarness harness;
    TfrmMain& window = harness.Window();
    auto collect = [&](TComponent& c) {
        ForEachTranslatableText(c, [&](const std::string& key, const std::string& text) {
            if (!text.empty() && key == "Caption")
                keys["TfrmMain"].insert(c.Name() + "." + key);
        });
    };
    collect(window);
    for (int i = 0; i < window.ComponentCount(); ++i) {
        TComponent* c = window.Components(i);
        // The browser note is composed from "NOTE_..." texts, not translated by name.
        if (!c->Name().empty() && !c->InheritsFrom("TCLMultiLang") && !c->InheritsFrom("TCLMultiLangData") &&
            c != window.lblChromeFound)
            collect(*c);
    }
    return keys;
}

std::set<std::string> KeysOf(TCLMultiLangLan& lan, const std::string& section) {
    TStrings entries;
    lan.ReadSection(section, entries);
    std::set<std::string> names;
    for (int i = 0; i < entries.Count(); ++i)
        names.insert(entries.Names(i));
    return names;
}

TEST(ShippedLanguagesTest, EveryLanguageHoldsEveryKeyTheProgramLooksUp) {
    const auto required = RequiredKeys();
    ASSERT_GE(required.at("AppRes").size(), 11u) << "the sources were not found";
    ASSERT_GE(required.at("TfrmMain").size(), 47u);
    TCLMultiLangLan english;
    english.LoadFromText(ShippedLanguage("English"));
    for (const char* name : kLanguages) {
        TCLMultiLangLan lan;
        lan.LoadFromText(ShippedLanguage(name));
        for (const auto& [section, keys] : required) {
            for (const std::string& key : keys) {
                std::string text;
                EXPECT_TRUE(lan.ReadText(section, "", key, text) && !text.empty())
                    << name << ": [" << section << "] " << key;
            }
        }
        for (const char* section : kSections)
            EXPECT_EQ(KeysOf(lan, section), KeysOf(english, section)) << name << ": [" << section << "]";
    }
}

TEST(ShippedLanguagesTest, GermanTranslatesTheMainWindowItsMessagesAndItsName) {
    MainWindowHarness harness;
    TfrmMain& window = harness.Window();
    ASSERT_EQ(window.engine1->LanguageData, window.clmltlngdt1);
    EXPECT_EQ(window.smLanguage->LanguageData(), window.clmltlngdt1);
    EXPECT_FALSE(window.clmltlngdt1->AutoApply);
    EXPECT_EQ(window.clmltlngdt1->ExcludeProps()->Strings(8), "TEmbeddedWB:");
    EXPECT_EQ(window.engine1->GetLibText("btnOk.Caption"), "&Ok");  // the built-in texts
    EXPECT_EQ(window.btnClearAll->Caption(), "Clear Now");

    window.clmltlngdt1->LoadLanguageFile(harness.PutLanguage("German"));
    EXPECT_EQ(window.btnClearAll->Caption(), "Jetzt bereinigen");
    EXPECT_EQ(window.ItemCheckBox(10)->Caption(), "Papierkorb leeren");
    EXPECT_EQ(window.mniAbout->Caption(), "\xDC&ber");  // Windows-1252, not UTF-8
    EXPECT_EQ(window.skShadowLabel1->Caption(), "Tallowmere");
    EXPECT_EQ(window.engine1->GetAppText("MSGBOX_NoItemChoosed"),
              "Bitte kreuzen Sie zuerst mindestens einen Eintrag an.");
    EXPECT_EQ(window.engine1->GetLibText("TfrmCLAboutForm.Caption"),
              "\xDC"
              "ber Tallowmere");
    EXPECT_EQ(window.clmltlngdt1->CurrentLanguage(), "Deutsch");

    window.clmltlngdt1->LoadLanguageFile(harness.settings.exeDir + "langs\\Missing.lan");
    EXPECT_EQ(window.btnClearAll->Caption(), "Jetzt bereinigen");  // texts already applied stay
    EXPECT_EQ(window.engine1->GetLibText("TfrmCLUpdateForm.Caption").rfind("Update ", 0), 0u)
        << "the built-in texts hold the captions under the keys the windows look up";
    EXPECT_EQ(window.engine1->GetLibText("btnOk.Caption"), "&Ok");
}

TEST(ShippedLanguagesTest, ALanguageFileTranslatesTheWindowButNeverTheEngineSettingsLists) {
    MainWindowHarness harness;
    TfrmMain& window = harness.Window();
    const std::string lists = window.engine1->SettingOverwrite()->Text() + window.engine1->SettingDefault()->Text();
    ASSERT_NE(lists.find("URL.Update="), std::string::npos);
    const std::string path = harness.settings.exeDir + "langs\\Hostile.lan";
    harness.platform.files.files[path] =
        "[TfrmMain]\r\nfrmMain.Caption=Hostile\r\nbtnClearAll.Caption=Weg damit\r\n"
        "engine1.SettingOverwrite=URL.Update=http://127.0.0.1:8765/u/<BR>Update.BeginAuto=1\r\n"
        "ENGINE1.SETTINGDEFAULT=Path.Languages=..\\..\\outside\r\n";
    window.clmltlngdt1->LoadLanguageFile(path);
    window.smLanguage->TranslateComponent(*window.engine1);
    EXPECT_EQ(window.engine1->SettingOverwrite()->Text() + window.engine1->SettingDefault()->Text(), lists);
    EXPECT_EQ(window.Caption(), "Hostile") << "every other text still translates";
    EXPECT_EQ(window.btnClearAll->Caption(), "Weg damit");
}

}  // namespace
}  // namespace tallow::testing
