// The garbage bin when a step of a move fails: the record of where a file
// came from, and across file systems the copy, its check against a file that
// changes meanwhile, and the removal of the original. Whichever step fails,
// going into the bin or coming back out, exactly one whole copy of the file
// is left, where the bin's list says it is, and no partial copy.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/FileMove.h"
#include "results/GarbageBin.h"
#include "run/Session.h"
#include "support/FolderSnapshot.h"
#include "support/PosixProcesses.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/TmpfsMount.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

using test::TmpfsMount;

// A file that may be appended to but neither removed nor renamed, even by
// root, while this lives.
class AppendOnly {
public:
    explicit AppendOnly(const fs::path& file) : fd_(open(file.c_str(), O_RDONLY | O_CLOEXEC)) {
        set_ = fd_ >= 0 && Change(true);
    }
    ~AppendOnly() {
        if (set_) Change(false);
        if (fd_ >= 0) close(fd_);
    }
    explicit operator bool() const { return set_; }

private:
    bool Change(bool on) const {
        int flags = 0;
        if (ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0) return false;
        flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL;
        return ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
    }
    int fd_;
    bool set_ = false;
};

// Overwrites the first byte of a file every 200 microseconds, from a timer
// signal in the middle of whatever the thread is doing, while this lives: a
// program writing to the file while the bin copies it.
class RewrittenMeanwhile {
public:
    explicit RewrittenMeanwhile(const fs::path& file) {
        target_ = open(file.c_str(), O_WRONLY | O_CLOEXEC);
        struct sigaction action {};
        action.sa_handler = [](int) {
            const int error = errno;  // the interrupted code may be about to read it
            [[maybe_unused]] const ssize_t marked = pwrite(target_, "!", 1, 0);
            errno = error;
        };
        action.sa_flags = SA_RESTART;
        sigaction(SIGALRM, &action, &previous_);
        const itimerval every{{0, 200}, {0, 200}};
        setitimer(ITIMER_REAL, &every, nullptr);
    }
    ~RewrittenMeanwhile() {
        const itimerval off{};
        setitimer(ITIMER_REAL, &off, nullptr);
        sigaction(SIGALRM, &previous_, nullptr);
        close(target_);
    }
    RewrittenMeanwhile(const RewrittenMeanwhile&) = delete;
    RewrittenMeanwhile& operator=(const RewrittenMeanwhile&) = delete;

private:
    static inline volatile int target_ = -1;
    struct sigaction previous_ {};
};

// Runs the action in a child process that the kernel kills the moment it
// writes past the size: a crash in the middle of a copy. True when it died so.
bool CrashesWritingPast(std::size_t size, const std::function<void()>& action) {
    const pid_t child = fork();
    if (child == 0) {
        const rlimit noCore{0, 0};
        const rlimit limit{size, size};
        setrlimit(RLIMIT_CORE, &noCore);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
        action();
        _exit(0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFSIGNALED(status) &&
           WTERMSIG(status) == SIGXFSZ;
}

// Adds files of a page each to a new folder until the file system refuses
// room for the next one's data or its entry.
void FillUp(const fs::path& folder) {
    fs::create_directory(folder);
    for (int number = 0;; ++number) {
        const fs::path file = folder / std::to_string(number);
        std::ofstream(file) << std::string(4096, 'f');
        std::error_code full;
        if (fs::file_size(file, full) != 4096) return;
    }
}

constexpr std::size_t kBig = 32 << 20;  // long enough to copy for many timer ticks

class BinFaultsTest : public ::testing::Test {
protected:
    BinFaultsTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
        mounted.emplace(tree.AddFolder("drive/other"));
    }

    fs::path OnDrive(std::string_view relative) const { return tree / "drive" / relative; }
    // The place in the drive's bin of the one file the bin lists.
    fs::path InBin() const { return OnDrive("Garbage Bin") / NewBin().Items().at(0).id / "big.dat"; }
    // The file on a file system of its own, so that the bin on the drive's own
    // one takes it by a copy.
    bool PutOnOtherFileSystem(std::size_t size) {
        if (!*mounted) return false;
        content = std::string(size, 'c');
        test::WriteWholeFile(OnDrive("other/big.dat"), content);
        return true;
    }
    GarbageBin NewBin() const { return GarbageBin(*platform, session.dataFolder.DataFolderPath); }

    // Exactly one file of the name is left below the drive, holding the text,
    // and no partial copy.
    void ExpectOneWholeCopyAt(const fs::path& where, const std::string& text) const {
        std::vector<fs::path> copies;
        for (const auto& entry : fs::recursive_directory_iterator(tree / "drive")) {
            const std::string name = entry.path().filename().string();
            EXPECT_FALSE(name.starts_with(kPartialCopyPrefix)) << entry.path();
            if (name == "big.dat") copies.push_back(entry.path());
        }
        EXPECT_THAT(copies, ElementsAre(where));
        EXPECT_TRUE(test::ReadWholeFile(where) == text) << where;
    }
    // The bin's list shows the file where it is.
    void ExpectListedInBin(bool listed) const {
        EXPECT_EQ(NewBin().Items().size(), listed ? 1u : 0u);
        if (!listed) {
            EXPECT_THAT(test::FolderSnapshot(OnDrive("Garbage Bin")), IsEmpty());
        }
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    std::optional<TmpfsMount> mounted;
    std::string content;
};

TEST_F(BinFaultsTest, ARecordThatCannotBeWrittenStopsTheMoveBeforeTheFileIsTouched) {
    test::WriteWholeFile(OnDrive("a/x.tmp"), "kept");
    GarbageBin bin = NewBin();
    {
        test::FileSizeLimit noRoomForTheRecord(16);
        EXPECT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::RecordNotWritten);
    }
    EXPECT_EQ(test::ReadWholeFile(OnDrive("a/x.tmp")), "kept");
    ExpectListedInBin(false);
}

TEST_F(BinFaultsTest, AFullDrivesBinPassesTheFileToTheDataFoldersBin) {
    // The whole drive on a file system that has run out of room: for new
    // entries (no item folder can be made), or for data (the folder is made,
    // its record cannot be written).
    for (const char* full : {"nr_inodes=64", "size=64k"}) {
        SCOPED_TRACE(full);
        TmpfsMount drive(tree / "drive", full);
        if (!drive) GTEST_SKIP() << test::kNoTmpfs;
        test::WriteWholeFile(OnDrive("a/x.tmp"), "kept");
        tree.AddFolder("drive/Garbage Bin");
        FillUp(OnDrive("filler"));

        GarbageBin bin = NewBin();
        ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
        EXPECT_EQ(test::ReadWholeFile(tree / "home/.config/Velmo/Garbage Bin" /
                                      bin.Items().at(0).id / "x.tmp"),
                  "kept");
        EXPECT_FALSE(fs::exists(OnDrive("a/x.tmp")));
        EXPECT_THAT(test::FolderSnapshot(OnDrive("Garbage Bin")), IsEmpty());
        ASSERT_EQ(bin.Restore(bin.Items().at(0)), BinOutcome::Done);
        EXPECT_EQ(test::ReadWholeFile(OnDrive("a/x.tmp")), "kept");
    }
}

TEST_F(BinFaultsTest, ACrashInTheMiddleOfACopyLeavesTheFileWholeWhereItWas) {
    if (!PutOnOtherFileSystem(300 * 1024)) GTEST_SKIP() << test::kNoTmpfs;
    GarbageBin bin = NewBin();
    ASSERT_TRUE(CrashesWritingPast(100 * 1024, [&] { bin.MoveIn("t:\\other\\big.dat"); }));
    EXPECT_EQ(test::ReadWholeFile(OnDrive("other/big.dat")), content);
    EXPECT_THAT(bin.Items(), IsEmpty());
    // What the crash left in the bin is cleared once it is a day old.
    bin.SweepUnfinishedMoves(std::chrono::system_clock::now() + std::chrono::hours(25));
    EXPECT_THAT(test::FolderSnapshot(OnDrive("Garbage Bin")), IsEmpty());

    // On the way back the file stays whole in the bin, and can be restored
    // again. The cut-off copy beside the target keeps its temporary name,
    // which no file of the user's has.
    ASSERT_EQ(bin.MoveIn("t:\\other\\big.dat").outcome, BinOutcome::Done);
    const BinItem item = bin.Items().at(0);
    ASSERT_TRUE(CrashesWritingPast(100 * 1024, [&] { bin.Restore(item); }));
    EXPECT_FALSE(fs::exists(OnDrive("other/big.dat")));
    EXPECT_EQ(test::ReadWholeFile(InBin()), content);
    ExpectListedInBin(true);
    ASSERT_EQ(bin.Restore(item), BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("other/big.dat")), content);
    ExpectListedInBin(false);
}

TEST_F(BinFaultsTest, WhatAMoveKilledWhileItsRecordIsWrittenLeavesIsSweptADayLater) {
    test::WriteWholeFile(OnDrive("a/x.tmp"), "kept");
    GarbageBin bin = NewBin();
    // The drive's bin is registered by its first move.
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    ASSERT_EQ(bin.Restore(bin.Items().at(0)), BinOutcome::Done);
    // A record is longer than this: its temporary file is being written.
    ASSERT_TRUE(CrashesWritingPast(16, [&] { bin.MoveIn("t:\\a\\x.tmp"); }));
    EXPECT_EQ(test::ReadWholeFile(OnDrive("a/x.tmp")), "kept");
    EXPECT_THAT(bin.Items(), IsEmpty());
    ASSERT_THAT(test::FolderSnapshot(OnDrive("Garbage Bin")), Not(IsEmpty()));
    // And one cut short as it was forgotten: its record outlived its folder.
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    const std::string id = bin.Items().at(0).id;
    ASSERT_EQ(bin.Restore(bin.Items().at(0)), BinOutcome::Done);
    test::WriteWholeFile(OnDrive("Garbage Bin") / (id + ".ini"), "[Garbage Bin]\nId=" + id + "\n");

    const std::vector<std::string> left = test::FolderSnapshot(OnDrive("Garbage Bin"));
    bin.SweepUnfinishedMoves(std::chrono::system_clock::now());
    EXPECT_EQ(test::FolderSnapshot(OnDrive("Garbage Bin")), left);  // perhaps under way
    bin.SweepUnfinishedMoves(std::chrono::system_clock::now() + std::chrono::hours(25));
    EXPECT_THAT(test::FolderSnapshot(OnDrive("Garbage Bin")), IsEmpty());
}

TEST_F(BinFaultsTest, AStrayEmptyItemFolderNeverHidesAFileMovedIn) {
    // Left by something else, or by a bin of older runs that numbered its items.
    tree.AddFolder("drive/Garbage Bin/999999999");
    test::WriteWholeFile(OnDrive("a/x.tmp"), "kept");
    GarbageBin bin = NewBin();
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    std::vector<BinItem> items = bin.Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(bin.Restore(items[0]), BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("a/x.tmp")), "kept");
}

TEST_F(BinFaultsTest, ADiskFillingDuringTheCopyLeavesTheFileWhereItWas) {
    if (!PutOnOtherFileSystem(300 * 1024)) GTEST_SKIP() << test::kNoTmpfs;
    GarbageBin bin = NewBin();
    {
        test::FileSizeLimit full(100 * 1024);
        EXPECT_EQ(bin.MoveIn("t:\\other\\big.dat").outcome, BinOutcome::NoRoom);
    }
    ExpectOneWholeCopyAt(OnDrive("other/big.dat"), content);
    ExpectListedInBin(false);

    // And on the way back: the file stays in the bin.
    ASSERT_EQ(bin.MoveIn("t:\\other\\big.dat").outcome, BinOutcome::Done);
    {
        test::FileSizeLimit full(100 * 1024);
        EXPECT_EQ(bin.Restore(bin.Items().at(0)), BinOutcome::NoRoom);
    }
    ExpectOneWholeCopyAt(InBin(), content);
    ExpectListedInBin(true);
}

TEST_F(BinFaultsTest, AFileChangedWhileItIsCopiedStaysWhereItWas) {
    if (!PutOnOtherFileSystem(kBig)) GTEST_SKIP() << test::kNoTmpfs;
    GarbageBin bin = NewBin();
    {
        RewrittenMeanwhile writer(OnDrive("other/big.dat"));
        EXPECT_EQ(bin.MoveIn("t:\\other\\big.dat").outcome, BinOutcome::Changed);
    }
    content[0] = '!';
    ExpectOneWholeCopyAt(OnDrive("other/big.dat"), content);
    ExpectListedInBin(false);

    ASSERT_EQ(bin.MoveIn("t:\\other\\big.dat").outcome, BinOutcome::Done);
    const fs::path inBin = InBin();
    {
        RewrittenMeanwhile writer(inBin);
        EXPECT_EQ(bin.Restore(bin.Items().at(0)), BinOutcome::Changed);
    }
    ExpectOneWholeCopyAt(inBin, content);
    ExpectListedInBin(true);
}

TEST_F(BinFaultsTest, AnOriginalThatCannotBeRemovedAfterTheCopyKeepsOnlyTheOriginal) {
    if (!PutOnOtherFileSystem(300 * 1024)) GTEST_SKIP() << test::kNoTmpfs;
    GarbageBin bin = NewBin();
    {
        AppendOnly pinned(OnDrive("other/big.dat"));
        if (!pinned) GTEST_SKIP() << "the file system keeps no append-only flag";
        EXPECT_EQ(bin.MoveIn("t:\\other\\big.dat").outcome, BinOutcome::NotPermitted);
    }
    ExpectOneWholeCopyAt(OnDrive("other/big.dat"), content);
    ExpectListedInBin(false);

    ASSERT_EQ(bin.MoveIn("t:\\other\\big.dat").outcome, BinOutcome::Done);
    const fs::path inBin = InBin();
    {
        AppendOnly pinned(inBin);
        if (!pinned) GTEST_SKIP() << "the bin's file system keeps no append-only flag";
        EXPECT_EQ(bin.Restore(bin.Items().at(0)), BinOutcome::NotPermitted);
    }
    ExpectOneWholeCopyAt(inBin, content);
    ExpectListedInBin(true);
}

}  // namespace
}  // namespace vellomar
