// Which mounts are drives, as libmount reads a mount table written here.
#ifndef _WIN32
#include "platform/posix/MountedDrives.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/RegistryStore.h"
#include "support/TempTree.h"
#include "support/TmpfsMount.h"

namespace vellomar {
namespace {

using test::TempTree;
using test::WriteWholeFile;

// Each mount point named by a UUID of its own, as if every file system had one.
std::optional<std::string> UuidPerFolder(const std::string& mountPoint) { return "uuid:" + mountPoint; }

class MountedDrivesTest : public ::testing::Test {
protected:
    std::vector<Drive> DrivesOf(const std::string& mountTable, const BlockDevices& devices = {},
                                const FileSystemNamer& namer = UuidPerFolder) {
        WriteWholeFile(table, mountTable);
        return MountedDrives(table.string(), devices, namer);
    }
    static std::vector<std::string> Roots(const std::vector<Drive>& drives) {
        std::vector<std::string> roots;
        for (const Drive& drive : drives) roots.push_back(drive.root);
        return roots;
    }

    TempTree tree;
    std::filesystem::path table = tree / "mountinfo";
};

TEST_F(MountedDrivesTest, PseudoFileSystemsImagesSwapAndTheSystemsOwnFoldersAreNoDrives) {
    const std::filesystem::path image = tree.AddFile("disk.img", 4096);
    const std::string mountInfo =
        "22 1 8:1 / / rw shared:1 - ext4 /dev/sda1 rw\n"
        "23 22 0:5 / /proc rw - proc proc rw\n"
        "25 22 0:7 / /sys/fs/cgroup rw - cgroup2 cgroup rw\n"
        "27 22 0:9 / /dev/shm rw - tmpfs tmpfs rw\n"
        "28 22 0:10 / /run/user/1000 rw - tmpfs tmpfs rw\n"
        "29 22 8:2 / /home rw shared:2 - ext4 /dev/sda2 rw\n"
        "30 22 8:17 / /media/usb\\040stick rw - vfat /dev/sdb1 rw\n"
        "31 22 0:11 / /tmp rw - tmpfs tmpfs rw\n"
        "32 22 7:1 / /snap/core22/1380 ro - squashfs /dev/loop1 ro\n"
        "33 22 7:2 / /mnt/image rw - ext4 /dev/loop2 rw\n"
        "34 22 0:40 / /var/lib/docker/overlay2/x/merged rw - overlay overlay rw,lowerdir=/a\n"
        "35 22 0:41 / /mnt/auto rw - autofs systemd-1 rw\n"
        "36 22 0:42 / /mnt/lxc rw - fuse.lxcfs lxcfs rw\n"
        "37 22 259:1 / /mnt/opened ro - erofs " + image.string() + " ro\n"
        "38 22 8:3 / /data rw - xfs /dev/sda3 rw\n"
        "39 22 8:3 / /data rw - xfs /dev/sda3 rw\n"            // mounted twice on one folder
        "40 22 8:3 / /srv/data rw - xfs /dev/sda3 rw\n"        // the same folder again elsewhere
        "41 22 8:3 /projects /srv/projects rw - xfs /dev/sda3 rw\n";  // a folder inside it
    BlockDevices devices;
    devices.fileBacked = {"/dev/loop1", "/dev/loop2"};
    const FileSystemNamer sameDisk = [](const std::string& folder) -> std::optional<std::string> {
        return "uuid:" + std::string(folder.find("data") != std::string::npos ||
                                             folder.find("projects") != std::string::npos
                                         ? "data" : folder);
    };
    EXPECT_THAT(Roots(DrivesOf(mountInfo, devices, sameDisk)),
                ::testing::ElementsAre("/", "/data", "/home", "/media/usb stick", "/srv/projects",
                                       "/tmp"));
}

TEST_F(MountedDrivesTest, ALaterMountOnAFolderHidesTheEarlier) {
    const std::vector<Drive> drives = DrivesOf(
        "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "29 22 8:2 / /mnt/x rw - ext4 /dev/sda2 rw\n"
        "30 29 7:3 / /mnt/x ro - squashfs /dev/loop3 ro\n"
        "31 22 7:4 / /mnt/y ro - squashfs /dev/loop4 ro\n"
        "32 31 8:5 / /mnt/y rw - ext4 /dev/sda5 rw\n",
        BlockDevices{{}, {}, {"/dev/loop3", "/dev/loop4"}});
    EXPECT_THAT(Roots(drives), ::testing::ElementsAre("/", "/mnt/y"));
}

struct Facts {
    DriveKind kind;
    std::string label;
    std::string identity;
    bool operator==(const Facts&) const = default;
};

TEST_F(MountedDrivesTest, TellsEachDrivesKindLabelAndWhatItIsRememberedBy) {
    BlockDevices devices;
    devices.removable = {"/dev/sdb", "/dev/sdb1"};
    devices.labelLinks = {{"/dev/sda2", "Home\\x20Disk"}, {"/dev/sr0", "DVD\\x2fROM\\xZZ"},
                          {"/dev/sdb1", "STICK"}};
    const FileSystemNamer namer = [](const std::string& folder) -> std::optional<std::string> {
        if (folder == "/media/plain") return "device:0:51:1:1714563910.000000000";
        if (folder == "/media/old") return "device:8:33:2";
        return "uuid:" + folder.substr(folder.rfind('/') + 1);
    };
    const std::vector<Drive> drives = DrivesOf(
        "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "40 22 0:40 / /mnt/nfs rw - nfs server:/export rw\n"
        "42 22 0:42 / /mnt/smb rw - cifs //filer/shared\\040docs rw\n"
        "44 22 0:44 / /mnt/ssh rw - fuse.sshfs ann@host:/home/ann rw\n"
        "45 22 0:45 / /mnt/ram rw - ramfs ramfs rw\n"
        "46 22 0:46 / /tmp rw - tmpfs tmpfs rw\n"
        "47 22 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
        "48 22 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n"
        "49 22 8:16 / /media/whole rw - exfat /dev/sdb rw\n"
        "50 22 0:51 / /media/plain rw - fuseblk /dev/sdc1 rw\n"
        "51 22 8:33 / /media/old rw - ext2 /dev/sdc2 rw\n"
        "52 22 0:30 /@home /home rw - btrfs /dev/sda2 rw\n",
        devices, namer);
    std::map<std::string, Facts> facts;
    for (const Drive& drive : drives) facts[drive.root] = {drive.kind, drive.label, drive.identity};
    using F = Facts;
    EXPECT_THAT(facts, ::testing::UnorderedElementsAre(
        std::pair{std::string("/"), F{DriveKind::Fixed, "", "uuid:"}},
        std::pair{std::string("/mnt/nfs"), F{DriveKind::Network, "server:/export", "network:server:/export"}},
        std::pair{std::string("/mnt/smb"), F{DriveKind::Network, "//filer/shared docs", "network://filer/shared docs"}},
        std::pair{std::string("/mnt/ssh"), F{DriveKind::Network, "ann@host:/home/ann", "network:ann@host:/home/ann"}},
        std::pair{std::string("/mnt/ram"), F{DriveKind::RamDisk, "", "folder:/mnt/ram"}},
        std::pair{std::string("/tmp"), F{DriveKind::RamDisk, "", "folder:/tmp"}},
        std::pair{std::string("/media/cd"), F{DriveKind::CdRom, "DVD/ROM\\xZZ", "uuid:cd"}},
        std::pair{std::string("/media/stick"), F{DriveKind::Removable, "STICK", "uuid:stick"}},
        std::pair{std::string("/media/whole"), F{DriveKind::Removable, "", "uuid:whole"}},
        // No device to tell it by and no UUID: its folder is all that stays.
        std::pair{std::string("/media/plain"), F{DriveKind::Fixed, "", "folder:/media/plain"}},
        std::pair{std::string("/media/old"), F{DriveKind::Fixed, "", "device:8:33:2"}},
        std::pair{std::string("/home"), F{DriveKind::Fixed, "Home Disk", "uuid:home /@home"}}));
}

TEST_F(MountedDrivesTest, ReadsAnFstabAndNothingFromATableThatIsNotThere) {
    EXPECT_THAT(Roots(DrivesOf("/dev/sda1 / ext4 defaults 0 1\n"
                               "UUID=1234 /home ext4 defaults 0 2\n"
                               "proc /proc proc defaults 0 0\n"
                               "/swapfile none swap sw 0 0\n"
                               "tmpfs /tmp tmpfs defaults 0 0\n")),
                ::testing::ElementsAre("/", "/home", "/tmp"));
    EXPECT_TRUE(MountedDrives((tree / "missing").string(), {}, UuidPerFolder).empty());
}

std::map<std::string, char> LettersByRoot(const DriveTable& table) {
    std::map<std::string, char> letters;
    for (const Drive& drive : table.Drives()) letters[drive.root] = drive.letter;
    return letters;
}

// Other processes may mount and unmount meanwhile: only drives seen both times count.
void ExpectSameLetters(const std::map<std::string, char>& before, const std::map<std::string, char>& after) {
    for (const auto& [root, letter] : before)
        if (after.count(root)) {
            EXPECT_EQ(after.at(root), letter) << root;
        }
}

TEST_F(MountedDrivesTest, TheMachinesDrivesKeepTheirLettersAsAFileSystemComesAndGoes) {
    const RegistryStore store = RegistryStore::OfThisUser(tree.Root().string(), "c:");
    const std::map<std::string, char> before = LettersByRoot(DriveTable::OfThisMachine(store));
    EXPECT_EQ(before.at("/"), 'c');
    // "a" sorts before every mount point but the root.
    const std::string folder = tree.AddFolder("a").string();
    std::map<std::string, char> mounted;
    {
        test::TmpfsMount tmpfs(folder);
        if (!tmpfs) GTEST_SKIP() << test::kNoTmpfs;
        mounted = LettersByRoot(DriveTable::OfThisMachine(store));
    }
    const std::map<std::string, char> after = LettersByRoot(DriveTable::OfThisMachine(store));
    ASSERT_TRUE(mounted.count(folder));
    EXPECT_FALSE(after.count(folder));
    for (const auto& [root, letter] : before) EXPECT_NE(letter, mounted.at(folder)) << root;
    ExpectSameLetters(before, mounted);
    ExpectSameLetters(before, after);
    test::TmpfsMount again(folder);
    EXPECT_EQ(LettersByRoot(DriveTable::OfThisMachine(store)).at(folder), mounted.at(folder));
}

}  // namespace
}  // namespace vellomar
#endif
