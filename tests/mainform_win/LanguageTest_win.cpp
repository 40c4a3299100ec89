// The language named by the settings, in the real program: a copy of the program
// folder whose const.dat names the language and keeps its own settings folder.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <utility>
#include <vector>

#include "mainform_win/AppDriver_win.h"
#include "online_win/LoopbackServer_win.h"

namespace tallow::testing {
namespace {

// A copy of the program folder in bin\<name>\ whose settings live in their own
// folder <name> and whose setting "Language" is `language`; `more` are further
// name=value settings of its const.dat.
std::string ScratchProgram(const std::string& name,
                           const std::string& language,
                           const std::vector<std::pair<std::string, std::string>>& more = {}) {
    const std::string bin = BinDir();
    const std::string dir = bin + name + "\\";
    for (const char* sub : {"", "res", "langs"}) {
        CreateDirectoryA((dir + sub).c_str(), nullptr);
    }
    const char* files[] = {"tallowmere.exe", "const.dat", "res\\title.png", "langs\\English.lan", "langs\\German.lan"};
    for (const char* file : files) {
        CopyFileA((bin + file).c_str(), (dir + file).c_str(), FALSE);
    }
    const std::string constFile = dir + "const.dat";
    WritePrivateProfileStringA("setting", "App.ConfigPath", name.c_str(), constFile.c_str());
    WritePrivateProfileStringA("setting", "Language", language.c_str(), constFile.c_str());
    for (const auto& [key, value] : more) {
        WritePrivateProfileStringA("setting", key.c_str(), value.c_str(), constFile.c_str());
    }
    return dir + "tallowmere.exe";
}

// The value of `key` in the settings file the copy `name` wrote (for the user or
// for all users, whichever it chose).
std::string StoredSetting(const std::string& name, const std::string& key) {
    for (int folder : {CSIDL_APPDATA, CSIDL_COMMON_APPDATA}) {
        char path[MAX_PATH] = {};
        SHGetFolderPathA(nullptr, folder, nullptr, 0, path);
        const std::string file = std::string(path) + "\\" + name + "\\setting.dat";
        char value[256] = {};
        GetPrivateProfileStringA("setting", key.c_str(), "", value, sizeof value, file.c_str());
        if (value[0] != '\0') {
            return value;
        }
    }
    return "";
}

// The text of the message dialog that a click on the row button of `row` shows;
// the dialog is closed again.
std::string RowMessage(AppProcess& app, HWND main, const std::string& page, const std::string& row) {
    SendMessageA(FindChild(main, "TallowButton", page), BM_CLICK, 0, 0);
    HWND box = FindChild(main, "TallowCheckBox", row);
    HWND button = nullptr;
    RECT boxRect{};
    GetWindowRect(box, &boxRect);
    for (HWND b : Descendants(GetParent(box), "TallowButton")) {
        RECT r;
        GetWindowRect(b, &r);
        button = r.top == boxRect.top ? b : button;
    }
    if (box == nullptr || button == nullptr) {
        return "no row " + row;
    }
    SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
    PostMessageA(button, BM_CLICK, 0, 0);
    std::vector<HWND> dialogs;
    if (!WaitUntil([&] { return !(dialogs = TopWindows(app.Pid(), "TallowMessageDialog")).empty(); })) {
        return "no message";
    }
    std::string text;
    for (HWND w : Descendants(dialogs[0])) {
        if (ClassOf(w) != "TallowButton" && !WindowText(w).empty()) {
            text = WindowText(w);
        }
    }
    PostMessageA(dialogs[0], WM_CLOSE, 0, 0);
    WaitUntil([&] { return TopWindows(app.Pid(), "TallowMessageDialog").empty(); });
    return text;
}

TEST(LanguageTest, GermanSettingTranslatesCaptionsMessagesAndTitle) {
    AppProcess app(ScratchProgram("lang_german", "German"));
    ASSERT_TRUE(app.Started());
    HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return SendRegistered(main, "CL IfBusy") == 0; }));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(main).rfind("Tallowmere  ", 0) == 0; }, 3000)) << WindowText(main);
    EXPECT_NE(FindChild(main, "TallowButton", "Jetzt bereinigen"), nullptr);
    EXPECT_NE(FindChild(main, "TallowButton", "Systemdateien"), nullptr);
    EXPECT_EQ(FindChild(main, "TallowButton", "Clear Now"), nullptr);
    EXPECT_NE(FindChild(main, "TallowCheckBox", "Zwischenablage leeren"), nullptr);
    EXPECT_EQ(RowMessage(app, main, "Systemdateien", "Papierkorb leeren").rfind("Fertig. Der gew", 0), 0u);
    EXPECT_EQ(StoredSetting("lang_german", "Language"), "German");
    app.Close();
}

TEST(LanguageTest, MissingLanguageFileFallsBackToEnglishAndStoresIt) {
    AppProcess app(ScratchProgram("lang_missing", "Klingon"));
    ASSERT_TRUE(app.Started());
    HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return SendRegistered(main, "CL IfBusy") == 0; }));
    EXPECT_NE(FindChild(main, "TallowButton", "Clear Now"), nullptr);
    EXPECT_NE(FindChild(main, "TallowCheckBox", "Empty Recycle Bin"), nullptr);
    EXPECT_EQ(RowMessage(app, main, "System Files", "Empty Recycle Bin"), "[AppRes]MSGBOX_Cleared")
        << "the built-in texts, not a language file";
    EXPECT_EQ(StoredSetting("lang_missing", "Language"), "English");
    app.Close();
}

// Names from the settings that point at a device or out of the program folder,
// and a language file that names the engine's settings lists: the program
// starts, stores the fallbacks, translates, and asks its own update address only.
TEST(LanguageTest, UntrustedNamesAndLanguageFilesNeitherStopTheProgramNorChangeItsSettings) {
    {
        AppProcess app(ScratchProgram("lang_device", "COM1", {{"Skin", "..\\..\\x"}, {"Path.Skins", "C:\\"}}));
        HWND main = app.MainWindow();
        ASSERT_NE(main, nullptr) << "the serial port must not hold the start";
        EXPECT_TRUE(WaitUntil([&] { return SendRegistered(main, "CL IfBusy") == 0; }));
        app.Close();
        EXPECT_EQ(StoredSetting("lang_device", "Language"), "English");
        EXPECT_EQ(StoredSetting("lang_device", "Skin"), "Default");
    }
    TLoopbackServer server;
    TScopedSystemProxy proxy(server);  // every request of the program reaches the server
    const std::string exe =
        ScratchProgram("lang_hostile", "Hostile", {{"Update.BeginAuto", "1"}, {"Update.Days", "0"}});
    std::ofstream(exe.substr(0, exe.rfind('\\')) + "\\langs\\Hostile.lan", std::ios::binary)
        << "[TfrmMain]\r\nbtnClearAll.Caption=Weg damit\r\n"
           "engine1.SettingOverwrite=URL.Update=http://attacker.example/u/<BR>Update.BeginAuto=1\r\n"
           "engine1.SettingDefault=Path.Languages=..\\..\\outside\r\n";
    AppProcess app(exe);
    HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return FindChild(main, "TallowButton", "Weg damit") != nullptr; }));
    ASSERT_TRUE(WaitUntil([&] { return !server.Requests().empty(); })) << "the due update check asks";
    const std::string request = server.Requests()[0].requestLine;
    EXPECT_EQ(request.rfind("GET http://update.tallowmere.example", 0), 0u) << request;
    EXPECT_EQ(request.find("attacker"), std::string::npos) << request;
    app.Close();
    EXPECT_EQ(StoredSetting("lang_hostile", "Language"), "Hostile");
}

}  // namespace
}  // namespace tallow::testing

namespace tallow::testing {
namespace {

// The user's policy value `name` while it lives.
class TScopedUserPolicy {
  public:
    TScopedUserPolicy(const char* name, const char* value) : name_(name) {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_, nullptr);
        RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(std::strlen(value) + 1));
    }
    ~TScopedUserPolicy() {
        RegDeleteValueA(key_, name_);
        RegCloseKey(key_);
    }
    TScopedUserPolicy(const TScopedUserPolicy&) = delete;
    TScopedUserPolicy& operator=(const TScopedUserPolicy&) = delete;

  private:
    static constexpr const char* kKey = "Software\\Policies\\Tallowmere";
    const char* name_;
    HKEY key_ = nullptr;
};

// setting.dat asks for the automatic update check at every start. A policy that
// turns it off wins, and is not written back; without the policy the check asks.
TEST(LanguageTest, PolicyTurnsOffTheAutomaticCheckThatTheStoredSettingsAskFor) {
    TLoopbackServer server;
    TScopedSystemProxy proxy(server);
    const std::string exe = ScratchProgram("policy_update", "English", {{"Update.Days", "0"}});
    // The program keeps its settings in one of these folders; each says 1.
    std::vector<std::string> settingFiles;
    for (int shellFolder : {CSIDL_APPDATA, CSIDL_COMMON_APPDATA}) {
        char path[MAX_PATH] = {};
        SHGetFolderPathA(nullptr, shellFolder, nullptr, 0, path);
        CreateDirectoryA((std::string(path) + "\\policy_update").c_str(), nullptr);
        settingFiles.push_back(std::string(path) + "\\policy_update\\setting.dat");
        WritePrivateProfileStringA("setting", "Update.BeginAuto", "1", settingFiles.back().c_str());
    }
    {
        TScopedUserPolicy policy("Update.BeginAuto", "0");
        AppProcess app(exe);
        HWND main = app.MainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return SendRegistered(main, "CL IfBusy") == 0; }));
        Sleep(3000);
        EXPECT_TRUE(server.Requests().empty()) << server.Requests()[0].requestLine;
        app.Close();
    }
    for (const std::string& file : settingFiles) {
        char value[16] = {};
        GetPrivateProfileStringA("setting", "Update.BeginAuto", "", value, sizeof value, file.c_str());
        EXPECT_STREQ(value, "1") << file << ": the policy is never stored";
    }
    AppProcess app(exe);
    ASSERT_NE(app.MainWindow(), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !server.Requests().empty(); })) << "without the policy the check asks";
    app.Close();
}

}  // namespace
}  // namespace tallow::testing
