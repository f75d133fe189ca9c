// Every act on an entry reaches the file the search listed, on the file
// system it listed it on, or nothing: a file exchanged into its place, the
// same file saved over, a folder exchanged for another, a file system mounted
// over its folder, each found after the search and before the act, stays
// where and as it is, counts as not removed and keeps its bytes listed.

#include <fcntl.h>
#include <stdio.h>
#include <sys/mount.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "quicksearch/FolderAdmission.h"
#include "results/DeleteToBin.h"
#include "results/Deletion.h"
#include "results/FileDetails.h"
#include "results/GarbageBin.h"
#include "results/LocaleCollation.h"
#include "results/Sorting.h"
#include "run/Session.h"
#include "scan/WalkFolder.h"
#include "support/RacingProcess.h"
#include "support/RecordingCommands.h"
#include "support/RecordingScan.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/TmpfsMount.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

void Exchange(const fs::path& a, const fs::path& b) {
    ASSERT_EQ(renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE), 0) << a;
}

class ListedFileTest : public ::testing::Test {
protected:
    ListedFileTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
    }

    fs::path OnDrive(const std::string& relative) const { return tree / "drive" / relative; }
    // Lists the drive as "Garbage Files" and "0 Byte Files" do.
    void Search() {
        session.scan.ContinueScan = true;
        session.scan.FindGarbage = true;
        session.scan.FindZeroByte = true;
        test::RecordingView view;
        WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:");
    }
    void Delete() {
        DeletionContext context{session, window, window};
        HighlightAllAndDelete(context);
    }
    void MoveToBin() {
        session.results.HighlightAll();
        DeleteToBin(session, window, window);
    }
    std::vector<BinItem> BinItems() const {
        return GarbageBin(*platform, session.dataFolder.DataFolderPath).Items();
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::RecordingCommandWindow window;
};

// --- Another file in the listed file's place ---

TEST_F(ListedFileTest, AFileExchangedIntoTheListedPlaceIsNeitherDeletedNorMovedToTheBin) {
    for (int i = 0; i < 10; ++i) {
        test::WriteWholeFile(OnDrive("a/x" + std::to_string(i) + ".tmp"), "garbage");
        test::WriteWholeFile(OnDrive("a/keep" + std::to_string(i) + ".txt"), "the user's own");
    }
    Search();
    ASSERT_EQ(session.results.Count(), 10u);
    const double listedBytes = session.scan.ScanBytes;
    for (int i = 0; i < 10; ++i)
        Exchange(OnDrive("a/x" + std::to_string(i) + ".tmp"), OnDrive("a/keep" + std::to_string(i) + ".txt"));

    Delete();
    MoveToBin();

    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(test::ReadWholeFile(OnDrive("a/x" + std::to_string(i) + ".tmp")), "the user's own");
    EXPECT_THAT(BinItems(), IsEmpty());
    EXPECT_EQ(session.results.Count(), 10u);
    EXPECT_EQ(session.scan.ScanBytes, listedBytes);
    ASSERT_GE(window.messages.size(), 2u);
    EXPECT_THAT(window.messages[0].second, StartsWith("0 out of 10 files have been removed."));
    EXPECT_THAT(window.messages[1].second, StartsWith("0 out of 10 files have been moved"));
}

TEST_F(ListedFileTest, AnEmptyFileItsProgramSavedOverIsKept) {
    tree.AddFile("drive/app/state.json", 0);
    Search();
    ASSERT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\app\\state.json"));
    // As a program saves its state: a new file written whole, renamed over the old.
    test::WriteWholeFile(OnDrive("app/state.json.new"), std::string(52, 's'));
    fs::rename(OnDrive("app/state.json.new"), OnDrive("app/state.json"));

    Delete();
    MoveToBin();

    EXPECT_EQ(fs::file_size(OnDrive("app/state.json")), 52u);
    EXPECT_THAT(BinItems(), IsEmpty());
}

TEST_F(ListedFileTest, TheListedFileWrittenToSinceIsKept) {
    test::WriteWholeFile(OnDrive("x.tmp"), "old");
    Search();
    ASSERT_EQ(session.results.Count(), 1u);
    // The same file, the same size, a later time: rewritten in place.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    test::WriteWholeFile(OnDrive("x.tmp"), "new");

    Delete();
    MoveToBin();

    EXPECT_EQ(test::ReadWholeFile(OnDrive("x.tmp")), "new");
}

TEST_F(ListedFileTest, FilesOfAFolderExchangedForTheListedOneAreKept) {
    for (const char* name : {"1.tmp", "2.tmp", "3.tmp"}) tree.AddFile(std::string("drive/a/") + name);
    Search();
    ASSERT_EQ(session.results.Count(), 3u);
    for (const char* name : {"1.tmp", "2.tmp", "3.tmp"})
        test::WriteWholeFile(OnDrive(std::string("never-listed/") + name), "kept");
    Exchange(OnDrive("a"), OnDrive("never-listed"));

    Delete();
    MoveToBin();

    for (const char* name : {"1.tmp", "2.tmp", "3.tmp"})
        EXPECT_EQ(test::ReadWholeFile(OnDrive(std::string("a/") + name)), "kept");
    EXPECT_THAT(BinItems(), IsEmpty());
}

TEST_F(ListedFileTest, DetailsAndTheSizeKeyTakeAnExchangedFileForAGoneOne) {
    tree.AddFile("drive/b.tmp", 5);
    tree.AddFile("drive/a.tmp", 10);
    test::WriteWholeFile(OnDrive("other.txt"), std::string(1000, 'o'));
    Search();
    ASSERT_THAT(test::ShownEntries(session.results), testing::UnorderedElementsAre("t:\\a.tmp", "t:\\b.tmp"));
    Exchange(OnDrive("a.tmp"), OnDrive("other.txt"));

    // By size, a.tmp now sorts as a file that is gone (-1), before b.tmp's 5
    // bytes; by the 1000 bytes at its path it would sort after.
    SortList(session.results, platform->Files(), LocaleCollation("C"), SortKind::Size, false);
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\a.tmp", "t:\\b.tmp"));

    session.results.SetCurrent(0);
    ShowFileDetails(session, window, window, [](auto) { return std::string("a date"); });
    EXPECT_FALSE(window.details);
    EXPECT_THAT(window.Texts(), ElementsAre(HasSubstr("not found")));
}

// --- Another file system where the listed file's stood ---

TEST_F(ListedFileTest, AFileSystemMountedOverTheListedFolderIsNotActedIn) {
    for (const char* name : {"1.tmp", "2.tmp", "3.tmp"}) tree.AddFile(std::string("drive/m/") + name);
    Search();
    ASSERT_EQ(session.results.Count(), 3u);
    const test::TmpfsMount mounted(OnDrive("m"));
    if (!mounted) GTEST_SKIP() << test::kNoTmpfs;
    for (const char* name : {"1.tmp", "2.tmp", "3.tmp"})
        test::WriteWholeFile(OnDrive(std::string("m/") + name), "another disk's");

    Delete();
    MoveToBin();

    for (const char* name : {"1.tmp", "2.tmp", "3.tmp"})
        EXPECT_EQ(test::ReadWholeFile(OnDrive(std::string("m/") + name)), "another disk's");
    EXPECT_THAT(BinItems(), IsEmpty());
    EXPECT_EQ(session.results.Count(), 3u);
}

TEST_F(ListedFileTest, BindMountsComingAndGoingDuringADeleteLeaveTheOtherFileSystemsFilesAlone) {
    const fs::path other = tree.AddFolder("other");
    const test::TmpfsMount otherDisk(other);
    if (!otherDisk) GTEST_SKIP() << test::kNoTmpfs;
    constexpr int kFiles = 200;
    for (int i = 0; i < kFiles; ++i) {
        tree.AddFile("drive/m/" + std::to_string(i) + ".tmp");
        test::WriteWholeFile(other / (std::to_string(i) + ".tmp"), "another disk's");
    }
    Search();
    ASSERT_EQ(session.results.Count(), static_cast<std::size_t>(kFiles));
    const std::string target = OnDrive("m").string();
    {
        const test::RacingProcess mounts([&] {
            mount(other.c_str(), target.c_str(), nullptr, MS_BIND, nullptr);
            usleep(1000);
            umount2(target.c_str(), MNT_DETACH);
            usleep(100);
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        Delete();
    }
    umount2(target.c_str(), MNT_DETACH);

    for (int i = 0; i < kFiles; ++i)
        EXPECT_EQ(test::ReadWholeFile(other / (std::to_string(i) + ".tmp")), "another disk's") << i;
}

// --- A racing process exchanging files while they are moved across file systems ---

TEST_F(ListedFileTest, ExchangesRacingAMoveToAnotherFileSystemsBinPutNoKeeperInTheBin) {
    // The data folder's bin on a disk of its own, and no bin on the drive: every move copies.
    const test::TmpfsMount dataDisk(tree / "home/.config/Velmo");
    if (!dataDisk) GTEST_SKIP() << test::kNoTmpfs;
    test::WriteWholeFile(OnDrive("Garbage Bin"), "a file where the drive's bin would be");
    constexpr int kFiles = 300;
    for (int i = 0; i < kFiles; ++i) {
        test::WriteWholeFile(OnDrive("r/x" + std::to_string(i) + ".tmp"), "garbage");
        test::WriteWholeFile(OnDrive("r/keep" + std::to_string(i)), "keeper");
    }
    Search();
    ASSERT_EQ(session.results.Count(), static_cast<std::size_t>(kFiles));
    const std::string folder = OnDrive("r").string();
    {
        const test::RacingProcess exchanges([&] {
            const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            for (int i = 0; i < kFiles; ++i) {
                const std::string x = "x" + std::to_string(i) + ".tmp";
                const std::string keep = "keep" + std::to_string(i);
                renameat2(dir, x.c_str(), dir, keep.c_str(), RENAME_EXCHANGE);
            }
            close(dir);
        });
        MoveToBin();
    }

    for (const BinItem& item : BinItems()) {
        const auto held = platform->Files().NativePath(
            item.binFolder + "\\" + item.id + "\\" + item.name, NameMatch::Exact);
        ASSERT_TRUE(held);
        EXPECT_EQ(test::ReadWholeFile(*held), "garbage") << item.name;
    }
    std::size_t keepers = 0;
    for (const auto& entry : fs::directory_iterator(OnDrive("r")))
        if (test::ReadWholeFile(entry.path()) == "keeper") ++keepers;
    EXPECT_EQ(keepers, static_cast<std::size_t>(kFiles));
}

}  // namespace
}  // namespace vellomar
