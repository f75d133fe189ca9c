#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/Portability.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

class FileSystemTest : public ::testing::Test {
protected:
    FileSystemTest() : files(drives, systemFiles) { drives.Assign('t', tree.Root().generic_string()); }

    test::TempTree tree;
    DriveTable drives;
    SystemFiles systemFiles{SystemFiles::MachineRoot()};
    FileSystem files;
};

TEST_F(FileSystemTest, ResolvesANameInAnyLetterCaseToItsStoredSpelling) {
    tree.AddFile("Docs/Report.TXT", 7);
    auto found = files.Find("t:\\docs\\report.txt", NameMatch::AnyCase);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "Report.TXT");
    EXPECT_EQ(found->info.size, 7);
    EXPECT_EQ(found->info.attributes, attribute::kArchive);
}

TEST_F(FileSystemTest, AnExactNameComesBeforeItsTwinInAnotherLetterCase) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    tree.AddFile("Docs/Report.TXT", 7);
    tree.AddFile("Docs/report.txt", 3);
    EXPECT_EQ(files.Find("t:\\docs\\report.txt", NameMatch::AnyCase)->info.size, 3);
    EXPECT_EQ(files.Find("t:\\DOCS\\Report.TXT", NameMatch::AnyCase)->info.size, 7);
#endif
}

TEST_F(FileSystemTest, AnAmbiguousLetterCaseResolvesToNothingRatherThanAGuess) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    tree.AddFile("A.tmp");
    tree.AddFile("a.TMP");
    EXPECT_FALSE(files.Find("t:\\a.tmp", NameMatch::AnyCase));
    EXPECT_EQ(files.DeleteFile("t:\\a.tmp").outcome, FileOutcome::NotFound);
    EXPECT_TRUE(fs::exists(tree / "A.tmp"));
    EXPECT_TRUE(fs::exists(tree / "a.TMP"));
#endif
}

TEST_F(FileSystemTest, ReportsAttributesOfEveryKindOfEntry) {
    tree.AddFile(".hidden");
    tree.AddFile("ro");
    tree.MakeReadOnly("ro");
    tree.AddFolder("dir");
    PLANT_OR_SKIP(test::PlantLink(tree / "ro", tree / "link"));
    EXPECT_EQ(files.Find("t:\\.hidden", NameMatch::AnyCase)->info.attributes, attribute::kHidden | attribute::kArchive);
    EXPECT_EQ(files.Find("t:\\ro", NameMatch::AnyCase)->info.attributes, attribute::kReadOnly | attribute::kArchive);
    EXPECT_EQ(files.Find("t:\\dir", NameMatch::AnyCase)->info.attributes, attribute::kDirectory);
    EXPECT_EQ(files.Find("t:\\link", NameMatch::AnyCase)->info.attributes & attribute::kSystem, attribute::kSystem);
    EXPECT_FALSE(files.Find("t:", NameMatch::AnyCase));  // a root is no entry
    EXPECT_FALSE(files.Find("x:\\ro", NameMatch::AnyCase));
}

TEST_F(FileSystemTest, ExistenceTellsFilesAndFoldersApart) {
    tree.AddFile("f/x");
    EXPECT_TRUE(files.FileExists("t:\\f\\x", NameMatch::AnyCase));
    EXPECT_FALSE(files.FolderExists("t:\\f\\x", NameMatch::AnyCase));
    EXPECT_TRUE(files.FolderExists("t:\\F", NameMatch::AnyCase));
    EXPECT_FALSE(files.FileExists("t:\\f", NameMatch::AnyCase));
    EXPECT_TRUE(files.FolderExists("t:", NameMatch::AnyCase));
    EXPECT_FALSE(files.FileExists("t:\\f\\y", NameMatch::AnyCase));
}

TEST_F(FileSystemTest, CreatesOneFolderLevelWhoseParentExists) {
    EXPECT_TRUE(files.CreateFolder("t:\\Velmo"));
    EXPECT_TRUE(fs::is_directory(tree / "Velmo"));
    EXPECT_FALSE(files.CreateFolder("t:\\velmo"));  // already there in another case
    EXPECT_FALSE(files.CreateFolder("t:\\a\\b"));
}

TEST_F(FileSystemTest, DeletesWritableRegularFilesOnly) {
    tree.AddFile("go.tmp");
    tree.AddFile("ro.tmp");
    tree.MakeReadOnly("ro.tmp");
    tree.AddFolder("folder.tmp");
    tree.AddFile("target.txt");
    PLANT_OR_SKIP(test::PlantLink(tree / "target.txt", tree / "link.tmp"));

    EXPECT_EQ(files.DeleteFile("t:\\go.tmp").outcome, FileOutcome::Done);
    EXPECT_FALSE(fs::exists(tree / "go.tmp"));
    EXPECT_EQ(files.DeleteFile("t:\\ro.tmp").outcome, FileOutcome::ReadOnly);
    EXPECT_EQ(files.DeleteFile("t:\\folder.tmp").outcome, FileOutcome::NotAFile);
    EXPECT_EQ(files.DeleteFile("t:\\link.tmp").outcome, FileOutcome::NotAFile);
    EXPECT_EQ(files.DeleteFile("t:\\gone.tmp").outcome, FileOutcome::NotFound);
    EXPECT_EQ(files.DeleteFile("t:").outcome, FileOutcome::NotFound);
    EXPECT_TRUE(fs::exists(tree / "ro.tmp"));
    EXPECT_TRUE(fs::exists(tree / "target.txt"));
    EXPECT_TRUE(fs::is_symlink(tree / "link.tmp"));
}

TEST_F(FileSystemTest, ADeletionNeverReachesThroughAFolderReplacedByALink) {
    // Found as t:\cache\x.tmp; then cache is swapped for a link to a folder
    // holding a file of the same name, which must survive.
    tree.AddFile("cache/x.tmp");
    tree.AddFile("precious/x.tmp");
    fs::remove_all(tree / "cache");
    PLANT_OR_SKIP(test::PlantLink(tree / "precious", tree / "cache"));
    EXPECT_EQ(files.DeleteFile("t:\\cache\\x.tmp").outcome, FileOutcome::LinkInPath);
    EXPECT_TRUE(fs::exists(tree / "precious/x.tmp"));

    tree.AddFile("deep/a/b/x.tmp");
    fs::remove_all(tree / "deep/a");
    PLANT_OR_SKIP(test::PlantLink(tree / "precious", tree / "deep/a"));
    tree.AddFile("precious/b/x.tmp");
    EXPECT_EQ(files.DeleteFile("t:\\deep\\a\\b\\x.tmp").outcome, FileOutcome::LinkInPath);
    EXPECT_TRUE(fs::exists(tree / "precious/b/x.tmp"));
}

TEST_F(FileSystemTest, OtherOperationsFollowLinkedFoldersOnTheWay) {
    tree.AddFile("real/config.ini");
    PLANT_OR_SKIP(test::PlantLink(tree / "real", tree / "linked"));
    EXPECT_TRUE(files.FileExists("t:\\linked\\config.ini", NameMatch::AnyCase));
    EXPECT_TRUE(files.FolderExists("t:\\linked", NameMatch::AnyCase));
}

TEST_F(FileSystemTest, NativePathsResolveExistingNamesAndKeepTheRestAsWritten) {
    tree.AddFolder("Home/Ann");
    EXPECT_EQ(files.NativePath("t:\\home\\ann\\New\\x.ini", NameMatch::AnyCase),
              (tree / "Home/Ann/New/x.ini").generic_string());
    EXPECT_EQ(files.NativePath("t:", NameMatch::AnyCase), tree.Root().generic_string());
    EXPECT_EQ(files.NativePath("q:\\x", NameMatch::AnyCase), std::nullopt);
}

TEST_F(FileSystemTest, NamesHoldingASlashOrNulReachNothing) {
    tree.AddFile("drive/a/b.txt");
    tree.AddFile("outside.txt");
    drives.Assign('u', (tree / "drive").generic_string());
    for (std::string_view path : {std::string_view("u:\\a/../../outside.txt"),
                                  std::string_view("u:\\a/b.txt"),
                                  std::string_view("u:\\a\\b.txt\0.tmp", 15)}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(files.Find(path, NameMatch::AnyCase));
        EXPECT_FALSE(files.FileExists(path, NameMatch::AnyCase));
        EXPECT_EQ(files.NativePath(path, NameMatch::AnyCase), std::nullopt);
    }
}

TEST_F(FileSystemTest, TheCurrentFolderIsSetAndReadInDriveForm) {
    tree.AddFolder("Work");
    EXPECT_TRUE(files.SetCurrentFolder("t:\\work"));
    EXPECT_EQ(files.CurrentFolder(), "t:\\Work");
    EXPECT_FALSE(files.SetCurrentFolder("t:\\none"));
}

}  // namespace
}  // namespace vellomar
