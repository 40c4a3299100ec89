// The settings store and the Win32 services below it, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>

#include "framework/CLSettings.h"
#include "platform/AtomicFile.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

std::string ScratchFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "tm_" + name + "_" + std::to_string(GetTickCount64()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

TEST(SettingsUnderWine, StoreKeepsItsFileInAFolderNamedAfterTheProgram) {
    const std::string module = WinProcessInfo().ModuleFileName();
    int runTimes = 0;
    {
        TCLSettings settings(DefaultPlatform());
        EXPECT_EQ(settings.ExeDir(), module.substr(0, module.find_last_of('\\') + 1));
        EXPECT_EQ(settings.UserDir(), GetShellFolder("AppData") + "\\" + MangleConfigName(module) + "\\");
        EXPECT_EQ(settings.ReadString("App.Name"), "Tallowmere");  // the shipped const.dat beside the program
        EXPECT_TRUE(WinFiles().Exists(settings.SettingsDir() + "setting.dat"));
        EXPECT_TRUE(WinFiles().Exists(settings.UserDir() + "UserFlag.ini"));
        runTimes = settings.RunTimes();
        settings.WriteString("Wine.Check", "stored");
        settings.SetShowAgainResult(4, 6);
    }
    TCLSettings again(DefaultPlatform());
    EXPECT_EQ(again.RunTimes(), runTimes + 1);
    EXPECT_EQ(again.ReadString("wine.check"), "stored");
    EXPECT_EQ(again.GetShowAgainResult(4), 6);
    EXPECT_FALSE(WinFiles().Exists(again.SettingsDir() + "setting.dat.tmp"));
}

TEST(SettingsUnderWine, WritableFolderPassesTheAccessCheckAndAMissingDriveFails) {
    const std::string folder = ScratchFolder("access");
    EXPECT_TRUE(WinSecurity().CanWriteFolder(folder));
    EXPECT_TRUE(CanWriteFolder(WinFiles(), WinSecurity(), folder + "new\\deeper\\"));
    EXPECT_FALSE(WinSecurity().CanWriteFolder("Q:\\no such folder\\"));
}

TEST(SettingsUnderWine, AtomicRewriteReplacesOrKeepsTheOldFile) {
    const std::string folder = ScratchFolder("atomic");
    const std::string path = folder + "setting.dat";
    ASSERT_TRUE(WriteFileAtomically(WinFiles(), path, "old"));
    ASSERT_TRUE(WriteFileAtomically(WinFiles(), path, "new content"));
    EXPECT_EQ(WinFiles().ReadFile(path), "new content");
    EXPECT_FALSE(WinFiles().Exists(path + ".tmp"));

    ASSERT_TRUE(CreateDirectoryA((path + ".tmp").c_str(), nullptr));  // the temporary file cannot be made
    EXPECT_FALSE(WriteFileAtomically(WinFiles(), path, "lost"));
    EXPECT_EQ(WinFiles().ReadFile(path), "new content");
}

TEST(SettingsUnderWine, FolderCreationTimeIsADayCountNearNow) {
    const std::string folder = ScratchFolder("created");
    auto created = WinFiles().CreationTime(folder);
    ASSERT_TRUE(created.has_value());
    EXPECT_LT(std::abs(*created - WinClock().Now()), 1.0);  // creation time is UTC, now is local
    EXPECT_FALSE(WinFiles().CreationTime(folder + "missing").has_value());
    EXPECT_EQ(WinFiles().LongPathName(folder + "missing"), "");
}

TEST(PlatformUnderWine, NamedMutexIsCreatedOnceAndStaysOpen) {
    const std::string name = "Global\\tallow-test-" + std::to_string(GetTickCount64());
    EXPECT_FALSE(WinKernelObjects().MutexExists(name));
    EXPECT_EQ(WinKernelObjects().CreateNamedMutex(name), MutexResult::Created);
    EXPECT_EQ(WinKernelObjects().CreateNamedMutex(name), MutexResult::AlreadyExists);
    EXPECT_TRUE(WinKernelObjects().MutexExists(name));
}

TEST(PlatformUnderWine, ShellFoldersAndProcessFacts) {
    const std::string key = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    auto appData = WinRegistry().ReadString(RegistryRoot::CurrentUser, key, "AppData");
    ASSERT_TRUE(appData.has_value());
    EXPECT_EQ(GetShellFolder("AppData"), *appData);
    EXPECT_FALSE(WinRegistry().ReadString(RegistryRoot::CurrentUser, key, "No Such Folder").has_value());
    EXPECT_FALSE(GetCommonShellFolder("Common AppData").empty());
    EXPECT_EQ(WinProcessInfo().CurrentProcessId(), GetCurrentProcessId());
    EXPECT_NE(WinProcessInfo().ModuleFileName().find("settings_wine_test.exe"), std::string::npos);
}

}  // namespace
}  // namespace tallow
