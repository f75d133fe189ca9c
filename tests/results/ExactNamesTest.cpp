// Every action on a found entry reaches the file of its exact name or nothing:
// a twin whose name differs in letter case alone is another file, however the
// list was sorted and whatever became of the file the entry was found as.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Shell.h"
#include "quicksearch/FolderAdmission.h"
#include "results/DeleteToBin.h"
#include "results/Deletion.h"
#include "results/FileDetails.h"
#include "results/GarbageBin.h"
#include "run/Session.h"
#include "scan/WalkFolder.h"
#include "support/Portability.h"
#include "support/RecordingCommands.h"
#include "support/RecordingScan.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;

class ExactNamesTest : public ::testing::Test {
protected:
    ExactNamesTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
    }

    fs::path OnDrive(std::string_view relative) const { return tree / "drive" / relative; }
    // Lists what the categories asked for below the start.
    void Walk(bool garbage, bool empty, std::string_view start = "t:") {
        session.scan.ContinueScan = true;
        session.scan.FindGarbage = garbage;
        session.scan.FindZeroByte = empty;
        test::RecordingView view;
        WalkFolder(session, view, FolderAdmission(session.quickSearch), start);
    }
    // As "Fetch ALL" walks the drive for garbage and zero-byte files.
    void WalkForGarbageAndEmptyFiles() { Walk(true, true); }
    void Delete() {
        DeletionContext context{session, window, window};
        DeleteHighlighted(context);
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::RecordingCommandWindow window;
};

TEST_F(ExactNamesTest, DeletingAnEntryListedTwiceNeverReachesItsTwinInAnotherCase) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    test::WriteWholeFile(OnDrive("x.tmp"), "");
    test::WriteWholeFile(OnDrive("X.TMP"), "kept whole");
    WalkForGarbageAndEmptyFiles();
    // x.tmp is garbage and empty: listed twice; X.TMP once.
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < session.results.Count(); ++row)
        if (session.results.FoundPath(row) == "t:\\x.tmp") rows.push_back(row);
    ASSERT_EQ(rows.size(), 2u);
    for (std::size_t row : rows) session.results.Highlight(row);

    Delete();
    EXPECT_EQ(test::ReadWholeFile(OnDrive("X.TMP")), "kept whole");
    EXPECT_FALSE(fs::exists(OnDrive("x.tmp")));
    EXPECT_THAT(window.Texts(), ElementsAre(StartsWith("1 out of 2 files have been removed.")));
    EXPECT_THAT(test::ShownEntries(session.results), UnorderedElementsAre("t:\\x.tmp", "t:\\X.TMP"));
    EXPECT_EQ(session.cleanup.CleanedFileCount, 1);
    EXPECT_EQ(session.scan.ScanBytes, 10);
#endif
}

TEST_F(ExactNamesTest, AnEntryWhoseFileVanishedReachesNothingAndTakesNoBytes) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    // Another process made and removed an empty "a" beside "A" while the walk ran.
    test::WriteWholeFile(OnDrive("d/a"), "");
    test::WriteWholeFile(OnDrive("d/A"), "not chosen");
    Walk(false, true);
    ASSERT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\d\\a"));
    fs::remove(OnDrive("d/a"));

    session.results.HighlightAll();
    Delete();
    EXPECT_EQ(test::ReadWholeFile(OnDrive("d/A")), "not chosen");
    EXPECT_THAT(window.Texts(), ElementsAre(StartsWith("0 out of 1 files have been removed.")));
    EXPECT_EQ(session.scan.ScanBytes, 0);
    EXPECT_EQ(window.byteTotal, 0);

    // Nor does "Delete to Bin", nor any look at the entry.
    session.results.HighlightAll();
    DeleteToBin(session, window, window);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("d/A")), "not chosen");
    EXPECT_THAT(GarbageBin(*platform, session.dataFolder.DataFolderPath).Items(), IsEmpty());
    EXPECT_EQ(FileSize64(platform->Files(), "t:\\d\\a"), -1);
    EXPECT_EQ(platform->ShellOpen("t:\\d\\a", NameMatch::Exact), kShellFileNotFound);
    EXPECT_EQ(platform->ShellExplore("t:\\D", NameMatch::Exact), kShellFileNotFound);
    EXPECT_FALSE(platform->StartProgram("t:\\d\\a", NameMatch::Exact, "/S"));
#endif
}

TEST_F(ExactNamesTest, AFileThatGrewAfterItWasListedIsKeptAndTheByteTotalsStayAsTheyWere) {
    test::WriteWholeFile(OnDrive("grows.tmp"), "");
    WalkForGarbageAndEmptyFiles();
    test::WriteWholeFile(OnDrive("grows.tmp"), "written to since");
    session.results.HighlightAll();
    Delete();
    EXPECT_EQ(test::ReadWholeFile(OnDrive("grows.tmp")), "written to since");
    EXPECT_EQ(session.scan.ScanBytes, 0);
    EXPECT_EQ(session.cleanup.ReclaimedBytes, 0);
}

TEST_F(ExactNamesTest, AStartWrittenInAnotherCaseListsEntriesThatNameTheirFilesExactly) {
    test::WriteWholeFile(OnDrive("Docs/old.tmp"), "chosen");
    Walk(true, false, "t:\\DOCS");
    ASSERT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\Docs\\old.tmp"));
    session.results.HighlightAll();
    Delete();
    EXPECT_FALSE(fs::exists(OnDrive("Docs/old.tmp")));
}

}  // namespace
}  // namespace vellomar
