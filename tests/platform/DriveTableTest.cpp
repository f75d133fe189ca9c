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

struct KindAndLabel {
    DriveKind kind;
    std::string label;
    bool operator==(const KindAndLabel&) const = default;
};

std::vector<std::pair<std::string, KindAndLabel>> KindsByRoot(const DriveTable& table) {
    std::vector<std::pair<std::string, KindAndLabel>> kinds;
    for (const Drive& drive : table.Drives())
        kinds.push_back({drive.root, {drive.kind, drive.label}});
    return kinds;
}

TEST(DriveTable, TellsTheKindOfEachDriveFromItsFileSystemAndDevice) {
    constexpr const char* mountInfo =
        "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "40 22 0:40 / /mnt/nfs rw - nfs server:/export rw\n"
        "41 22 0:41 / /mnt/nfs4 rw - nfs4 server:/ rw\n"
        "42 22 0:42 / /mnt/smb rw - cifs //filer/shared\\040docs rw\n"
        "43 22 0:43 / /mnt/smb3 rw - smb3 //filer/music rw\n"
        "44 22 0:44 / /mnt/ssh rw - fuse.sshfs ann@host:/home/ann rw\n"
        "45 22 0:45 / /mnt/ram rw - ramfs ramfs rw\n"
        "46 22 0:46 / /tmp rw - tmpfs tmpfs rw\n"
        "47 22 11:0 / /media/cd rw - iso9660 /dev/sr0 ro\n"
        "48 22 11:1 / /media/dvd rw - udf /dev/sr1 ro\n"
        "49 22 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n"
        "50 22 8:16 / /media/whole rw - exfat /dev/sdb rw\n"
        "51 22 8:2 / /home rw - ext4 /dev/sda2 rw\n";
    BlockDevices devices;
    devices.removable = {"/dev/sdb", "/dev/sdb1"};
    devices.labelLinks = {{"/dev/sda2", "Home\\x20Disk"}, {"/dev/sr0", "DVD\\x2fROM\\xZZ"},
                          {"/dev/sdb1", "STICK"}};
    using K = KindAndLabel;
    using R = std::pair<std::string, KindAndLabel>;
    EXPECT_THAT(KindsByRoot(DriveTable::FromMountInfo(mountInfo, devices)),
                ::testing::UnorderedElementsAre(
                    R{"/", K{DriveKind::Fixed, ""}},
                    R{"/mnt/nfs", K{DriveKind::Network, "server:/export"}},
                    R{"/mnt/nfs4", K{DriveKind::Network, "server:/"}},
                    R{"/mnt/smb", K{DriveKind::Network, "//filer/shared docs"}},
                    R{"/mnt/smb3", K{DriveKind::Network, "//filer/music"}},
                    R{"/mnt/ssh", K{DriveKind::Network, "ann@host:/home/ann"}},
                    R{"/mnt/ram", K{DriveKind::RamDisk, ""}},
                    R{"/tmp", K{DriveKind::RamDisk, ""}},
                    R{"/media/cd", K{DriveKind::CdRom, "DVD/ROM\\xZZ"}},
                    R{"/media/dvd", K{DriveKind::CdRom, ""}},
                    R{"/media/stick", K{DriveKind::Removable, "STICK"}},
                    R{"/media/whole", K{DriveKind::Removable, ""}},
                    R{"/home", K{DriveKind::Fixed, "Home Disk"}}));
}

TEST(DriveTable, TheMachinesTableAlwaysHasDriveC) {
    const DriveTable table = DriveTable::OfThisMachine();
    const Drive* c = table.Find('C');
    ASSERT_NE(c, nullptr);
#ifdef _WIN32
    EXPECT_EQ(c->root, "C:");
#else
    EXPECT_EQ(c->root, "/");  // the machine's root stands for its system drive
#endif
}

TEST(DriveTable, AssignedLettersReplaceEarlierOnesAndStayInLetterOrder) {
    DriveTable table = DriveTable::FromMountInfo(kMountInfo, {{}, {{"/dev/sda3", "DATA"}}});
    ASSERT_EQ(table.Find('d')->label, "DATA");
    table.Assign('D', "/srv/files/");
    table.Assign('t', "/work");
    ASSERT_NE(table.Find('d'), nullptr);
    EXPECT_EQ(table.Find('d')->root, "/srv/files");
    EXPECT_EQ(table.Find('d')->kind, DriveKind::Fixed);  // an assigned letter is a fixed drive
    EXPECT_EQ(table.Find('d')->label, "");                // without a label
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
