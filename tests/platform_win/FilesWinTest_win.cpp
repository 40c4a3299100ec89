// The platform's file reads with the real Win32 services: only regular files on
// disk are read, each size checked before a byte is read.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/WinServices.h"

namespace tallow {
namespace {

TEST(FilesWinTest, OnlyRegularDiskFilesAreReadAndTheirSizeIsCheckedFirst) {
    IFiles& files = WinFiles();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string file = std::string(temp) + "tm_files.lan", folder = std::string(temp) + "tm_files_folder.lan";
    ASSERT_TRUE(files.WriteFile(file, "[Info]\r\n"));
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_EQ(files.ReadFileUpTo(file, 8).content, "[Info]\r\n");
    EXPECT_EQ(files.ReadFileUpTo(file, 7).status, FileReadStatus::TooLarge);
    EXPECT_EQ(files.ReadFileUpTo(file + ".x", 8).status, FileReadStatus::Missing);
    for (const std::string& notAFile : {folder, std::string("NUL"), std::string("\\\\.\\NUL")}) {
        EXPECT_EQ(files.ReadFileUpTo(notAFile, 8).status, FileReadStatus::Failed) << notAFile;
        EXPECT_FALSE(files.ReadFile(notAFile).has_value()) << notAFile;
    }
    files.RemoveFile(file);
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace tallow
