// Moving files between folders held open: never over an existing entry, never
// through a link, never out of the folder a name is looked up in.

#include "platform/FileMove.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileSystem.h"
#include "platform/OpenedFile.h"
#include "support/Portability.h"
#include "support/TempTree.h"
#include "support/TmpfsMount.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

class FileMoveTest : public ::testing::Test {
protected:
    FileMoveTest() { drives.Assign('t', tree.Root().generic_string()); }

    Folder Open(std::string_view path) const {
        return files.EnterFolder(path, NameMatch::AnyCase, Folder::Links::Refuse);
    }

    test::TempTree tree;
    DriveTable drives;
    SystemFiles systemFiles{SystemFiles::MachineRoot()};
    FileSystem files{drives, systemFiles};
};

TEST_F(FileMoveTest, NeverReplacesWhatStandsAtTheTarget) {
    tree.AddFile("from/x", 1);
    tree.AddFile("to/x", 2);
    EXPECT_EQ(MoveFile(Open("t:\\from"), "x", Open("t:\\to"), "x", EntryCheck{}), FileOutcome::TargetExists);
    EXPECT_EQ(fs::file_size(tree / "from/x"), 1u);
    EXPECT_EQ(fs::file_size(tree / "to/x"), 2u);

    // Across file systems as well, and no part of the copy is left behind.
    tree.AddFolder("other");
    const test::TmpfsMount other(tree / "other");
    if (!other) GTEST_SKIP() << test::kNoTmpfs;
    tree.AddFile("other/x", 3);
    EXPECT_EQ(MoveFile(Open("t:\\from"), "x", Open("t:\\other"), "x", EntryCheck{}),
              FileOutcome::TargetExists);
    EXPECT_EQ(std::distance(fs::directory_iterator(tree / "other"), {}), 1);
    EXPECT_EQ(fs::file_size(tree / "other/x"), 3u);
    EXPECT_EQ(fs::file_size(tree / "from/x"), 1u);
}

TEST_F(FileMoveTest, OpensFoldersInAnyLetterCaseButNeverThroughALink) {
    tree.AddFolder("Real/Sub");
    PLANT_OR_SKIP(test::PlantLink(tree / "Real", tree / "via"));
    EXPECT_TRUE(Open("t:\\real\\sub"));
    EXPECT_EQ(Open("t:\\via\\Sub").Failure(), FileOutcome::LinkInPath);
    EXPECT_TRUE(files.EnterFolder("t:\\via\\Sub", NameMatch::AnyCase, Folder::Links::Follow));

    // Missing folders are made on request, but a name never climbs out.
    EXPECT_TRUE(files.EnterFolder("t:\\Real\\new\\deeper", NameMatch::AnyCase, Folder::Links::Refuse,
                                   Folder::Missing::Create));
    EXPECT_TRUE(fs::is_directory(tree / "Real/new/deeper"));
    EXPECT_FALSE(files.EnterFolder("t:\\Real\\new/../../..", NameMatch::AnyCase, Folder::Links::Refuse,
                                    Folder::Missing::Create));
    EXPECT_FALSE(Open("t:\\Real").OpenSubfolder(".."));
}

TEST_F(FileMoveTest, FilesAreWrittenInTheFolderHeldOpenWhateverItsPathNamesNow) {
    tree.AddFolder("bin");
    tree.AddFolder("outside");
    const Folder bin = Open("t:\\bin");
    // The folder is moved away and a link to another put in its place.
    fs::rename(tree / "bin", tree / "moved");
    PLANT_OR_SKIP(test::PlantLink(tree / "outside", tree / "bin"));
    EXPECT_EQ(bin.ReplaceFile("1.ini", "record"), FileOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(tree / "moved/1.ini"), "record");
    EXPECT_EQ(bin.ReadSmallFile("1.ini", 100), "record");
    EXPECT_TRUE(fs::is_empty(tree / "outside"));

    // A link of the file's name is replaced, never written through or read.
    test::WriteWholeFile(tree / "outside/2.ini", "canary");
    PLANT_OR_SKIP(test::PlantLink(tree / "outside/2.ini", tree / "moved/2.ini"));
    EXPECT_EQ(bin.ReadSmallFile("2.ini", 100), std::nullopt);
    EXPECT_EQ(bin.ReplaceFile("2.ini", "record"), FileOutcome::Done);
    EXPECT_FALSE(fs::is_symlink(tree / "moved/2.ini"));
    EXPECT_EQ(test::ReadWholeFile(tree / "outside/2.ini"), "canary");
}

TEST_F(FileMoveTest, SmallFilesAreReadOnlyWhenTheyAreWholeRegularFiles) {
    tree.AddFolder("f/sub");
    test::WriteWholeFile(tree / "f/long", std::string(101, 'x'));
    PLANT_OR_SKIP(test::PlantNamedPipe(tree / "f/pipe"));
    const Folder folder = Open("t:\\f");
    EXPECT_EQ(folder.ReadSmallFile("long", 101), std::string(101, 'x'));
    EXPECT_EQ(folder.ReadSmallFile("long", 100), std::nullopt);
    EXPECT_EQ(folder.ReadSmallFile("pipe", 100), std::nullopt);  // and does not wait for a writer
    EXPECT_EQ(folder.ReadSmallFile("sub", 100), std::nullopt);
    EXPECT_EQ(folder.ReadSmallFile("missing", 100), std::nullopt);
    EXPECT_EQ(folder.ReadSmallFile("../f/long", 1000), std::nullopt);

    // A replacement that fails leaves the folder as it was.
    EXPECT_NE(folder.ReplaceFile("sub", "text"), FileOutcome::Done);
    EXPECT_NE(folder.ReplaceFile("../escape", "text"), FileOutcome::Done);
    EXPECT_EQ(std::distance(fs::directory_iterator(tree / "f"), {}), 3);
    EXPECT_FALSE(fs::exists(tree / "escape"));
}

TEST_F(FileMoveTest, EveryActOnANameStaysInsideTheFolder) {
    tree.AddFile("f/sub/x", 3);
    tree.AddFile("x", 4);
    const Folder folder = Open("t:\\f");
    for (const char* name : {"sub/x", "../x", "..", ".", ""}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(folder.LookUp(name));
        EXPECT_FALSE(folder.Status(name));
        EXPECT_FALSE(folder.OpenFile(name));
        EXPECT_EQ(folder.RemoveFile(name).outcome, FileOutcome::NotFound);
        EXPECT_FALSE(folder.CreateSubfolder(std::string(name) + "/new"));
    }
    EXPECT_FALSE(folder.LookUp(std::string_view("sub\0x", 5)));
    EXPECT_TRUE(fs::exists(tree / "f/sub/x"));
    EXPECT_TRUE(fs::exists(tree / "x"));
    EXPECT_EQ(folder.Status("sub")->kind, EntryKind::Folder);
}

}  // namespace
}  // namespace vellomar
