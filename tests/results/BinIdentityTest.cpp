// The garbage bin acts only on what it listed and what it checked, however
// the disk changes meanwhile: item ids that are never given out twice, a
// window listing a bin that another run of the program has changed since, an
// entry swapped for a folder or a link by another process while it is moved
// in, and drive letters that move to other file systems.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include "results/BinWindowCommands.h"
#include "results/GarbageBin.h"
#include "run/Session.h"
#include "support/BinItemPaths.h"
#include "support/Portability.h"
#include "support/RecordingCommands.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/TmpfsMount.h"
#ifndef _WIN32
#include "support/RacingProcess.h"
#endif

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class BinIdentityTest : public ::testing::Test {
protected:
    BinIdentityTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
    }

    fs::path OnDrive(std::string_view relative) const { return tree / "drive" / relative; }
    GarbageBin NewBin() const { return GarbageBin(*platform, session.dataFolder.DataFolderPath); }
    // A platform whose drive e: (and f:, when given) stand for folders of the tree.
    std::unique_ptr<Platform> PlatformWith(const fs::path& e,
                                           const std::optional<fs::path>& f = std::nullopt) {
        DriveTable drives;
        drives.Assign('t', (tree / "drive").generic_string());
        drives.Assign('u', (tree / "home").generic_string());
        drives.Assign('e', e.generic_string());
        if (f) drives.Assign('f', f->generic_string());
        return std::make_unique<Platform>(
            std::move(drives), UserFolders{(tree / "home/.config").generic_string(), "", ""});
    }
    // e:\photos\a.jpg, e: standing for disk, moved into the data folder's
    // bin: no bin can be made on the disk.
    GarbageBin MoveIntoTheDataFoldersBin(const fs::path& disk) {
        test::WriteWholeFile(disk / "Garbage Bin", "no bin can be made here");
        test::WriteWholeFile(disk / "photos/a.jpg", "picture");
        drives = PlatformWith(disk);
        GarbageBin bin(*drives, "u:\\.config\\Velmo");
        EXPECT_EQ(bin.MoveIn("e:\\photos\\a.jpg").outcome, BinOutcome::Done);
        return bin;
    }
    // The bin window's restore of that file refuses for the reason given, and
    // the item stays listed.
    void ExpectRestoreRefused(GarbageBin& bin, const fs::path& disk, const char* reason) {
        BinWindowCommands commands(bin, window, cleaned, reclaimed);
        ASSERT_THAT(test::BinItemPaths(commands.Items()), ElementsAre("e:\\photos\\a.jpg"));
        commands.Highlight(0);
        commands.RestoreFile();
        EXPECT_THAT(window.Texts(), ElementsAre(HasSubstr(reason)));
        EXPECT_FALSE(fs::exists(disk / "photos/a.jpg"));
        EXPECT_EQ(commands.Items().size(), 1u);
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<Platform> drives;  // with e:, once a test gives it
    Session session;
    test::RecordingCommandWindow window;
    std::int32_t cleaned = 0;
    double reclaimed = 0;
};

TEST_F(BinIdentityTest, AStaleBinWindowActsOnNothingThatTookTheListedItemsPlace) {
    test::WriteWholeFile(OnDrive("a/report.txt"), "a's report");
    test::WriteWholeFile(OnDrive("b/report.txt"), "b's report");
    GarbageBin bin = NewBin();
    ASSERT_EQ(bin.MoveIn("t:\\a\\report.txt").outcome, BinOutcome::Done);
    BinWindowCommands stale(bin, window, cleaned, reclaimed);
    ASSERT_THAT(test::BinItemPaths(stale.Items()), ElementsAre("t:\\a\\report.txt"));

    // Another run restores the item; a third moves b's report in.
    GarbageBin second = NewBin();
    ASSERT_EQ(second.Restore(second.Items().at(0)), BinOutcome::Done);
    ASSERT_EQ(NewBin().MoveIn("t:\\b\\report.txt").outcome, BinOutcome::Done);

    stale.Highlight(0);
    stale.DeleteFile();
    EXPECT_THAT(window.Texts(), ElementsAre(HasSubstr("The bin has changed since it was listed")));
    EXPECT_EQ(cleaned, 0);
    EXPECT_THAT(test::BinItemPaths(stale.Items()), ElementsAre("t:\\b\\report.txt"));  // shown afresh
    const std::vector<BinItem> items = NewBin().Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("Garbage Bin") / items[0].id / "report.txt"),
              "b's report");

    // "Restore File" on a row gone stale the same way moves nothing.
    GarbageBin third = NewBin();
    ASSERT_EQ(third.Restore(third.Items().at(0)), BinOutcome::Done);
    ASSERT_EQ(third.MoveIn("t:\\a\\report.txt").outcome, BinOutcome::Done);
    stale.Highlight(0);
    stale.RestoreFile();
    EXPECT_EQ(window.messages.size(), 2u);
    EXPECT_FALSE(fs::exists(OnDrive("a/report.txt")));
    EXPECT_EQ(test::ReadWholeFile(OnDrive("b/report.txt")), "b's report");
    EXPECT_THAT(test::BinItemPaths(NewBin().Items()), ElementsAre("t:\\a\\report.txt"));

    // Nor does "Empty Entire Bin" take what came after the list was read.
    GarbageBin fourth = NewBin();
    ASSERT_EQ(fourth.Restore(fourth.Items().at(0)), BinOutcome::Done);
    ASSERT_EQ(fourth.MoveIn("t:\\b\\report.txt").outcome, BinOutcome::Done);
    stale.EmptyEntireBin();
    EXPECT_THAT(window.Texts().back(),
                HasSubstr("0 out of 1 files have been deleted from the bin. The bin has changed"));
    EXPECT_EQ(cleaned, 0);
    EXPECT_THAT(test::BinItemPaths(stale.Items()), ElementsAre("t:\\b\\report.txt"));
}

TEST_F(BinIdentityTest, ItemIdsAreNeverGivenOutAgain) {
    test::WriteWholeFile(OnDrive("x.tmp"), "x");
    std::vector<std::string> ids;
    GarbageBin bin = NewBin();
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(bin.MoveIn("t:\\x.tmp").outcome, BinOutcome::Done);
        const BinItem item = NewBin().Items().at(0);
        ids.push_back(item.id);
        ASSERT_EQ(bin.Restore(item), BinOutcome::Done);
    }
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_NE(ids[1], ids[2]);
    EXPECT_NE(ids[0], ids[2]);
}

#ifndef _WIN32  // the swaps of the race below
// Stands somewhere else for a while, busy: long enough to be caught there.
void Stay(std::chrono::microseconds span) {
    const auto until = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < until) {}
}

// One round of swapping the entry "x" of a folder with a folder and with a
// link, and back, each standing there for a few microseconds. Whatever a swap
// that could not be undone (the entry was taken away in between) left, the
// round starts from a regular file "x" and its two spares.
void SwapEntryForFolderAndLink(int dir) {
    struct stat info {};
    if (fstatat(dir, "x", &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) {
        unlinkat(dir, "x", S_ISDIR(info.st_mode) ? AT_REMOVEDIR : 0);
        const int fd = openat(dir, "x", O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0) close(fd);
    }
    if (fstatat(dir, "x.folder", &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(info.st_mode)) {
        unlinkat(dir, "x.folder", 0);
        mkdirat(dir, "x.folder", 0755);
    }
    if (fstatat(dir, "x.link", &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(info.st_mode)) {
        unlinkat(dir, "x.link", 0);
        // A round that loses the race to the act is made up by the next.
        [[maybe_unused]] const int planted = symlinkat("/etc/hostname", dir, "x.link");
    }
    for (const char* spare : {"x.folder", "x.link"}) {
        Stay(std::chrono::microseconds(30));
        renameat2(dir, spare, dir, "x", RENAME_EXCHANGE);
        Stay(std::chrono::microseconds(10));
        renameat2(dir, spare, dir, "x", RENAME_EXCHANGE);
    }
}
#endif

TEST_F(BinIdentityTest, AnEntrySwappedForAFolderOrALinkWhileItIsMovedInIsNeverTakenForAFile) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoEntrySwaps;
#else
    tree.AddFolder("drive/race");
    GarbageBin bin = NewBin();
    int moved = 0;
    {
        const int dir = open(OnDrive("race").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        test::RacingProcess swapper([&] { SwapEntryForFolderAndLink(dir); });
        const auto started = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!fs::exists(OnDrive("race/x.link")) && std::chrono::steady_clock::now() < started) {}
        // Bounded by moves and by time, whatever else the machine is doing.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (moved < 100 && std::chrono::steady_clock::now() < giveUp)
            if (bin.MoveIn("t:\\race\\x").outcome == BinOutcome::Done) ++moved;
        close(dir);
    }
    ASSERT_GT(moved, 0);
    // Whatever lies in the bin is listed, and each move told done took a file.
    std::size_t entries = 0;
    int files = 0;
    for (const auto& item : fs::directory_iterator(OnDrive("Garbage Bin"))) {
        if (!item.is_directory()) continue;
        for (const auto& entry : fs::directory_iterator(item.path())) {
            ++entries;
            if (fs::symlink_status(entry.path()).type() == fs::file_type::regular) ++files;
        }
    }
    EXPECT_EQ(files, moved);
    EXPECT_EQ(bin.Items().size(), entries);
#endif
}

TEST_F(BinIdentityTest, WhatTheBinHoldsIsListedEvenWithoutARecordOrAsNoFileAndNeverSweptAway) {
    test::WriteWholeFile(OnDrive("a/x.tmp"), "x");
    test::WriteWholeFile(OnDrive("b/y.tmp"), "y");
    GarbageBin bin = NewBin();
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    ASSERT_EQ(bin.MoveIn("t:\\b\\y.tmp").outcome, BinOutcome::Done);
    std::vector<BinItem> items = bin.Items();
    ASSERT_EQ(items.size(), 2u);
    // x's file was swapped for a folder that could not be put back; y's
    // record is lost.
    const fs::path xFolder = OnDrive("Garbage Bin") / items[0].id;
    fs::remove(xFolder / "x.tmp");
    fs::create_directory(xFolder / "x.tmp");
    fs::remove(OnDrive("Garbage Bin") / (items[1].id + ".ini"));

    bin.SweepUnfinishedMoves(std::chrono::system_clock::now() + std::chrono::hours(48));
    BinWindowCommands commands(bin, window, cleaned, reclaimed);
    ASSERT_THAT(test::BinItemPaths(commands.Items()), ElementsAre("", "t:\\a\\x.tmp"));
    EXPECT_EQ(ListedText(commands.Items()[0]),
              "(origin unknown) t:\\Garbage Bin\\" + items[1].id + "\\y.tmp");
    // Its date is when it came: its record's moment is lost with the record.
    EXPECT_GE(commands.Items()[0].moved, items[1].moved);

    // What has no origin stays in the bin or goes for good; a folder stays.
    commands.Highlight(0);
    commands.RestoreFile();
    commands.Highlight(1);
    commands.DeleteFile();
    EXPECT_THAT(window.Texts(),
                ElementsAre(HasSubstr("the bin holds no record of where it came from"),
                            HasSubstr("it is not a regular file")));
    commands.Highlight(0);
    commands.DeleteFile();
    EXPECT_THAT(test::BinItemPaths(commands.Items()), ElementsAre("t:\\a\\x.tmp"));
    EXPECT_TRUE(fs::is_directory(xFolder / "x.tmp"));
    EXPECT_FALSE(fs::exists(OnDrive("Garbage Bin") / items[1].id));
}

TEST_F(BinIdentityTest, ARestoreFindsItsFileSystemByWhereItIsMountedNotByItsLetter) {
    const fs::path disk = tree.AddFolder("mnt/photos");
    test::WriteWholeFile(disk / "Garbage Bin", "no bin can be made here");
    test::WriteWholeFile(disk / "photos/a.jpg", "picture");
    const auto before = PlatformWith(disk);
    ASSERT_EQ(GarbageBin(*before, "u:\\.config\\Velmo").MoveIn("e:\\photos\\a.jpg").outcome,
              BinOutcome::Done);

    // A file system mounted on a point that sorts earlier takes e:, and the
    // photos' one becomes f:.
    const fs::path earlier = tree.AddFolder("mnt/archive");
    const auto after = PlatformWith(earlier, disk);
    GarbageBin bin(*after, "u:\\.config\\Velmo");
    const std::vector<BinItem> items = bin.Items();
    ASSERT_THAT(test::BinItemPaths(items), ElementsAre("f:\\photos\\a.jpg"));
    ASSERT_EQ(bin.Restore(items[0]), BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(disk / "photos/a.jpg"), "picture");
    EXPECT_FALSE(fs::exists(earlier / "photos"));
}

TEST_F(BinIdentityTest, ARestoreWhoseFileSystemIsNotMountedWhereItWasRefuses) {
    const fs::path point = tree.AddFolder("mnt/usb");
    std::optional<test::TmpfsMount> usb(std::in_place, point);
    if (!*usb) GTEST_SKIP() << test::kNoTmpfs;
    GarbageBin bin = MoveIntoTheDataFoldersBin(point);

    usb.reset();  // unplugged: e: now stands for the empty folder it was mounted on
    ExpectRestoreRefused(bin, point, "the drive it came from is not mounted where it was");
    EXPECT_FALSE(fs::exists(point / "photos"));
}

// A file system without a UUID is known by its device numbers, which the
// next disk mounted from the same slot gets as well: here a second ramfs
// (no UUID, no creation times) where the first was, which takes the same
// anonymous device numbers when no other mount took them meanwhile.
TEST_F(BinIdentityTest, ARestoreRefusesAnotherDiskMountedWhereItsOwnWasFromTheSameDevice) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoTmpfs;
#else
    const fs::path point = tree.AddFolder("mnt/usb");
    std::optional<test::TmpfsMount> first(std::in_place, point, nullptr, "ramfs");
    if (!*first) GTEST_SKIP() << test::kNoTmpfs;
    GarbageBin bin = MoveIntoTheDataFoldersBin(point);

    first.reset();
    const test::TmpfsMount second(point, nullptr, "ramfs");
    ASSERT_TRUE(second);
    tree.AddFolder("mnt/usb/photos");
    ExpectRestoreRefused(bin, point, "the drive it came from is not mounted where it was");
#endif
}

// Older versions named such a file system by its device numbers alone: their
// records are still listed, but cannot show that the disk there now is theirs.
TEST_F(BinIdentityTest, ARecordNamingItsFileSystemByDeviceNumbersAloneIsListedButNotRestored) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows names a volume by its serial number";
#else
    const fs::path disk = tree.AddFolder("mnt/photos");
    GarbageBin bin = MoveIntoTheDataFoldersBin(disk);
    struct stat info;
    ASSERT_EQ(stat(disk.c_str(), &info), 0);
    const fs::path record =
        tree / "home/.config/Velmo/Garbage Bin" / (bin.Items().at(0).id + ".ini");
    std::string text = test::ReadWholeFile(record);
    const std::size_t key = text.find("FileSystem=");
    ASSERT_NE(key, std::string::npos);
    text.replace(key, text.find('\n', key) - key,
                 "FileSystem=device:" + std::to_string(major(info.st_dev)) + ":" +
                     std::to_string(minor(info.st_dev)));
    test::WriteWholeFile(record, text);
    ExpectRestoreRefused(bin, disk, "cannot tell the drive it came from apart from another disk");
#endif
}

}  // namespace
}  // namespace vellomar
