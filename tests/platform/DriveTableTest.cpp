#include "platform/DriveTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/DrivePath.h"
#include "platform/RegistryStore.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

// The drives a machine with these mounts has.
DriveTable SomeDrives() {
    DriveTable table;
    table.Assign('c', "/");
    table.Assign('d', "/data", DriveKind::Fixed, "DATA", "xfs", "uuid:d4");
    table.Assign('e', "/home");
    return table;
}

TEST(DriveTable, TheMachinesTableAlwaysHasDriveC) {
    const test::TempTree tree;
    const DriveTable table = DriveTable::OfThisMachine(RegistryStore::OfThisUser(tree.Root().string(), "c:"));
    const Drive* c = table.Find('C');
    ASSERT_NE(c, nullptr);
#ifdef _WIN32
    EXPECT_EQ(c->root, "C:");
#else
    EXPECT_EQ(c->root, "/");  // the machine's root stands for its system drive
#endif
}

TEST(DriveTable, AssignedLettersReplaceEarlierOnesAndStayInLetterOrder) {
    DriveTable table = SomeDrives();
    ASSERT_EQ(table.Find('d')->label, "DATA");
    table.Assign('D', "/srv/files/");
    table.Assign('t', "/work");
    ASSERT_NE(table.Find('d'), nullptr);
    EXPECT_EQ(table.Find('d')->root, "/srv/files");
    EXPECT_EQ(table.Find('d')->kind, DriveKind::Fixed);  // an assigned letter is a fixed drive
    EXPECT_EQ(table.Find('d')->label, "");                // without a label
    EXPECT_EQ(table.Find('d')->identity, "");             // nor a remembered identity
    EXPECT_EQ(table.Drives().back().letter, 't');
    EXPECT_EQ(table.Find('z'), nullptr);
}

TEST(DriveTable, WritesNativePathsInDriveFormOnTheDriveWithTheLongestRoot) {
    DriveTable table = SomeDrives();
    EXPECT_EQ(table.ToDriveForm("/"), "c:");
    EXPECT_EQ(table.ToDriveForm("/etc/hosts"), "c:\\etc\\hosts");
    EXPECT_EQ(table.ToDriveForm("/home/ann/x.tmp"), "e:\\ann\\x.tmp");
    EXPECT_EQ(table.ToDriveForm("/home"), "e:");
    EXPECT_EQ(table.ToDriveForm("/homework/a"), "c:\\homework\\a");
    EXPECT_EQ(table.ToDriveForm("/home//ann/./b/"), "e:\\ann\\b");
}

TEST(DriveTable, RefusesPathsDriveFormCannotCarryOrNoDriveHolds) {
    DriveTable table = SomeDrives();
    EXPECT_EQ(table.ToDriveForm("/home/a\\b"), std::nullopt);
    DriveTable onlyT;
    onlyT.Assign('t', "/work");
    EXPECT_EQ(onlyT.ToDriveForm("/etc"), std::nullopt);
}

// Windows drives, as the machine's table holds them.
DriveTable LetterDrives() {
    DriveTable table;
    table.Assign('c', "C:");
    table.Assign('d', "D:", DriveKind::Network, "\\\\files\\home");
    table.Assign('z', "Z:", DriveKind::Network);
    return table;
}

TEST(DriveTable, ADriveLetterNamesItsDriveInEitherCase) {
    const DriveTable table = LetterDrives();
    EXPECT_EQ(table.ToDriveForm("c:/Users/ann/AppData/Roaming"), "c:\\Users\\ann\\AppData\\Roaming");
    EXPECT_EQ(table.ToDriveForm("C:/Users/ann"), "c:\\Users\\ann");
    EXPECT_EQ(table.ToDriveForm("d:"), "d:");
    // Only the letter: the names after it are the path's own, kept as written.
    EXPECT_EQ(table.ToDriveForm("c:/USERS"), "c:\\USERS");
    EXPECT_EQ(table.ToDriveForm("e:/x"), std::nullopt);
    EXPECT_FALSE(IsSameOrBelow("C:x", "c:"));
    EXPECT_FALSE(IsSameOrBelow("/data", "/Data"));  // no letter: names compare exactly
}

TEST(DriveTable, AShareNoLetterMapsGetsTheLastFreeLetter) {
    DriveTable table = LetterDrives();
    table.AssignShareOf("//files/profiles/ann/AppData/Roaming");
    const Drive* share = table.Find('y');
    ASSERT_NE(share, nullptr);
    EXPECT_EQ(share->root, "//files/profiles");
    EXPECT_EQ(share->kind, DriveKind::Network);
    EXPECT_EQ(share->label, "\\\\files\\profiles");
    EXPECT_EQ(table.ToDriveForm("//files/profiles/ann/AppData/Roaming"),
              "y:\\ann\\AppData\\Roaming");

    // A path on a drive, a share already held and what names no share change nothing.
    const std::size_t drives = table.Drives().size();
    for (const char* path : {"c:/Users/ann", "//files/profiles/bob", "//files", "//files/",
                             "///x", "/home/ann", "relative/x"}) {
        SCOPED_TRACE(path);
        table.AssignShareOf(path);
        EXPECT_EQ(table.Drives().size(), drives);
    }

    DriveTable full;
    for (char letter = 'c'; letter <= 'z'; ++letter) full.Assign(letter, std::string{letter, ':'});
    full.AssignShareOf("//files/profiles/ann");
    EXPECT_EQ(full.ToDriveForm("//files/profiles/ann"), std::nullopt);
}

TEST(DrivePath, SplitsIntoALowerCaseLetterAndNames) {
    auto parts = SplitDrivePath("C:\\Program Files\\\\Tools\\");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->letter, 'c');
    EXPECT_THAT(parts->names, ::testing::ElementsAre("Program Files", "Tools"));
    EXPECT_TRUE(SplitDrivePath("c:")->names.empty());
}

TEST(DrivePath, RefusesTextsThatAreNoAbsoluteDrivePath) {
    for (const char* text : {"", "c", "1:\\a", "\\a", "c:\\a\\..\\b", "c:\\.", "/etc"})
        EXPECT_FALSE(SplitDrivePath(text)) << text;
}

TEST(DrivePath, RefusesNamesNoFileCanHave) {
    // A '/' would climb or reach below on the native side; a NUL would cut the name short.
    for (std::string_view text : {std::string_view("c:\\a/..\\b"), std::string_view("c:\\a\\b/c"),
                                  std::string_view("c:\\a\\x.txt\0.tmp", 15)})
        EXPECT_FALSE(SplitDrivePath(text)) << text;
}

TEST(DrivePath, FolderPartKeepsItsSeparator) {
    EXPECT_EQ(FolderPartWithSeparator("c:\\a\\b.txt"), "c:\\a\\");
    EXPECT_EQ(LastName("c:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(JoinDrivePath("c:", "x.tmp"), "c:\\x.tmp");
}

}  // namespace
}  // namespace vellomar
