#include "platform/DriveTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/DrivePath.h"

namespace vellomar {
namespace {

constexpr const char* kMountInfo =
    "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "23 22 0:5 / /proc rw - proc proc rw\n"
    "24 22 0:6 / /sys rw - sysfs sysfs rw\n"
    "25 24 0:7 / /sys/fs/cgroup rw - cgroup2 cgroup rw\n"
    "26 22 0:8 / /dev rw - devtmpfs udev rw\n"
    "27 26 0:9 / /dev/shm rw - tmpfs tmpfs rw\n"
    "28 22 0:10 / /run rw - tmpfs tmpfs rw\n"
    "29 22 8:2 / /home rw shared:2 - ext4 /dev/sda2 rw\n"
    "30 22 8:17 / /media/usb\\040stick rw - vfat /dev/sdb1 rw\n"
    "31 22 0:11 / /tmp rw - tmpfs tmpfs rw\n"
    "32 22 8:3 / /data rw - xfs /dev/sda3 rw\n";

std::vector<std::pair<char, std::string>> Letters(const DriveTable& table) {
    std::vector<std::pair<char, std::string>> letters;
    for (const Drive& drive : table.Drives()) letters.emplace_back(drive.letter, drive.root);
    return letters;
}

TEST(DriveTable, GivesTheRootCAndOtherRealFileSystemsLettersInMountPointOrder) {
    using P = std::pair<char, std::string>;
    EXPECT_THAT(Letters(DriveTable::FromMountInfo(kMountInfo)),
                ::testing::ElementsAre(P{'c', "/"}, P{'d', "/data"}, P{'e', "/home"},
                                       P{'f', "/media/usb stick"}, P{'g', "/tmp"}));
}

TEST(DriveTable, TheMachinesTableAlwaysHasDriveC) {
    const DriveTable table = DriveTable::OfThisMachine();
    const Drive* c = table.Find('C');
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->root, "/");
}

TEST(DriveTable, AssignedLettersReplaceEarlierOnesAndStayInLetterOrder) {
    DriveTable table = DriveTable::FromMountInfo(kMountInfo);
    table.Assign('D', "/srv/files/");
    table.Assign('t', "/work");
    ASSERT_NE(table.Find('d'), nullptr);
    EXPECT_EQ(table.Find('d')->root, "/srv/files");
    EXPECT_EQ(table.Drives().back().letter, 't');
    EXPECT_EQ(table.Find('z'), nullptr);
}

TEST(DriveTable, WritesNativePathsInDriveFormOnTheDriveWithTheLongestRoot) {
    DriveTable table = DriveTable::FromMountInfo(kMountInfo);
    EXPECT_EQ(table.ToDriveForm("/"), "c:");
    EXPECT_EQ(table.ToDriveForm("/etc/hosts"), "c:\\etc\\hosts");
    EXPECT_EQ(table.ToDriveForm("/home/ann/x.tmp"), "e:\\ann\\x.tmp");
    EXPECT_EQ(table.ToDriveForm("/home"), "e:");
    EXPECT_EQ(table.ToDriveForm("/homework/a"), "c:\\homework\\a");
    EXPECT_EQ(table.ToDriveForm("/home//ann/./b/"), "e:\\ann\\b");
}

TEST(DriveTable, RefusesPathsDriveFormCannotCarryOrNoDriveHolds) {
    DriveTable table = DriveTable::FromMountInfo(kMountInfo);
    EXPECT_EQ(table.ToDriveForm("/home/a\\b"), std::nullopt);
    DriveTable onlyT;
    onlyT.Assign('t', "/work");
    EXPECT_EQ(onlyT.ToDriveForm("/etc"), std::nullopt);
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

TEST(DrivePath, FolderPartKeepsItsSeparator) {
    EXPECT_EQ(FolderPartWithSeparator("c:\\a\\b.txt"), "c:\\a\\");
    EXPECT_EQ(LastName("c:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(JoinDrivePath("c:", "x.tmp"), "c:\\x.tmp");
}

}  // namespace
}  // namespace vellomar
