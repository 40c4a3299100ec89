// The platform's file reads with the real Win32 services: only regular files on
// disk are read, each size checked before a byte is read.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/WinServices.h"

namespace tallow {
namespace {

std::string ScratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tm_files_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

TEST(FilesWinTest, OnlyRegularDiskFilesAreReadAndTheirSizeIsCheckedFirst) {
    IFiles& files = WinFiles();
    const std::string folder = ScratchFolder();
    const std::string file = folder + "English.lan";
    ASSERT_TRUE(files.WriteFile(file, "[Info]\r\nLanguage=English\r\n"));
    CreateDirectoryA((folder + "Folder.lan").c_str(), nullptr);

    struct Case {
        const char* what;
        std::string path;
        std::size_t limit;
        FileReadStatus status;
        bool readWhole;  // what ReadFile, without a limit, makes of it
    };
    const Case cases[] = {
        {"a regular file", file, 1024, FileReadStatus::Read, true},
        {"a file over the limit", file, 8, FileReadStatus::TooLarge, true},
        {"no such file", folder + "Missing.lan", 1024, FileReadStatus::Missing, false},
        {"a folder", folder + "Folder.lan", 1024, FileReadStatus::Failed, false},
        {"the null device", "NUL", 1024, FileReadStatus::Failed, false},
        {"the null device by its device path", "\\\\.\\NUL", 1024, FileReadStatus::Failed, false},
    };
    for (const Case& c : cases) {
        const TFileRead read = files.ReadFileUpTo(c.path, c.limit);
        EXPECT_EQ(read.status, c.status) << c.what;
        EXPECT_EQ(read.content.empty(), c.status != FileReadStatus::Read) << c.what;
        EXPECT_EQ(files.ReadFile(c.path).has_value(), c.readWhole) << c.what;
    }
    EXPECT_EQ(files.ReadFileUpTo(file, 1024).content, "[Info]\r\nLanguage=English\r\n");

    files.RemoveFile(file);
    RemoveDirectoryA((folder + "Folder.lan").c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace tallow
