// Clipboard, recycle bin and the shipped scripts on the system.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>

#include "cleaning/CleaningActions.h"
#include "cleaning_win/WinTestSupport.h"

namespace tallow::wintest {
namespace {

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 15000) {
    for (int waited = 0; waited < milliseconds; waited += 100) {
        if (condition())
            return true;
        Sleep(100);
    }
    return condition();
}

bool PutTextOnClipboard(const char* text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(memory), text, strlen(text) + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    return true;
}

bool KeyHasValue(const char* key, const char* value) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    bool found = RegQueryValueExA(h, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(h);
    return found;
}

bool KeyExists(const char* key) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

class SystemWinTest : public ::testing::Test {
  protected:
    TFakeSettings settings = TestSettings();
    TCleaningKit kit{TestPlatform(false), settings};
};

TEST_F(SystemWinTest, ClipboardIsEmptiedUnlessAnotherProcessHoldsIt) {
    ASSERT_TRUE(PutTextOnClipboard("secret"));
    kit.cleaners.ClearClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));

    ASSERT_TRUE(PutTextOnClipboard("secret"));
    THelperProcess holder("hold-clipboard");
    ASSERT_TRUE(holder.Ready());
    try {
        kit.cleaners.ClearClipboard();
        ADD_FAILURE() << "no error raised";
    } catch (const EClipboardError& e) {
        EXPECT_STREQ(e.what(), "Cannot open clipboard");
    }
}

// Records the items the run reaches and runs their real actions.
class TRecordingActions : public IClearAllActions {
  public:
    explicit TRecordingActions(TCleaningActions& real) : real_(real) {}
    std::vector<int> ran;
    bool IsFirefoxRunning() override { return real_.IsFirefoxRunning(); }
    void RunAction(int item) override {
        ran.push_back(item);
        real_.RunAction(item);
    }

  private:
    TCleaningActions& real_;
};

class TAllTickedWindow : public IClearAllWindow {
  public:
    int max = 0, value = 0;
    bool visible = false, timer = false;
    std::vector<std::string> messages;
    bool IsItemTicked(int item) override { return item >= kItemClipboard; }
    int GaugeMax() override { return max; }
    void SetGaugeMax(int v) override { max = v; }
    int GaugeValue() override { return value; }
    void SetGaugeValue(int v) override { value = v; }
    void SetGaugeVisible(bool v) override { visible = v; }
    void SetTimerEnabled(bool v) override { timer = v; }
    bool AskYesNo(const std::string&) override { return true; }
    void ShowMessage(const std::string& key) override { messages.push_back(key); }
    void ProcessMessages() override {}
};

TEST_F(SystemWinTest, HeldClipboardStopsTheRunAtItemNine) {
    THelperProcess holder("hold-clipboard");
    ASSERT_TRUE(holder.Ready());
    TRecordingActions actions(kit.actions);
    TAllTickedWindow window;
    TClearAllRun run(window, actions);
    EXPECT_THROW(run.Run(), EClipboardError);
    EXPECT_EQ(actions.ran, std::vector<int>{kItemClipboard});
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(window.timer);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(SystemWinTest, ScriptsRunInTheirOwnFolder) {
    TScratchFolder scratch("scripts");
    MakeFolder(scratch.Path() + "res");
    WriteTextFile(scratch.Path() + "res\\where.bat", "@echo off\r\necho %CD%> where.txt\r\n");
    settings.exeDir = scratch.Path();
    EXPECT_TRUE(kit.cleaners.StartProgram("res\\where.bat", "", true, 15000, true));
    EXPECT_EQ(ReadTextFile(scratch.Path() + "res\\where.txt"), scratch.Path() + "res\r\n");

    EXPECT_FALSE(kit.cleaners.StartProgram("res\\missing.bat", "", true, -1, false));
    kit.cleaners.ClearRunHistory();  // no res\c1.bat here: silent
}

TEST_F(SystemWinTest, ShippedScriptsClearRunHistoryRecentDocumentsTypedAddressesAndFormEntries) {
    const char* runMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
    const char* recentDocs = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
    const char* typedUrls = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
    SetRegistryString(false, runMru, "a", "notepad\\1");
    SetRegistryString(false, runMru, "MRUList", "a");
    SetRegistryString(false, recentDocs, "0", "letter.doc");
    SetRegistryString(false, std::string(recentDocs) + "\\.doc", "0", "letter.doc");
    SetRegistryString(false, typedUrls, "url1", "http://tallow.test/");
    const char* formEntries = "Software\\Microsoft\\Internet Explorer\\IntelliForms\\Storage1";
    SetRegistryString(false, formEntries, "entry1", "typed into a form");
    char appData[MAX_PATH] = {};
    GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
    const std::string recent = std::string(appData) + "\\Microsoft\\Windows\\Recent\\";
    for (const char* folder : {"\\Microsoft", "\\Microsoft\\Windows", "\\Microsoft\\Windows\\Recent"})
        MakeFolder(std::string(appData) + folder);
    WriteTextFile(recent + "letter.doc.lnk", "L");
    ASSERT_TRUE(PathExists(ProgramFolder() + "res\\c1.bat"));

    kit.actions.RunAction(kItemRunHistory);
    kit.actions.RunAction(kItemRecentDocuments);
    kit.actions.RunAction(kItemIEHistory);

    EXPECT_TRUE(WaitFor([&] { return !KeyHasValue(runMru, "a") && !KeyHasValue(runMru, "MRUList"); }));
    EXPECT_TRUE(WaitFor([&] { return !KeyExists(recentDocs) && !PathExists(recent + "letter.doc.lnk"); }));
    EXPECT_TRUE(WaitFor([&] { return !KeyHasValue(typedUrls, "url1") && !KeyHasValue(formEntries, "entry1"); }));
    EXPECT_TRUE(PathExists(recent));
}

TEST_F(SystemWinTest, RecycleBinIsEmptiedWithoutQuestionsAlsoWhenEmpty) {
    TScratchFolder scratch("bin");
    std::string file = scratch.Path() + "recycled.txt";
    WriteTextFile(file, "r");
    std::string from = file + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&op);
    ASSERT_FALSE(PathExists(file));

    kit.cleaners.EmptyRecycleBin();
    SHQUERYRBINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(SUCCEEDED(SHQueryRecycleBinA(nullptr, &info)));
    EXPECT_EQ(info.i64NumItems, 0);
    kit.cleaners.EmptyRecycleBin();  // already empty: no error, no question
}

}  // namespace
}  // namespace tallow::wintest
