// The settings store and the Win32 services below it, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "framework/CLSettings.h"
#include "framework/IniDocument.h"
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

void WriteRaw(const std::string& path, const std::string& content) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    DWORD wrote = 0;
    WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &wrote, nullptr);
    CloseHandle(f);
}

std::string SettingsDirOfThisProgram() {
    return TCLSettings(DefaultPlatform()).SettingsDir();
}

TEST(SettingsUnderWine, LeftOverTemporaryFilesAndFoldersDoNotBlockASave) {
    const std::string file = SettingsDirOfThisProgram() + "setting.dat";
    const std::string readOnly = AtomicTemporaryName(file, GetCurrentProcessId(), 0);
    const std::string folder = AtomicTemporaryName(file, GetCurrentProcessId(), 1);
    const std::string fixed = file + ".tmp";  // the one name earlier versions used
    WriteRaw(readOnly, "stale");
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    WriteRaw(folder + "\\inside", "x");  // a folder with content cannot be cleared
    WriteRaw(fixed, "stale");
    ASSERT_TRUE(SetFileAttributesA(fixed.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        TCLSettings settings(DefaultPlatform());
        settings.WriteString("Wine.Stale", "saved");
        EXPECT_TRUE(settings.Flush());
    }
    EXPECT_EQ(TCLSettings(DefaultPlatform()).ReadString("Wine.Stale"), "saved");
    EXPECT_FALSE(WinFiles().Exists(readOnly));  // cleared on the way
    DeleteFileA((folder + "\\inside").c_str());
    RemoveDirectoryA(folder.c_str());
    SetFileAttributesA(fixed.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(fixed.c_str());
}

TEST(SettingsUnderWine, SettingsFilesWithByteOrderMarksKeepEveryKeyThroughASave) {
    const std::string file = SettingsDirOfThisProgram() + "setting.dat";
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("; kept\r\n[setting]\r\nRunTimes=7\r\nFrom.Utf16=yes\r\n[ShowAgain]\r\n5=0\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    const std::string utf8 = "\xEF\xBB\xBF[setting]\r\nRunTimes=7\r\nFrom.Utf8=yes\r\n[ShowAgain]\r\n5=0\r\n";
    for (const std::string& content : {utf8, utf16}) {
        WriteRaw(file, content);
        {
            TCLSettings settings(DefaultPlatform());
            EXPECT_EQ(settings.RunTimes(), 7);
            settings.WriteString("Wine.Added", "1");
        }
        const std::string saved = *WinFiles().ReadFile(file);
        auto doc = TIniDocument::Parse(saved);
        EXPECT_EQ(doc.Find("setting", "RunTimes"), "8");
        EXPECT_EQ(doc.Find("setting", "Wine.Added"), "1");
        EXPECT_EQ(doc.Find("ShowAgain", "5"), "0");
        EXPECT_EQ(doc.Find("setting", content == utf8 ? "From.Utf8" : "From.Utf16"), "yes");
        EXPECT_EQ(saved.find('\0'), std::string::npos);  // written back as ANSI text
    }
    EXPECT_EQ(WinFiles().ReadFile(file)->rfind("; kept\r\n", 0), 0u);
}

TEST(SettingsUnderWine, TwoStoresWritingAtOnceLoseNoWrite) {
    const int kWrites = 40;
    TCLSettings first(DefaultPlatform());
    TCLSettings second(DefaultPlatform());
    auto writer = [kWrites](TCLSettings* settings, const char* prefix) {
        for (int i = 0; i < kWrites; ++i) {
            settings->WriteString(prefix + std::to_string(i), std::to_string(i));
        }
    };
    std::thread a(writer, &first, "Wine.First.");
    std::thread b(writer, &second, "Wine.Second.");
    a.join();
    b.join();
    auto doc = TIniDocument::Parse(*WinFiles().ReadFile(first.SettingsDir() + "setting.dat"));
    for (int i = 0; i < kWrites; ++i) {
        EXPECT_EQ(doc.Find("setting", "Wine.First." + std::to_string(i)), std::to_string(i));
        EXPECT_EQ(doc.Find("setting", "Wine.Second." + std::to_string(i)), std::to_string(i));
    }
    EXPECT_FALSE(WinFiles().Exists(first.SettingsDir() + "setting.dat.lock"));
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
    EXPECT_FALSE(WinFiles().Exists(AtomicTemporaryName(path, 0, 0)));

    for (int attempt = 0; attempt < kAtomicWriteAttempts; ++attempt) {  // no temporary file can be made
        const std::string blocked = AtomicTemporaryName(path, 0, attempt);
        ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((blocked + "\\inside").c_str(), nullptr));
    }
    EXPECT_FALSE(WriteFileAtomically(WinFiles(), path, "lost"));
    EXPECT_EQ(WinFiles().ReadFile(path), "new content");

    // A reader that holds the file for a moment delays the replace, it does not stop it.
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread closer([reader] {
        Sleep(300);
        CloseHandle(reader);
    });
    EXPECT_TRUE(WriteFileAtomically(WinFiles(), path, "while read", 1));
    closer.join();
    EXPECT_EQ(WinFiles().ReadFile(path), "while read");
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

TEST(PlatformUnderWine, MutexThatDeniesThisUserIsNoRunningInstance) {
    const std::string name = "Global\\tallow-denied-" + std::to_string(GetTickCount64());
    // Everyone denied everything, as for a user beside another user's instance.
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
    alignas(8) char aclBuffer[256];
    ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
    ASSERT_TRUE(InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION));
    ASSERT_TRUE(AddAccessDeniedAce(acl, ACL_REVISION, MUTEX_ALL_ACCESS | GENERIC_ALL, everyone));
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, &descriptor, FALSE};
    HANDLE mutex = CreateMutexA(&attributes, FALSE, name.c_str());
    FreeSid(everyone);
    ASSERT_NE(mutex, nullptr);
    HANDLE opened = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    if (opened) {
        CloseHandle(opened);
        CloseHandle(mutex);
        GTEST_SKIP() << "this Wine grants access that the mutex's security denies";
    }
    EXPECT_EQ(WinKernelObjects().CreateNamedMutex(name), MutexResult::Failed);
    EXPECT_TRUE(WinKernelObjects().MutexExists(name));
    CloseHandle(mutex);
}

TEST(PlatformUnderWine, ShellFoldersComeFromTheRegistryAndTheProcessKnowsItself) {
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
