// The real program started with the setting "Skin" naming a shipped skin, a
// missing one, or nothing: the window's caption bar shows the skin's colour, and
// a missing skin ends on "Default" in the user's settings file.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "framework/CLSettings.h"
#include "framework/IniDocument.h"
#include "mainform_win/AppDriver_win.h"
#include "support_win/ScratchFiles_win.h"

namespace tallow::testing {
namespace {

// A copy of the program with the shipped folders in a folder of its own, so its
// settings folder (named after the program path) starts empty. `skinLine` goes
// into its const.dat.
class ProgramCopy {
  public:
    ProgramCopy(const std::string& name, const std::string& skinLine) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "tm_skin_" + name + "_" + std::to_string(GetTickCount64()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        exe_ = folder_ + "tallowmere.exe";
        CopyFileA((BinDir() + "tallowmere.exe").c_str(), exe_.c_str(), FALSE);
        for (const char* shipped : {"res", "skins", "langs"}) {
            CopyTree(BinDir() + shipped + "\\", folder_ + shipped + "\\");
        }
        std::string constDat = ReadWholeFile(BinDir() + "const.dat");
        constDat += "\r\n" + skinLine + "\r\n";
        std::ofstream(folder_ + "const.dat", std::ios::binary) << constDat;
    }
    const std::string& Exe() const { return exe_; }
    /// The value of `key` in the settings file the program wrote.
    std::string StoredSetting(const std::string& key) const {
        const std::string name = MangleConfigName(exe_);
        const std::string user = GetShellFolder("AppData") + "\\" + name + "\\";
        auto flag = TIniDocument::Parse(ReadWholeFile(user + "UserFlag.ini")).Find("Flag", "AllUsers");
        const std::string dir =
            flag && *flag == "1" ? GetCommonShellFolder("Common AppData") + "\\" + name + "\\" : user;
        return TIniDocument::Parse(ReadWholeFile(dir + "setting.dat")).Find("setting", key).value_or("<none>");
    }

  private:
    std::string folder_;
    std::string exe_;
};

// The colour of the caption bar near its bottom edge (the gradient's own colour
// there), right of the title, as the screen shows it.
COLORREF CaptionColour(HWND main) {
    SetForegroundWindow(main);
    RECT r;
    GetWindowRect(main, &r);
    Sleep(500);  // let the window paint after coming to the front
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, r.right - 120, r.top + 26);
    ReleaseDC(nullptr, screen);
    return colour;
}

struct ProgramRun {
    COLORREF caption;
    std::string stored;
};

ProgramRun StartWith(const std::string& name, const std::string& skinLine) {
    ProgramCopy copy(name, skinLine);
    AppProcess app(copy.Exe());
    EXPECT_TRUE(app.Started());
    HWND main = app.MainWindow();
    EXPECT_NE(main, nullptr) << name;
    if (!main) {
        return {CLR_INVALID, ""};
    }
    EXPECT_TRUE(WaitUntil([&] { return SendRegistered(main, "CL IfBusy") == 0; })) << name;
    ProgramRun run{CaptionColour(main), ""};
    app.Close();
    run.stored = copy.StoredSetting("Skin");
    return run;
}

TEST(SkinSelectionUnderWine, ShippedSkinChangesTheFrameAndAMissingOneEndsOnDefault) {
    const ProgramRun builtIn = StartWith("builtin", "");
    const ProgramRun slate = StartWith("slate", "Skin=Slate");
    const ProgramRun missing = StartWith("missing", "Skin=NoSuchSkin");

    // The built-in caption is a clear blue; Slate's is a dark blue-grey.
    EXPECT_GT(GetBValue(builtIn.caption), 0x90) << std::hex << builtIn.caption;
    EXPECT_LT(GetRValue(builtIn.caption), 0x50) << std::hex << builtIn.caption;
    EXPECT_LT(GetBValue(slate.caption), 0x60) << std::hex << slate.caption;
    EXPECT_LT(GetRValue(slate.caption), 0x50) << std::hex << slate.caption;
    EXPECT_EQ(missing.caption, builtIn.caption) << "a missing skin keeps the built-in look";

    EXPECT_EQ(builtIn.stored, "Default");
    EXPECT_EQ(slate.stored, "Slate");
    EXPECT_EQ(missing.stored, "Default");
}

}  // namespace
}  // namespace tallow::testing
