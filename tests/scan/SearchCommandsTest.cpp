#include "scan/SearchCommands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/Categories.h"
#include "scan/ScanLifecycle.h"
#include "support/Portability.h"
#include "support/SearchRun.h"
#include "support/ShownEntries.h"
#ifndef _WIN32
#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const DriveSearchCommand& Command(std::string_view cliName) {
    const DriveSearchCommand* command = FindDriveSearchCommand(cliName);
    if (!command) throw std::logic_error("no such command");
    return *command;
}

class SearchCommandsTest : public ::testing::Test, protected test::SearchRun {
protected:
    void Add(const std::vector<std::string>& lines) {
        for (const auto& line : lines) tree.AddAll({"drive/" + line});
    }
    void Run(std::string_view cliName) { RunDriveSearch(context, Command(cliName), 't'); }
    std::string InfoSwitches() const {
        return test::ReadWholeFile(tree / "home/.config/Velmo/Binsettings.ini");
    }
    void WriteInfoSwitches(std::string_view text) {
        test::WriteWholeFile(tree / "home/.config/Velmo/Binsettings.ini", text);
    }
};

TEST_F(SearchCommandsTest, EveryCommandSetsExactlyItsOwnFlag) {
    for (const DriveSearchCommand& command : DriveSearchCommands()) {
        RunDriveSearch(context, command, 't');
        EXPECT_TRUE(session.scan.*command.flag) << command.cliName;
        int flagsSet = 0;
        for (std::size_t row = 0; row < kWalkCategoryCount; ++row)
            flagsSet += session.scan.*CategoryFlag(static_cast<Category>(row));
        EXPECT_EQ(flagsSet, 1) << command.cliName;
    }
}

TEST_F(SearchCommandsTest, AGarbageSearchShowsOnlyTheGarbageLineAndOffersCleanup) {
    for (int i = 0; i < 12; ++i) Add({"f" + std::to_string(i) + ".tmp:" + std::to_string(i < 11 ? 3000 : 7960)});
    Run("garbage");
    ASSERT_TRUE(prompts.summary.has_value());
    EXPECT_THAT(*prompts.summary,
                ElementsAre("Garbage Files      -> 12 files FOUND, consuming 40960 bytes.",
                            "0 Byte Files       -> No files found (or you did not search).",
                            "All Internet Files -> No files found (or you did not search).",
                            "Internet Pictures  -> No files found (or you did not search)."));
    EXPECT_EQ(cleanupOffers, 1);
    EXPECT_EQ(view.listState, "filled");
    EXPECT_EQ(view.statusHistory.back(), "Disk analyze complete. Details shown.");
    EXPECT_FALSE(view.busy);
    EXPECT_EQ(view.fitCalls, 1);
}

TEST_F(SearchCommandsTest, AZeroByteSearchLineHasNoByteFigure) {
    Add({"a:0", "b:0"});
    Run("zero");
    ASSERT_TRUE(prompts.summary.has_value());
    EXPECT_EQ((*prompts.summary)[1], "0 Byte Files       -> 2 files FOUND.");
    EXPECT_EQ(view.filesCaption, "Total Files = ");
    EXPECT_EQ(view.bytesCaption, "Total Bytes = ");
    EXPECT_EQ(view.byteTotal, 0);
}

TEST_F(SearchCommandsTest, AReviewSearchNeverShowsTheSummary) {
    Add({"song.mp3", "junk.tmp:0"});
    Run("sounds");
    EXPECT_FALSE(prompts.summary.has_value());
    EXPECT_EQ(cleanupOffers, 0);
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\song.mp3"));
    EXPECT_EQ(view.listState, "filled");
}

TEST_F(SearchCommandsTest, EndingTheProgramDuringAWalkSkipsTheSummaryAndDeletesNothing) {
    Add({"a.tmp", "b.tmp"});
    view.onPump = [&] {
        if (session.results.Empty()) return;
        session.endRequested = true;
        session.scan.ContinueScan = false;
    };
    Run("garbage");
    EXPECT_FALSE(prompts.summary.has_value());
    EXPECT_EQ(cleanupOffers, 0);
    EXPECT_EQ(view.listState, "filled");
}

TEST_F(SearchCommandsTest, AnEmptyResultShowsNoSummaryAndTheEmptyState) {
    Add({"song.mp3"});
    Run("garbage");
    EXPECT_FALSE(prompts.summary.has_value());
    EXPECT_EQ(view.listState, "empty");
}

TEST_F(SearchCommandsTest, TheSummaryShowsButNoCleanupIsOfferedForAnEmptiedList) {
    Add({"a.tmp"});
    context.offerCleanup = nullptr;  // nothing to offer with
    Run("garbage");
    EXPECT_TRUE(prompts.summary.has_value());
    EXPECT_EQ(view.listState, "filled");
}

TEST_F(SearchCommandsTest, ASecondSearchStartsFromAnEmptyListAndZeroTotals) {
    Add({"a.tmp:10", "b.log:20"});
    Run("garbage");
    Run("logs");
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\b.log"));
    EXPECT_EQ(session.scan.GarbageCount, 0);
    EXPECT_EQ(session.scan.GarbageBytes, 0);
    EXPECT_EQ(session.scan.ScanBytes, 20);
    EXPECT_EQ(session.results.Generation(), 2u);
}

TEST_F(SearchCommandsTest, StopBeforeAnyFileEndsWithAnEmptyListAndTheCompleteStatus) {
    Add({"a/x.tmp", "a/b/y.tmp"});
    view.onStatus = [&] {
        if (view.statusHistory.back() == "t:\\a") session.scan.ContinueScan = false;
    };
    Run("garbage");
    EXPECT_TRUE(session.results.Empty());
    EXPECT_FALSE(prompts.summary.has_value());
    EXPECT_EQ(view.listState, "empty");
    EXPECT_EQ(view.statusHistory.back(), "Disk analyze complete. Details shown.");
}

TEST_F(SearchCommandsTest, NoInformationWindowWithoutItsSwitch) {
    Run("videos");
    EXPECT_TRUE(prompts.informationShown.empty());
    WriteInfoSwitches("[Info]\nVid=0\n");
    Run("videos");
    EXPECT_TRUE(prompts.informationShown.empty());
}

TEST_F(SearchCommandsTest, TheInformationWindowShowsTheCommandTextsWhileItsSwitchIsOn) {
    WriteInfoSwitches("[Info]\nVid=1\nGarb=1\n");
    Run("videos");
    Run("videos");
    Run("garbage");
    ASSERT_EQ(prompts.informationShown.size(), 3u);
    EXPECT_THAT(prompts.informationShown[0].first, HasSubstr("search the selected drive for video files"));
    EXPECT_THAT(prompts.informationShown[0].second, HasSubstr("category box \"Remove Garbage\"."));
    EXPECT_EQ(prompts.informationShown[2].second, "");
    EXPECT_EQ(prompts.informationShown[2].first.back(), ' ');
    EXPECT_EQ(InfoSwitches(), "[Info]\nVid=1\nGarb=1\n");
}

TEST_F(SearchCommandsTest, TickingTheBoxTurnsOnlyThatSwitchOff) {
    WriteInfoSwitches("[Stored]\nName1=Null\n[Info]\nVid=1\nPic=1\n");
    prompts.tickDontShowAgain = true;
    Run("videos");
    EXPECT_EQ(InfoSwitches(), "[Stored]\nName1=Null\n[Info]\nVid=0\nPic=1\n");
    Run("videos");
    EXPECT_EQ(prompts.informationShown.size(), 1u);
}

TEST_F(SearchCommandsTest, AFailedSwitchWriteIsReportedAndEndsTheCommandBeforeItsWalk) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoWriteLimit;
#else
    Add({"a.tmp"});
    WriteInfoSwitches("[Info]\nGarb=1\n");
    prompts.tickDontShowAgain = true;
    {
        test::FileSizeLimit tooSmallForTheFile(4);
        Run("garbage");
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].first, MessageKind::Error);
    EXPECT_EQ(prompts.messages[0].second, "Unable to write to u:\\.config\\Velmo\\Binsettings.ini");
    EXPECT_EQ(InfoSwitches(), "[Info]\nGarb=1\n");
    EXPECT_TRUE(session.results.Empty());
    EXPECT_FALSE(view.busy);
    EXPECT_TRUE(view.filesCaption.empty());  // the search never started
#endif
}

TEST(CleanupSummaryLines, WriteTheInternetLinesWithTheirByteTotals) {
    ScanState scan;
    scan.InternetCount = 3;
    scan.InternetBytes = 1048576;
    scan.InternetPicCount = 1;
    scan.InternetPicBytes = 1e15;
    CleanupSummary lines = CleanupSummaryLines(scan);
    EXPECT_EQ(lines[2], "All Internet Files -> 3 files FOUND, consuming 1048576 bytes.");
    EXPECT_EQ(lines[3], "Internet Pictures  -> 1 files FOUND, consuming 1e+15 bytes.");
}

}  // namespace
}  // namespace vellomar
