// Emptying folder trees: links, failed deletions and the folders no cleaner may empty.
#include <gtest/gtest.h>

#include "CleaningFakes.h"
#include "cleaning/FolderCleaner.h"
#include "cleaning/PathGuard.h"
#include "diagnostics/TraceSender.h"
#include "fakes/TraceCapture.h"

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
        files.AddFolder("C:\\Users");
        files.AddFolder("C:\\Users\\me");
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
    EXPECT_EQ(files.Below(docs),
              (Paths{docs, docs + "\\letters", docs + "\\letters\\bank.doc", docs + "\\thesis.doc"}));
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

    EXPECT_EQ(files.Below(temp),
              (Paths{temp, temp + "\\held.log", temp + "\\readonly.txt", temp + "\\sub", temp + "\\sub\\held.dat"}));
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
    for (const char* folder : {"",
                               "Temp",
                               "Users\\me",
                               "C:",
                               "C:\\",
                               "c:/",
                               "\\\\?\\C:\\",
                               "C:\\Windows",
                               "c:\\WINDOWS\\",
                               "\\\\?\\C:\\Windows",
                               "C:\\Windows\\System32",
                               "C:\\Users\\me",
                               "C:/users/ME//",
                               "C:\\Users",
                               "C:\\Users\\me\\..",
                               "C:\\Temp\\..\\Windows",
                               "C:\\Program Files (x86)",
                               "C:\\Program Files\\Tallowmere",
                               "\\\\server\\share",
                               "\\\\server\\share\\",
                               "\\\\?\\UNC\\server\\share"}) {
        EXPECT_FALSE(cleaner.MayEmpty(folder)) << folder;
        cleaner.DeleteFolderContents(folder, true);
    }
    EXPECT_TRUE(files.listed.empty());
    EXPECT_TRUE(files.Exists(docs + "\\thesis.doc"));
    EXPECT_EQ(files.OpenHandles(), 0u);
}

TEST_F(FolderCleanerTest, AcceptsOrdinaryFoldersInEveryWritingAndTheWindowsTemp) {
    files.AddFolder("D:\\Cache");
    files.AddFolder("C:\\Users\\meter");
    files.AddFolder("C:\\Windows\\Temp");
    for (const std::string& folder :
         std::vector<std::string>{temp, temp + "\\", "\\\\?\\" + temp, "c:/users/me/appdata/local/temp", "D:\\Cache",
                                  "C:\\Users\\meter", "C:\\Windows\\Temp"})
        EXPECT_TRUE(cleaner.MayEmpty(folder)) << folder;
    files.noFinalPath.insert(temp);
    EXPECT_FALSE(cleaner.MayEmpty(temp)) << "a folder whose final path is unknown";
    EXPECT_FALSE(cleaner.MayEmpty("D:\\Missing"));
    EXPECT_EQ(files.OpenHandles(), 0u);
}

TEST_F(FolderCleanerTest, ProtectedFoldersAreRefusedThroughLinksAliasesSharesAndLetterCase) {
    files.AddFolder("C:\\Windows");
    files.AddFile("C:\\Windows\\win.ini");
    files.AddLink("C:\\Users\\me\\AppData\\Local\\Temp\\docs-link", docs);
    files.AddLink("C:\\Documents and Settings", "C:\\Users");  // a system junction
    files.AddLink("\\\\localhost\\C$", "C:");                  // an administrative share
    files.AddLink("S:", "C:\\Users\\me");                      // a substituted drive
    for (const char* folder : {"C:\\Users\\me\\AppData\\Local\\Temp\\docs-link", "C:\\Documents and Settings\\me",
                               "c:\\DOCUMENTS AND SETTINGS\\ME\\documents", "\\\\localhost\\C$\\Windows",
                               "\\\\LOCALHOST\\c$\\windows\\", "S:\\Documents", "s:\\documents\\"}) {
        EXPECT_FALSE(cleaner.MayEmpty(folder)) << folder;
        cleaner.DeleteFolderContents(folder, true);
    }
    EXPECT_TRUE(files.Exists(docs + "\\thesis.doc"));
    EXPECT_TRUE(files.Exists("C:\\Windows\\win.ini"));
    EXPECT_TRUE(files.listed.empty());
    // Reached through the alias, an ordinary folder is still emptied.
    files.AddFile(temp + "\\a.tmp");
    cleaner.DeleteFolderContents("C:\\Documents and Settings\\me\\AppData\\Local\\Temp", true);
    EXPECT_FALSE(files.Exists(temp + "\\a.tmp"));
    EXPECT_EQ(files.OpenHandles(), 0u);
}

TEST_F(FolderCleanerTest, ATopFolderThatIsALinkEmptiesItsTargetOnlyWhenTheTargetMayBeEmptied) {
    const std::string scratch = "D:\\Scratch";
    files.AddFolder(scratch);
    files.AddFile(scratch + "\\a.tmp");
    files.AddFolder(scratch + "\\sub");
    files.AddFile(scratch + "\\sub\\b.tmp");
    files.AddLink(temp + "\\to-scratch", scratch);
    files.AddLink(temp + "\\to-docs", docs);
    files.AddLink("D:\\Cache", temp + "\\to-docs");  // a link to a link to Documents

    cleaner.DeleteFolderContents(temp + "\\to-docs", true);
    cleaner.DeleteFolderContents("D:\\Cache", true);
    EXPECT_EQ(files.Below(docs).size(), 4u);

    cleaner.DeleteFolderContents(temp + "\\to-scratch\\", true);
    EXPECT_EQ(files.Below(scratch), Paths{scratch});
    EXPECT_TRUE(files.Exists(temp + "\\to-scratch"));
    EXPECT_EQ(files.OpenHandles(), 0u);
}

TEST_F(FolderCleanerTest, HostileNamesNeverLeaveTheFolder) {
    const std::string victim = "C:\\Users\\me\\AppData\\Local\\victim";
    files.AddFolder(victim);
    files.AddFile(victim + "\\x.txt");
    const std::string fullWidth =
        "\xEF\xBC\x8E\xEF\xBC\x8E\xEF\xBC\xBCvictim\xEF\xBC\xBCx.txt";  // "．．＼victim＼x.txt"
    const std::string yen = "..\xC2\xA5victim\xC2\xA5x.txt";            // "..¥victim¥x.txt"
    files.AddFile(temp + "\\" + fullWidth);
    files.AddFile(temp + "\\" + yen);
    files.AddFile(temp + "\\plain.tmp");
    files.strayNames[temp] = {{"..", file_attr::kDirectory},
                              {"..\\victim", file_attr::kDirectory},
                              {"../victim/x.txt", file_attr::kArchive},
                              {"C:\\Users\\me\\AppData\\Local\\victim\\x.txt", file_attr::kArchive},
                              {"x.txt\x01", file_attr::kArchive}};

    // The ANSI conversion turns these names into paths out of the folder: an ANSI
    // walk joining them to the folder reaches the victim.
    EXPECT_EQ(files.AnsiForm(fullWidth), "..\\victim\\x.txt");
    files.codePage = 932;
    EXPECT_EQ(files.AnsiForm(yen), "..\\victim\\x.txt");
    TFakeFileTree ansiWalk = files;
    EXPECT_TRUE(ansiWalk.DeleteFile(temp + "\\" + ansiWalk.AnsiForm(yen)));
    EXPECT_FALSE(ansiWalk.Exists(victim + "\\x.txt"));
    // The listing by path hands out only names the code page holds exactly.
    Paths listedByPath;
    for (const TFileEntry& entry : files.ListEntries(temp + "\\"))
        listedByPath.insert(entry.name);
    EXPECT_EQ(listedByPath, (Paths{fullWidth, "plain.tmp"}));
    files.codePage = 1252;

    cleaner.DeleteFolderContents(temp, true);

    EXPECT_EQ(files.Below(temp), Paths{temp});
    EXPECT_TRUE(files.Exists(victim + "\\x.txt"));
    EXPECT_FALSE(IsSafeChildName(L"a\tb"));
    EXPECT_FALSE(IsSafeChildName(L"a*b"));
    EXPECT_FALSE(IsSafeChildName(L""));
    EXPECT_TRUE(IsSafeChildName(L"...") && IsSafeChildName(L"\xFF0E\xFF0E"));
}

TEST_F(FolderCleanerTest, AChildSwappedForALinkAfterTheListingIsNeverEntered) {
    for (bool followsLinks : {false, true}) {
        files.followsLinksOnOpen = followsLinks;
        files.AddFolder(temp + "\\sub");
        files.AddFile(temp + "\\after.tmp");
        files.afterListing = [&] { files.AddLink(temp + "\\sub", docs); };
        files.listed.clear();

        cleaner.DeleteFolderContents(temp, true);

        EXPECT_EQ(files.Below(docs).size(), 4u) << followsLinks;
        EXPECT_EQ(files.listed, std::vector<std::string>{temp}) << followsLinks;
        EXPECT_FALSE(files.Exists(temp + "\\after.tmp"));
        // Where the link itself can be opened it is removed; elsewhere it stays.
        EXPECT_EQ(files.Exists(temp + "\\sub"), followsLinks);
        EXPECT_EQ(files.OpenHandles(), 0u);
    }
}

TEST_F(FolderCleanerTest, AFailedListingIsTracedAndNotTakenForAnEmptyFolder) {
    files.AddFolder(temp + "\\locked");
    files.AddFile(temp + "\\locked\\kept.tmp");
    files.unlistable.insert(temp + "\\locked");
    ScopedTraceCapture capture;

    cleaner.DeleteFolderContents(temp, true);

    EXPECT_TRUE(files.Exists(temp + "\\locked\\kept.tmp"));
    ASSERT_EQ(capture.lines.size(), 1u);
    EXPECT_EQ(capture.lines[0].text, "DeleteFolderContents cannot list \\\\?\\" + temp + "\\locked");
}

TEST(PathGuardTest, ComparableFormIgnoresCasePrefixesSlashesAndTrailingBackslashes) {
    EXPECT_EQ(ComparablePath(L"c:/Windows//System32\\"), L"C:\\WINDOWS\\SYSTEM32");
    EXPECT_EQ(ComparablePath(L"\\\\?\\C:\\x\\"), L"C:\\X");
    EXPECT_EQ(ComparablePath(L"\\\\?\\UNC\\srv\\share\\dir"), L"\\\\SRV\\SHARE\\DIR");
    EXPECT_EQ(ComparablePath(L"\\\\srv\\\\share"), L"\\\\SRV\\SHARE");
    EXPECT_TRUE(IsAbsolutePath("C:\\x"));
    EXPECT_TRUE(IsAbsolutePath("\\\\srv\\share"));
    EXPECT_FALSE(IsAbsolutePath("C:x"));
    EXPECT_FALSE(IsAbsolutePath("\\x"));
    EXPECT_FALSE(IsAbsolutePath(""));
}

}  // namespace
}  // namespace tallow
