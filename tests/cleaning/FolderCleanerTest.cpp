// Emptying folder trees: links, failed deletions and the folders no cleaner may empty.
#include <gtest/gtest.h>

#include "CleaningFakes.h"
#include "cleaning/FolderCleaner.h"
#include "cleaning/PathGuard.h"

namespace tallow {
namespace {

using Paths = std::set<std::string>;

class FolderCleanerTest : public ::testing::Test {
protected:
    TFakeFileTree files;
    TFakeSystemFolders system;
    TFolderCleaner cleaner{files, system};
    const std::string temp = "C:\\Users\\me\\AppData\\Local\\Temp";
    const std::string docs = "C:\\Users\\me\\Documents";
    const std::string empty = "C:\\Users\\me\\Empty";

    void SetUp() override {
        files.AddFolder(docs);
        files.AddFile(docs + "\\thesis.doc");
        files.AddFolder(docs + "\\letters");
        files.AddFile(docs + "\\letters\\bank.doc");
        files.AddFolder(temp);
        files.AddFolder(empty);
    }
};

TEST_F(FolderCleanerTest, RemovesDirectoryLinksAtEveryDepthWithoutEnteringThem) {
    files.AddFile(temp + "\\a.tmp");
    files.AddLink(temp + "\\docs-link", docs);
    files.AddLink(temp + "\\empty-link", empty);
    files.AddFolder(temp + "\\x");
    files.AddFolder(temp + "\\x\\y");
    files.AddLink(temp + "\\x\\y\\deep-link", docs);
    files.AddFile(temp + "\\x\\y\\b.tmp", file_attr::kHidden | file_attr::kSystem);

    EXPECT_TRUE(cleaner.DeleteFolderContents(temp + "\\", true));

    EXPECT_EQ(files.Below(temp), Paths{temp});
    EXPECT_TRUE(files.Exists(empty)) << "an empty link target stays too";
    EXPECT_EQ(files.Below(docs), (Paths{docs, docs + "\\letters", docs + "\\letters\\bank.doc", docs + "\\thesis.doc"}));
    for (const std::string& folder : files.listed)
        EXPECT_EQ(folder.find("link"), std::string::npos) << "entered " << folder;
    EXPECT_EQ(std::count(files.listed.begin(), files.listed.end(), docs), 0);
}

TEST_F(FolderCleanerTest, FailedDeletionsLeaveOnlyWhatIsHeldAndTheWalkGoesOn) {
    files.AddFile(temp + "\\held.log", file_attr::kArchive, /*locked=*/true);
    files.AddFile(temp + "\\readonly.txt", file_attr::kReadOnly);
    files.AddFolder(temp + "\\sub");
    files.AddFile(temp + "\\sub\\held.dat", file_attr::kArchive, true);
    files.AddFile(temp + "\\sub\\free.dat");
    files.AddFolder(temp + "\\sub\\empty");
    files.AddFile(temp + "\\zz-last.tmp");

    cleaner.DeleteFolderContents(temp, true);

    EXPECT_EQ(files.Below(temp), (Paths{temp, temp + "\\held.log", temp + "\\readonly.txt", temp + "\\sub",
                                        temp + "\\sub\\held.dat"}));
}

TEST_F(FolderCleanerTest, WithoutRecursionOnlyTheFilesGo) {
    files.AddFile(temp + "\\a.tmp");
    files.AddFolder(temp + "\\sub");
    files.AddFile(temp + "\\sub\\b.tmp");
    files.AddLink(temp + "\\link", docs);

    cleaner.DeleteFolderContents(temp, false);

    EXPECT_EQ(files.Below(temp), (Paths{temp, temp + "\\link", temp + "\\sub", temp + "\\sub\\b.tmp"}));
    EXPECT_EQ(files.listed, std::vector<std::string>{temp});
}

TEST_F(FolderCleanerTest, RefusesRootsSystemAndProfileFoldersAndFoldersAboveThem) {
    files.longForms["C:\\WINDOW~1"] = "C:\\Windows";
    files.longForms["C:\\Users\\me\\.."] = "C:\\Users";
    for (const char* folder :
         {"", "Temp", "Users\\me", "C:", "C:\\", "c:/", "\\\\?\\C:\\", "C:\\Windows", "c:\\WINDOWS\\",
          "\\\\?\\C:\\Windows", "C:\\WINDOW~1", "C:\\Users\\me", "C:/users/ME//", "C:\\Users", "C:\\Users\\me\\..",
          "C:\\Temp\\..\\Windows", "\\\\server\\share", "\\\\server\\share\\", "\\\\?\\UNC\\server\\share"}) {
        EXPECT_FALSE(cleaner.MayEmpty(folder)) << folder;
        cleaner.DeleteFolderContents(folder, true);
    }
    EXPECT_TRUE(files.listed.empty());
    EXPECT_TRUE(files.Exists(docs + "\\thesis.doc"));
}

TEST_F(FolderCleanerTest, AcceptsOrdinaryFoldersInEveryWriting) {
    for (const std::string& folder : std::vector<std::string>{temp, temp + "\\", "\\\\?\\" + temp, "c:/users/me/appdata/local/temp",
                                      std::string("D:\\Cache"), std::string("\\\\server\\share\\cache"),
                                      std::string("C:\\WindowsApps"), std::string("C:\\Users\\meter")})
        EXPECT_TRUE(cleaner.MayEmpty(folder)) << folder;
}

TEST(PathGuardTest, ComparableFormIgnoresCasePrefixesSlashesAndTrailingBackslashes) {
    EXPECT_EQ(ComparablePath("c:/Windows//System32\\"), "C:\\WINDOWS\\SYSTEM32");
    EXPECT_EQ(ComparablePath("\\\\?\\C:\\x\\"), "C:\\X");
    EXPECT_EQ(ComparablePath("\\\\?\\UNC\\srv\\share\\dir"), "\\\\SRV\\SHARE\\DIR");
    EXPECT_EQ(ComparablePath("\\\\srv\\\\share"), "\\\\SRV\\SHARE");
    EXPECT_TRUE(IsAbsolutePath("C:\\x"));
    EXPECT_TRUE(IsAbsolutePath("\\\\srv\\share"));
    EXPECT_FALSE(IsAbsolutePath("C:x"));
    EXPECT_FALSE(IsAbsolutePath("\\x"));
    EXPECT_FALSE(IsAbsolutePath(""));
}

}  // namespace
}  // namespace tallow
