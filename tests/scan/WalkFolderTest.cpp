#include "scan/WalkFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "quicksearch/FolderAdmission.h"
#include "run/Session.h"
#include "support/RecordingScan.h"
#include "support/Portability.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/TmpfsMount.h"
#ifndef _WIN32
#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using test::RecordingView;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

class WalkFolderTest : public ::testing::Test {
protected:
    WalkFolderTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        session.scan.ContinueScan = true;
    }

    void Add(const std::vector<std::string>& lines) {
        std::vector<std::string> onDrive;
        for (const auto& line : lines) onDrive.push_back("drive/" + line);
        tree.AddAll(onDrive);
    }
    fs::path OnDrive(std::string_view relative) const { return tree / "drive" / relative; }
    std::vector<std::string> Walk(std::string_view root = "t:") {
        WalkFolder(session, view, FolderAdmission(session.quickSearch), root);
        return test::ShownEntries(session.results);
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    RecordingView view;
};

TEST_F(WalkFolderTest, ListsMatchingFilesAsDriveFormPathsWithOneSeparatorAfterTheRoot) {
    Add({"setup.log", "Windows/Temp/x.tmp", "Windows/keep.txt", "deep/a/b/c/d/old.BAK"});
    session.scan.FindGarbage = true;
    EXPECT_THAT(Walk(), UnorderedElementsAre("t:\\Windows\\Temp\\x.tmp", "t:\\deep\\a\\b\\c\\d\\old.BAK"));
}

TEST_F(WalkFolderTest, KeepsTheLetterCaseTheFileSystemReports) {
    Add({"MixedCase/File.TMP"});
    session.scan.FindGarbage = true;
    EXPECT_THAT(Walk(), ElementsAre("t:\\MixedCase\\File.TMP"));
}

TEST_F(WalkFolderTest, ListsAFileOncePerMatchingRowInRowOrderAndCountsEveryEntry) {
    Add({"empty.tmp:0", "data.tmp:100"});
    session.scan.FindZeroByte = true;
    session.scan.FindGarbage = true;
    std::vector<std::string> entries = Walk();
    // Each file's rows stay together, garbage first, whatever the listing order.
    auto empty = std::find(entries.begin(), entries.end(), "t:\\empty.tmp");
    ASSERT_EQ(entries.size(), 3u);
    ASSERT_NE(empty, entries.end());
    ASSERT_NE(empty + 1, entries.end());
    EXPECT_EQ(*(empty + 1), "t:\\empty.tmp");
    EXPECT_EQ(session.scan.GarbageCount, 2);
    EXPECT_EQ(session.scan.ZeroByteCount, 1);
    EXPECT_EQ(session.scan.GarbageBytes, 100);
    EXPECT_EQ(session.scan.ScanBytes, 100);
    EXPECT_EQ(view.entryCount, 3u);
    EXPECT_EQ(view.byteTotal, 100);
}

TEST_F(WalkFolderTest, ZeroByteRowsLeaveTheByteTotalsAndTheirLabelAlone) {
    Add({"a:0", "b.txt:0", "c.txt:5"});
    session.scan.FindZeroByte = true;
    EXPECT_THAT(Walk(), UnorderedElementsAre("t:\\a", "t:\\b.txt"));
    EXPECT_EQ(session.scan.ScanBytes, 0);
    EXPECT_EQ(view.byteTotal, -1);  // never written
    EXPECT_EQ(view.countHistory, (std::vector<std::size_t>{1, 2}));
}

TEST_F(WalkFolderTest, NeverEntersAFolderNamedExactlyGarbageBin) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    Add({"Garbage Bin/a.tmp", "Garbage Bin/sub/b.tmp", "garbage bin/c.tmp", "x/Garbage Bin/d.tmp"});
    session.scan.FindGarbage = true;
    EXPECT_THAT(Walk(), ElementsAre("t:\\garbage bin\\c.tmp"));
#endif
}

TEST_F(WalkFolderTest, PassesOverReadOnlyFilesAlsoWhenEmptyButListsHiddenOnes) {
    Add({"ro.tmp:0", ".hidden.tmp:0", ".hiddenfolder/in.tmp"});
    tree.MakeReadOnly("drive/ro.tmp");
    session.scan.FindGarbage = session.scan.FindZeroByte = true;
    std::vector<std::string> entries = Walk();
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "t:\\ro.tmp"), 0);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "t:\\.hidden.tmp"), 2);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "t:\\.hiddenfolder\\in.tmp"), 1);
}

TEST_F(WalkFolderTest, NeverFollowsLinksToFoldersOrFilesAndSkipsOtherSystemEntries) {
    Add({"real/a.tmp:0", "outside/b.tmp"});
    PLANT_OR_SKIP(test::PlantLink(OnDrive("real"), OnDrive("linked")));
    PLANT_OR_SKIP(test::PlantLink(OnDrive("real/a.tmp"), OnDrive("file-link.tmp")));
    PLANT_OR_SKIP(test::PlantLink(OnDrive(""), OnDrive("real/loop")));
    PLANT_OR_SKIP(test::PlantNamedPipe(OnDrive("pipe.tmp")));
    session.scan.FindGarbage = session.scan.FindZeroByte = true;
    EXPECT_THAT(Walk(), UnorderedElementsAre("t:\\real\\a.tmp", "t:\\real\\a.tmp", "t:\\outside\\b.tmp"));
}

TEST_F(WalkFolderTest, StaysOnTheFileSystemOfItsDrive) {
    Add({"here.tmp", "mounted/"});
    const test::TmpfsMount mounted(OnDrive("mounted"));
    if (!mounted) GTEST_SKIP() << test::kNoTmpfs;
    tree.AddFile("drive/mounted/there.tmp");
    session.scan.FindGarbage = true;
    EXPECT_THAT(Walk(), ElementsAre("t:\\here.tmp"));
}

TEST_F(WalkFolderTest, SkipsFoldersTheQuickSearchFiltersRefuseWhole) {
    Add({"a.tmp", "keep/b.tmp", "skip/c.tmp", "skip/inner/d.tmp"});
    session.quickSearch.QuickSearchOn = true;
    session.quickSearch.window.skipFolders = {"T:\\SKIP"};
    session.scan.FindGarbage = true;
    EXPECT_THAT(Walk(), UnorderedElementsAre("t:\\a.tmp", "t:\\keep\\b.tmp"));
    // The refused folder was still shown as the one the walk turned to, but not entered.
    EXPECT_THAT(view.statusHistory, ::testing::Contains("t:\\skip"));
    EXPECT_THAT(view.statusHistory, ::testing::Not(::testing::Contains("t:\\skip\\inner")));
}

TEST_F(WalkFolderTest, ARefusedRootListsNothing) {
    Add({"a.tmp"});
    session.quickSearch.QuickSearchOn = true;
    session.quickSearch.window.skipFolders = {"t:"};
    session.scan.FindGarbage = true;
    EXPECT_TRUE(Walk().empty());
}

TEST_F(WalkFolderTest, ShowsEachSubfolderButNeverTheRoot) {
    Add({"one/two/x.txt"});
    session.scan.FindDocuments = true;
    Walk();
    EXPECT_EQ(view.statusHistory, (std::vector<std::string>{"t:\\one", "t:\\one\\two"}));
}

TEST_F(WalkFolderTest, StopEndsTheWholeWalkAndKeepsWhatWasFound) {
    for (int i = 0; i < 20; ++i) Add({"deep/sub" + std::to_string(i) + "/f.tmp"});
    session.scan.FindGarbage = true;
    view.onPump = [&] {
        if (session.results.Count() == 3) session.scan.ContinueScan = false;
    };
    EXPECT_EQ(Walk().size(), 3u);
}

TEST_F(WalkFolderTest, AnUnreadableFolderAddsNothingEvenToAZeroByteSearch) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    Add({"locked/empty:0", "open/empty:0"});
    fs::permissions(OnDrive("locked"), fs::perms::none);
    session.scan.FindZeroByte = true;
    EXPECT_TRUE(test::RunAsUnprivilegedOwner(tree, [&] {
        return Walk() == std::vector<std::string>{"t:\\open\\empty"};
    }));
#endif
}

TEST_F(WalkFolderTest, NamesDriveFormCannotCarryArePassedOver) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    Add({"back\\slash.tmp", "plain.tmp"});
    session.scan.FindGarbage = true;
    EXPECT_THAT(Walk(), ElementsAre("t:\\plain.tmp"));
#endif
}

TEST_F(WalkFolderTest, StartsBelowTheRootWhenGivenAFolder) {
    Add({"a/x.tmp", "b/y.tmp"});
    session.scan.FindGarbage = true;
    // The start is written in any letter case; entries name their files as stored.
    EXPECT_THAT(Walk("t:\\A"), ElementsAre("t:\\a\\x.tmp"));
}

TEST_F(WalkFolderTest, AMissingDriveOrFolderListsNothing) {
    session.scan.FindGarbage = true;
    EXPECT_TRUE(Walk("q:").empty());
    EXPECT_TRUE(Walk("t:\\missing").empty());
}

TEST_F(WalkFolderTest, SkipsBinsettingsIniOnlyInItsExactCase) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    Add({"Binsettings.ini", "binsettings.ini", "x.dat"});
    session.scan.FindIniDat = true;
    EXPECT_THAT(Walk(), UnorderedElementsAre("t:\\binsettings.ini", "t:\\x.dat"));
#endif
}

TEST_F(WalkFolderTest, LeavesTheCurrentFolderAtTheLastFolderListed) {
    Add({"only/x.txt"});
    session.scan.FindDocuments = true;
    Walk();
    EXPECT_EQ(platform->Files().CurrentFolder(), "t:\\only");
}

}  // namespace
}  // namespace vellomar
