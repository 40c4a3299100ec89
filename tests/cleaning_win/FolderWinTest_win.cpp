// Emptying folders on the system: held and read-only files, links, protected folders.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include "cleaning/uCC.h"
#include "cleaning_win/WinTestSupport.h"
#include "support_win/TempVariable_win.h"

namespace tallow::wintest {
namespace {

using Paths = std::set<std::string>;

TEST(FolderWinTest, TempFolderKeepsOnlyHeldAndReadOnlyFilesAndNeverLinkTargets) {
    TScratchFolder scratch("folders");
    const std::string temp = scratch.Path() + "temp\\";
    const std::string outside = scratch.Path() + "documents\\";
    const std::string emptyOutside = scratch.Path() + "empty-target\\";
    for (const std::string& folder :
         {temp, outside, emptyOutside, temp + "sub\\", temp + "deep\\", temp + "deep\\er\\"})
        MakeFolder(folder);
    WriteTextFile(outside + "thesis.doc", "irreplaceable");
    WriteTextFile(temp + "held.log", "");
    WriteTextFile(temp + "readonly.txt", "r", FILE_ATTRIBUTE_READONLY);
    WriteTextFile(temp + "hidden.tmp", "h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    WriteTextFile(temp + "sub\\held.dat", "");
    WriteTextFile(temp + "sub\\free.dat", "f");
    WriteTextFile(temp + "deep\\er\\x.tmp", "x");
    ASSERT_TRUE(MakeDirectoryLink(temp + "documents-link", outside));
    ASSERT_TRUE(MakeDirectoryLink(temp + "deep\\er\\empty-link", emptyOutside));
    THelperProcess holder("hold-files", {temp + "held.log", temp + "sub\\held.dat"});
    ASSERT_TRUE(holder.Ready());

    TFakeSettings settings = TestSettings();
    TCleaners cleaners(TestPlatform(), settings);
    {
        TTempVariable tempIsOurs(temp);
        cleaners.EmptyTempFolder();
    }

    // A link is removed as a link where the system can open the link itself; Wine
    // cannot, and then the link stays. Its target is never touched either way.
    Paths left = TreeBelow(temp);
    left.erase("documents-link");
    left.erase("deep\\er\\empty-link");
    if (left.count("deep\\er"))
        left.erase("deep\\er"), left.erase("deep");
    EXPECT_EQ(left, (Paths{"held.log", "readonly.txt", "sub", "sub\\held.dat"}));
    EXPECT_EQ(ReadTextFile(outside + "thesis.doc"), "irreplaceable");
    EXPECT_TRUE(PathExists(emptyOutside));
    EXPECT_TRUE(PathExists(temp));
}

TEST(FolderWinTest, NamesThatTheAnsiCodePageTurnsIntoPathsStayInsideTheFolder) {
    TScratchFolder scratch("names");
    const std::string temp = scratch.Path() + "temp\\";
    MakeFolder(temp);
    MakeFolder(scratch.Path() + "victim\\");
    WriteTextFile(scratch.Path() + "victim\\x.txt", "beside the folder");
    // "．．＼victim＼x.txt": listed by the ANSI functions as "..\victim\x.txt" in code page 1252.
    std::wstring hostile = std::wstring(temp.begin(), temp.end()) + L"\xFF0E\xFF0E\xFF3Cvictim\xFF3Cx.txt";
    HANDLE file = CreateFileW(hostile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    TFakeSettings settings = TestSettings();
    TCleaners cleaners(TestPlatform(), settings);
    cleaners.DeleteFolderContents(temp, true);

    EXPECT_EQ(ReadTextFile(scratch.Path() + "victim\\x.txt"), "beside the folder");
    EXPECT_EQ(GetFileAttributesW(hostile.c_str()), INVALID_FILE_ATTRIBUTES) << "the file inside goes";
    EXPECT_TRUE(PathExists(temp));
}

TEST(FolderWinTest, ATemporaryFolderThatLinksToDocumentsLeavesTheDocuments) {
    char documents[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)));
    const std::string letter = std::string(documents) + "\\tallow-letter.txt";
    WriteTextFile(letter, "dear");
    TScratchFolder scratch("temp-link");
    const std::string plain = scratch.Path() + "plain\\";
    MakeFolder(plain);
    WriteTextFile(plain + "a.tmp", "a");
    ASSERT_TRUE(MakeDirectoryLink(scratch.Path() + "to-documents", documents));
    ASSERT_TRUE(MakeDirectoryLink(scratch.Path() + "to-plain", plain));

    TFakeSettings settings = TestSettings();
    TCleaners cleaners(TestPlatform(), settings);
    {
        TTempVariable tempIsALink(scratch.Path() + "to-documents");
        cleaners.EmptyTempFolder();
    }
    EXPECT_EQ(ReadTextFile(letter), "dear");
    DeleteFileA(letter.c_str());

    // A link to a folder that may be emptied empties its target.
    cleaners.DeleteFolderContents(scratch.Path() + "to-plain", true);
    EXPECT_FALSE(PathExists(plain + "a.tmp"));
    EXPECT_TRUE(PathExists(plain));
}

TEST(FolderWinTest, SystemProfileAndRootFoldersAreNeverEmptiedInAnyWriting) {
    TFakeSettings settings = TestSettings();
    TCleaners cleaners(TestPlatform(), settings);
    char windows[MAX_PATH] = {}, shortWindows[MAX_PATH] = {}, profile[MAX_PATH] = {}, documents[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetShortPathNameA(windows, shortWindows, MAX_PATH);
    GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
    std::string profileParent = std::string(profile).substr(0, std::string(profile).find_last_of('\\'));
    std::string lowerWindows = windows;
    CharLowerA(lowerWindows.data());
    for (const std::string& folder : std::vector<std::string>{
             windows, std::string(windows) + "\\", shortWindows, "\\\\?\\" + std::string(windows),
             lowerWindows + "\\system32", profile, profileParent, std::string(profile) + "\\..", documents,
             ProgramFolder(), "C:\\", "c:", "C:/", std::string(windows) + "\\..", "", "relative\\folder"}) {
        EXPECT_FALSE(cleaners.FolderCleaner().MayEmpty(folder)) << folder;
    }
    TScratchFolder scratch("guard");
    EXPECT_TRUE(cleaners.FolderCleaner().MayEmpty(scratch.Path()));
    EXPECT_TRUE(cleaners.FolderCleaner().MayEmpty(std::string(windows) + "\\Temp"));
}

}  // namespace
}  // namespace tallow::wintest
