#include "results/Deletion.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/ListedEntries.h"
#include "support/RecordingProgress.h"
#include "support/Portability.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace fs = std::filesystem;

namespace vellomar {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Pair;
using ::testing::StartsWith;

constexpr std::string_view kAllRemoved = "All the files selected have been successfully removed.";

// The main window as deletion drives it: records, in one sequence, what the
// window shows and asks, and answers the question from the script.
class RecordingWindow : public DeletionView, public DeletionPrompts {
public:
    explicit RecordingWindow(const ResultList& list) : list_(list) {}

    bool ConfirmDeletion(std::string_view text) override {
        questions.emplace_back(text);
        events.push_back("ask");
        return answerYes;
    }
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
        events.push_back(progress.open ? "message under the count" : "message");
    }
    ActProgress& Progress() override { return progress; }
    void ShowEntryCount(std::size_t count) override { entryCount = count; }
    void ShowByteTotal(double bytes) override { byteTotal = bytes; }
    void ShowListChange() override { events.push_back("list"); }
    void DescribeCurrentEntry() override {
        const auto current = list_.Current();
        events.push_back("details " + (current ? std::to_string(*current) : "none"));
    }
    void ShowDateAndSizeLines() override { events.push_back("lines"); }
    void SetEmptyListState() override { events.push_back("empty"); }

    bool answerYes = true;
    std::vector<std::string> questions;
    std::vector<std::pair<MessageKind, std::string>> messages;
    std::vector<std::string> events;
    std::optional<std::size_t> entryCount;
    std::optional<double> byteTotal;
    test::RecordingProgress progress;

private:
    const ResultList& list_;
};

class DeletionTest : public ::testing::Test {
protected:
    DeletionTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {}

    // Lists a file of the drive, as a search would: its entry and its bytes.
    // relative uses '/'; the file is made unless absent.
    void List(const std::string& relative, std::size_t size = 1, bool absent = false) {
        if (!absent) tree.AddFile("drive/" + relative, size);
        std::string entry = "t:\\" + relative;
        std::replace(entry.begin(), entry.end(), '/', '\\');
        test::AppendListed(session.results, session.platform.Files(), entry);
        session.scan.ScanBytes += static_cast<double>(size);
    }
    bool OnDrive(const std::string& relative) const {
        return fs::exists(fs::symlink_status(tree / ("drive/" + relative)));
    }
    std::vector<std::string> LastEvents(std::size_t count) const {
        return {window.events.end() - static_cast<std::ptrdiff_t>(count), window.events.end()};
    }
    std::vector<std::size_t> HighlightedRows() const {
        std::vector<std::size_t> rows;
        for (std::size_t row = 0; row < session.results.Count(); ++row)
            if (session.results.IsHighlighted(row)) rows.push_back(row);
        return rows;
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    RecordingWindow window{session.results};
    DeletionContext context{session, window, window};
    CleanupTotals& totals = session.cleanup;
};

// --- "Yes": what is removed, counted and reported ---

TEST_F(DeletionTest, RemovesTheHighlightedFilesCountsThemAndReportsSuccess) {
    List("a.tmp", 10);
    List("b.tmp", 20);
    List("sub/c.tmp", 30);
    List("d.tmp", 40);
    List("e.tmp", 50);
    session.results.Highlight(1);
    session.results.Highlight(2);
    session.results.Highlight(4);
    totals = {5, 1000};

    DeleteHighlighted(context);

    EXPECT_THAT(window.questions,
                ElementsAre("Delete 3 highlighted file(s) in your listbox? Click \"Yes\" to delete "
                            "these files, or \"No\" to simply view them."));
    EXPECT_THAT(window.messages, ElementsAre(Pair(MessageKind::Information, kAllRemoved)));
    EXPECT_FALSE(OnDrive("b.tmp"));
    EXPECT_FALSE(OnDrive("sub/c.tmp"));
    EXPECT_FALSE(OnDrive("e.tmp"));
    EXPECT_TRUE(OnDrive("a.tmp"));
    EXPECT_TRUE(OnDrive("d.tmp"));
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\a.tmp", "t:\\d.tmp"));
    EXPECT_EQ(session.scan.ScanBytes, 50);
    EXPECT_EQ(window.entryCount, 2u);
    EXPECT_EQ(window.byteTotal, 50);
    EXPECT_EQ(totals.CleanedFileCount, 8);
    EXPECT_EQ(totals.ReclaimedBytes, 1100);
}

TEST_F(DeletionTest, AReadOnlyFileStaysListedAtItsPlaceAndIsReportedAsLockedAndWhy) {
    List("keep1.txt", 1);
    List("a.tmp", 10);
    List("b.tmp", 20);
    List("keep2.txt", 2);
    List("c.tmp", 30);
    List("gone.tmp", 5, /*absent=*/true);
    tree.MakeReadOnly("drive/b.tmp");
    for (std::size_t row : {1, 2, 4, 5}) session.results.Highlight(row);

    DeleteHighlighted(context);

    // Removed before the failure or after it, the others stay removed.
    EXPECT_FALSE(OnDrive("a.tmp"));
    EXPECT_FALSE(OnDrive("c.tmp"));
    EXPECT_TRUE(OnDrive("b.tmp"));
    // The program's one text whatever the cause, then each file that stays with its own.
    EXPECT_THAT(window.messages,
                ElementsAre(Pair(MessageKind::Warning,
                                 "2 out of 4 files have been removed. The remaining files appear "
                                 "to be locked by some other application. Please verify that "
                                 "these files are not in use.\n"
                                 "t:\\b.tmp (the file is read-only)\n"
                                 "t:\\gone.tmp (the file or a folder on its path was not found)")));
    EXPECT_THAT(test::ShownEntries(session.results),
                ElementsAre("t:\\keep1.txt", "t:\\b.tmp", "t:\\keep2.txt", "t:\\gone.tmp"));
    EXPECT_EQ(session.scan.ScanBytes, 28);
    EXPECT_EQ(totals.CleanedFileCount, 2);
    EXPECT_EQ(totals.ReclaimedBytes, 40);
}

TEST_F(DeletionTest, ALongRemovalCountsEveryFileItHandlesAndRemovesExactlyTheHighlightedOnes) {
    constexpr std::size_t kFiles = 600;
    for (std::size_t n = 0; n < kFiles; ++n)
        List("d" + std::to_string(n % 7) + "/f" + std::to_string(n) + ".tmp", 1);
    std::vector<std::string> kept;
    for (std::size_t row = 0; row < kFiles; ++row) {
        if (row % 3 == 0)
            kept.emplace_back(session.results.At(row));
        else
            session.results.Highlight(row);
    }
    List("gone.tmp", 1, /*absent=*/true);  // handled too, though it cannot be removed
    session.results.Highlight(kFiles);
    kept.push_back("t:\\gone.tmp");
    const std::size_t highlighted = session.results.HighlightedCount();

    DeleteHighlighted(context);

    EXPECT_THAT(window.progress.begun, ElementsAre("Deleting files"));
    EXPECT_THAT(window.progress.totals, ElementsAre(highlighted));
    EXPECT_EQ(window.progress.counts, test::RecordingProgress::EveryCountUpTo(highlighted));
    EXPECT_EQ(window.progress.ended, 1);
    EXPECT_THAT(window.events, ::testing::Contains("message"));
    EXPECT_THAT(window.events, ::testing::Not(::testing::Contains("message under the count")));
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAreArray(kept));
    for (std::size_t n = 0; n < kFiles; ++n)
        EXPECT_EQ(OnDrive("d" + std::to_string(n % 7) + "/f" + std::to_string(n) + ".tmp"),
                  n % 3 == 0)
            << n;
    EXPECT_EQ(totals.CleanedFileCount, static_cast<std::int32_t>(highlighted - 1));
}

TEST_F(DeletionTest, NoRemovesNothingAndShowsNoCount) {
    List("a.tmp", 1);
    session.results.Highlight(0);
    window.answerYes = false;
    DeleteHighlighted(context);
    EXPECT_TRUE(OnDrive("a.tmp"));
    EXPECT_THAT(window.progress.begun, IsEmpty());
}

TEST_F(DeletionTest, AFolderReplacedByALinkSinceTheSearchLeavesTheLinkedFileAlone) {
    List("a.tmp", 10);
    List("cache/f.tmp", 20);
    fs::rename(tree / "drive/cache", tree / "elsewhere");
    PLANT_OR_SKIP(test::PlantLink(tree / "elsewhere", tree / "drive/cache"));
    session.results.HighlightAll();

    DeleteHighlighted(context);

    EXPECT_FALSE(OnDrive("a.tmp"));
    EXPECT_TRUE(fs::exists(tree / "elsewhere/f.tmp"));
    EXPECT_THAT(window.messages,
                ElementsAre(Pair(MessageKind::Warning, StartsWith("1 out of 2 files have"))));
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\cache\\f.tmp"));
    EXPECT_EQ(totals.CleanedFileCount, 1);
}

TEST_F(DeletionTest, AFileOver4GiBCountsWithItsWholeSize) {
    constexpr std::int64_t kSize = (std::int64_t{5} << 30) + 7;
    List("other.txt", 100);
    tree.AddFile("drive/huge.tmp", 0);
    fs::resize_file(tree / "drive/huge.tmp", kSize);  // sparse: no disk space taken
    List("huge.tmp", kSize, /*absent=*/true);
    session.results.Highlight(1);

    DeleteHighlighted(context);

    EXPECT_FALSE(OnDrive("huge.tmp"));
    EXPECT_EQ(session.scan.ScanBytes, 100);
    EXPECT_EQ(totals.ReclaimedBytes, static_cast<double>(kSize));
}

TEST_F(DeletionTest, AnEntryWhoseTextWasLoweredDeletesTheFileItWasFoundAs) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    List("Dir/Case.TMP", 11);
    List("Dir/case.tmp", 22);
    session.results.ShowLowerCased(0);
    session.results.Highlight(0);

    DeleteHighlighted(context);

    EXPECT_FALSE(OnDrive("Dir/Case.TMP"));
    EXPECT_TRUE(OnDrive("Dir/case.tmp"));
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\Dir\\case.tmp"));
    EXPECT_EQ(totals.ReclaimedBytes, 11);
    EXPECT_EQ(session.scan.ScanBytes, 22);
#endif
}

TEST_F(DeletionTest, EveryEntryNotRemovedStaysInALongList) {
    constexpr std::size_t kEntries = 10'050;
    for (std::size_t row = 0; row < kEntries; ++row) {
        const bool removed = row == 3 || row == 10'040;
        List("f" + std::to_string(row) + ".tmp", 1, /*absent=*/!removed);
    }
    std::vector<std::string> expected = test::ShownEntries(session.results);
    expected.erase(expected.begin() + 10'040);
    expected.erase(expected.begin() + 3);
    session.results.Highlight(3);
    session.results.Highlight(10'040);

    DeleteHighlighted(context);

    EXPECT_THAT(window.messages, ElementsAre(Pair(MessageKind::Information, kAllRemoved)));
    EXPECT_FALSE(OnDrive("f10040.tmp"));
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAreArray(expected));
    EXPECT_EQ(window.entryCount, kEntries - 2);
}

TEST_F(DeletionTest, WithNothingHighlightedYesEndsAtOnceWithTheSuccessMessage) {
    List("a.tmp");
    List("b.tmp");
    session.results.SetCurrent(1);

    DeleteHighlighted(context);

    EXPECT_THAT(window.questions, ElementsAre(StartsWith("Delete 0 highlighted file(s)")));
    EXPECT_THAT(window.messages, ElementsAre(Pair(MessageKind::Information, kAllRemoved)));
    EXPECT_TRUE(OnDrive("a.tmp"));
    EXPECT_TRUE(OnDrive("b.tmp"));
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\a.tmp", "t:\\b.tmp"));
    EXPECT_EQ(totals.CleanedFileCount, 0);
}

// --- what the window shows afterwards ---

TEST_F(DeletionTest, TheMessageComesBeforeTheRebuiltListAndTheReSelectedEntryAfterIt) {
    List("a.tmp");
    List("b.tmp");
    List("c.tmp");
    session.results.Highlight(1);

    DeleteHighlighted(context);

    EXPECT_THAT(window.events, ElementsAre("ask", "message", "list", "list", "details 1", "lines"));
    EXPECT_THAT(HighlightedRows(), ElementsAre(1));
}

TEST_F(DeletionTest, TheEntryCurrentBeforeIsHighlightedAgainWhileTheListReachesIt) {
    for (int i = 0; i < 7; ++i) List("f" + std::to_string(i) + ".tmp");
    session.results.Highlight(0);
    session.results.Highlight(1);
    session.results.SetCurrent(4);  // the fifth, moved to without highlighting it

    DeleteHighlighted(context);

    EXPECT_EQ(session.results.Count(), 5u);
    EXPECT_THAT(HighlightedRows(), ElementsAre(4));
    EXPECT_EQ(session.results.Current(), 4u);
    EXPECT_EQ(session.results.At(4), "t:\\f6.tmp");
    EXPECT_THAT(LastEvents(2), ElementsAre("details 4", "lines"));
}

TEST_F(DeletionTest, TheFirstEntryIsHighlightedWhenTheListNoLongerReachesTheOneCurrentBefore) {
    for (int i = 0; i < 6; ++i) List("f" + std::to_string(i) + ".tmp");
    session.results.Highlight(0);
    session.results.Highlight(1);
    session.results.SetCurrent(4);

    DeleteHighlighted(context);

    EXPECT_EQ(session.results.Count(), 4u);
    EXPECT_THAT(HighlightedRows(), ElementsAre(0));
    EXPECT_EQ(session.results.Current(), 0u);
}

TEST_F(DeletionTest, DeletingTheOnlyEntryLeavesTheEmptyListState) {
    List("only.tmp", 5);

    HighlightAllAndDelete(context);

    EXPECT_THAT(window.questions, ElementsAre(StartsWith("Delete 1 highlighted file(s)")));
    EXPECT_FALSE(OnDrive("only.tmp"));
    EXPECT_TRUE(session.results.Empty());
    EXPECT_EQ(window.entryCount, 0u);
    // The highlights are shown before the question; nothing is described after.
    EXPECT_THAT(window.events, ElementsAre("list", "ask", "message", "list", "empty"));
}

// --- "No", and a program that is ending ---

TEST_F(DeletionTest, NoDeletesNothingAndHighlightsOnlyTheEntryCurrentBefore) {
    List("a.tmp");
    List("b.tmp");
    List("c.tmp");
    session.results.Highlight(0);
    session.results.Highlight(2);
    const double scanBytes = session.scan.ScanBytes;
    window.answerYes = false;

    DeleteHighlighted(context);

    EXPECT_TRUE(OnDrive("a.tmp"));
    EXPECT_TRUE(OnDrive("c.tmp"));
    EXPECT_EQ(session.results.Count(), 3u);
    EXPECT_THAT(HighlightedRows(), ElementsAre(2));
    EXPECT_THAT(window.messages, IsEmpty());
    // Every highlight cleared and the first entry described, then the one current before.
    EXPECT_THAT(window.events,
                ElementsAre("ask", "list", "details 0", "list", "details 2", "lines"));
    EXPECT_EQ(window.entryCount, std::nullopt);
    EXPECT_EQ(session.scan.ScanBytes, scanBytes);
    EXPECT_EQ(totals.CleanedFileCount, 0);
}

TEST_F(DeletionTest, AProgramThatIsEndingAnswersNoWithoutAsking) {
    List("a.tmp");
    List("b.tmp");
    session.endRequested = true;

    HighlightAllAndDelete(context);

    EXPECT_THAT(window.questions, IsEmpty());
    EXPECT_TRUE(OnDrive("a.tmp"));
    EXPECT_TRUE(OnDrive("b.tmp"));
    EXPECT_EQ(session.results.Count(), 2u);
    EXPECT_THAT(HighlightedRows(), ElementsAre(1));
    EXPECT_EQ(totals.CleanedFileCount, 0);
}

}  // namespace
}  // namespace vellomar
