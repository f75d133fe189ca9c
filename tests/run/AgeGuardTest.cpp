#include "run/AgeGuard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "quicksearch/FolderAdmission.h"
#include "quicksearch/NameSearch.h"
#include "results/DeleteToBin.h"
#include "results/Deletion.h"
#include "run/Session.h"
#include "scan/WalkFolder.h"
#include "support/RecordingCommands.h"
#include "support/RecordingScan.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using ::testing::UnorderedElementsAre;
using Clock = std::chrono::system_clock;

TEST(ParseAgeTest, TakesWholeDaysHoursOrMinutes) {
    EXPECT_EQ(ParseAge("30d"), std::chrono::seconds(30 * 24h));
    EXPECT_EQ(ParseAge("12h"), std::chrono::seconds(12h));
    EXPECT_EQ(ParseAge("90m"), std::chrono::seconds(90min));
    EXPECT_EQ(ParseAge("007d"), std::chrono::seconds(7 * 24h));
    EXPECT_EQ(ParseAge("36525d"), std::chrono::seconds(36525 * 24h));  // a hundred years
}

TEST(ParseAgeTest, RefusesEverythingElse) {
    for (const char* text : {"", "d", "30", "0d", "-5d", "+5d", "5 d", " 5d", "5d ", "5D", "5s",
                             "5w", "1.5d", "5dd", "d5", "36526d", "99999999999999999999d",
                             "1e3m", "0x10h"})
        EXPECT_FALSE(ParseAge(text).has_value()) << '"' << text << '"';
}

TEST(AgeGuardTest, AdmitsOnlyFilesModifiedBeforeTheAgeItKeeps) {
    const Clock::time_point now = Clock::now();
    const AgeGuard guard = AgeGuard::OlderThan(std::chrono::hours(1), now);
    const auto file = [](Clock::time_point modified) {
        return std::optional<EntryInfo>(EntryInfo{EntryKind::File, 0, 1, FileTime::Of(modified), {}});
    };
    EXPECT_TRUE(guard.Admits(file(now - 1h - 1ns)));
    EXPECT_FALSE(guard.Admits(file(now - 1h)));  // exactly an hour old is not older
    EXPECT_FALSE(guard.Admits(file(now)));
    EXPECT_FALSE(guard.Admits(file(now + 24h)));  // a date in the future
    EXPECT_FALSE(guard.Admits(std::nullopt));     // gone: its age is unknown
    EXPECT_FALSE(guard.Admits(EntryInfo{EntryKind::File, 0, 1, {test::TempTree::kNoonOf2300}, {}}));
    EXPECT_FALSE(guard.Admits(EntryInfo{EntryKind::Folder, 0, 0, FileTime::Of(now - 48h), {}}));

    const AgeGuard off;
    EXPECT_TRUE(off.Admits(file(now)));
    EXPECT_TRUE(off.Admits(std::nullopt));
}

class AgeGuardedSearchTest : public ::testing::Test {
protected:
    AgeGuardedSearchTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        session.scan.ContinueScan = true;
        tree.AddAll({"drive/new.tmp", "drive/sub/old.tmp", "drive/sub/edge.tmp:0",
                     "drive/sub/future.tmp"});
        Age("drive/sub/old.tmp", 31 * 24h);
        Age("drive/sub/edge.tmp", 29 * 24h);
        test::TempTree::SetLastChange(tree / "drive/sub/future.tmp", test::TempTree::kNoonOf2300);
        session.scan.ageGuard = AgeGuard::OlderThan(30 * 24h, Clock::now());
    }
    void Age(const char* relative, std::chrono::seconds age) {
        fs::last_write_time(tree / relative, fs::file_time_type::clock::now() - age);
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::RecordingView view;
};

TEST_F(AgeGuardedSearchTest, TheWalkListsAndCountsOnlyOlderFiles) {
    session.scan.FindGarbage = true;
    session.scan.FindZeroByte = true;
    WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:");
    EXPECT_THAT(test::ShownEntries(session.results), UnorderedElementsAre("t:\\sub\\old.tmp"));
    EXPECT_EQ(session.scan.GarbageCount, 1);
    EXPECT_EQ(session.scan.ZeroByteCount, 0);
    EXPECT_EQ(session.scan.ScanBytes, 1);
}

TEST_F(AgeGuardedSearchTest, TheNameSearchListsOnlyOlderFiles) {
    session.scan.NameSearchActive = true;
    FindFilesByName(session, view, "t:", NameQuery{".tmp", false, false});
    EXPECT_THAT(test::ShownEntries(session.results), UnorderedElementsAre("t:\\sub\\old.tmp"));
}

// The age is checked again, through the act, when the file goes: a file
// written to after the walk listed it is younger than the guard allows by then.
TEST_F(AgeGuardedSearchTest, AFileWrittenToAfterItWasListedIsNeitherDeletedNorMovedToTheBin) {
    tree.AddAll({"drive/sub/older.tmp", "drive/sub/oldest.tmp"});
    Age("drive/sub/older.tmp", 40 * 24h);
    Age("drive/sub/oldest.tmp", 50 * 24h);
    session.scan.FindGarbage = true;
    WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:");
    ASSERT_THAT(test::ShownEntries(session.results),
                UnorderedElementsAre("t:\\sub\\old.tmp", "t:\\sub\\older.tmp",
                                     "t:\\sub\\oldest.tmp"));
    Age("drive/sub/old.tmp", 0s);  // written to now
    // Dated far ahead since: never older than any age.
    test::TempTree::SetLastChange(tree / "drive/sub/oldest.tmp", test::TempTree::kNoonOf2300);

    test::RecordingCommandWindow window;
    session.results.HighlightAll();
    DeletionContext deletion{session, window, window};
    DeleteHighlighted(deletion);
    EXPECT_TRUE(fs::exists(tree / "drive/sub/old.tmp"));
    EXPECT_TRUE(fs::exists(tree / "drive/sub/oldest.tmp"));
    EXPECT_FALSE(fs::exists(tree / "drive/sub/older.tmp"));
    EXPECT_THAT(test::ShownEntries(session.results),
                UnorderedElementsAre("t:\\sub\\old.tmp", "t:\\sub\\oldest.tmp"));

    session.results.HighlightAll();
    DeleteToBin(session, window, window);
    EXPECT_TRUE(fs::exists(tree / "drive/sub/old.tmp"));
    EXPECT_TRUE(fs::exists(tree / "drive/sub/oldest.tmp"));
    EXPECT_THAT(test::ShownEntries(session.results),
                UnorderedElementsAre("t:\\sub\\old.tmp", "t:\\sub\\oldest.tmp"));
}

}  // namespace
}  // namespace vellomar
