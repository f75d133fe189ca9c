// Moving files between folders held open: never over an existing entry, never
// through a link, never out of the folder a name is looked up in.

#include "platform/FileMove.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <filesystem>

#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

class FileMoveTest : public ::testing::Test {
protected:
    FileMoveTest() { drives.Assign('t', tree.Root().string()); }

    FolderHandle Open(std::string_view path) const {
        return FolderHandle::Open(files, path, Folder::Links::Refuse);
    }

    test::TempTree tree;
    DriveTable drives;
    FileSystem files{drives};
};

TEST_F(FileMoveTest, NeverReplacesWhatStandsAtTheTarget) {
    tree.AddFile("from/x", 1);
    tree.AddFile("to/x", 2);
    EXPECT_EQ(MoveFile(Open("t:\\from"), "x", Open("t:\\to"), "x"), FileOutcome::TargetExists);
    EXPECT_EQ(fs::file_size(tree / "from/x"), 1u);
    EXPECT_EQ(fs::file_size(tree / "to/x"), 2u);

    // Across file systems as well, and no part of the copy is left behind.
    tree.AddFolder("other");
    if (mount("none", (tree / "other").c_str(), "tmpfs", 0, nullptr) != 0)
        GTEST_SKIP() << "mounting a file system needs privileges";
    tree.AddFile("other/x", 3);
    const FileOutcome outcome = MoveFile(Open("t:\\from"), "x", Open("t:\\other"), "x");
    const auto left = std::distance(fs::directory_iterator(tree / "other"), {});
    const auto otherSize = fs::file_size(tree / "other/x");
    umount2((tree / "other").c_str(), MNT_DETACH);
    EXPECT_EQ(outcome, FileOutcome::TargetExists);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(otherSize, 3u);
    EXPECT_EQ(fs::file_size(tree / "from/x"), 1u);
}

TEST_F(FileMoveTest, OpensFoldersInAnyLetterCaseButNeverThroughALink) {
    tree.AddFolder("Real/Sub");
    fs::create_directory_symlink(tree / "Real", tree / "via");
    EXPECT_TRUE(Open("t:\\real\\sub"));
    EXPECT_EQ(Open("t:\\via\\Sub").Failure(), FileOutcome::LinkInPath);
    EXPECT_TRUE(FolderHandle::Open(files, "t:\\via\\Sub", Folder::Links::Follow));

    // Missing folders are made on request, but a name never climbs out.
    EXPECT_TRUE(FolderHandle::Open(files, "t:\\Real\\new\\deeper", Folder::Links::Refuse,
                                   FolderHandle::Missing::Create));
    EXPECT_TRUE(fs::is_directory(tree / "Real/new/deeper"));
    EXPECT_FALSE(FolderHandle::Open(files, "t:\\Real\\new/../../..", Folder::Links::Refuse,
                                    FolderHandle::Missing::Create));
    EXPECT_FALSE(Open("t:\\Real").Subfolder(".."));
}

}  // namespace
}  // namespace vellomar
