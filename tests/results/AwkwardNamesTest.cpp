// Names a file system allows but a person rarely types: a line break, bytes
// that are not UTF-8 (beside the name a lossy conversion would make of them),
// the longest name a folder takes, and a '\' inside a name, which drive form
// would read as two names. Each file is found, deleted, put in the bin and
// restored as itself; no operation ever reaches another file instead.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "quicksearch/FolderAdmission.h"
#include "results/Deletion.h"
#include "results/GarbageBin.h"
#include "run/Session.h"
#include "scan/WalkFolder.h"
#include "support/FolderSnapshot.h"
#include "support/ListedEntries.h"
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
using ::testing::UnorderedElementsAreArray;

const std::string kLineBreak = "line\nbreak.tmp";
const std::string kNotUtf8 = "bad\xff.tmp";
const std::string kReplaced = "bad\xef\xbf\xbd.tmp";  // U+FFFD where the byte was
const std::string kLongest = std::string(251, 'n') + ".tmp";
const std::string kBackslash = "a\\b.tmp";  // beside a folder "a" holding "b.tmp"

class AwkwardNamesTest : public ::testing::Test {
protected:
    AwkwardNamesTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
        for (const std::string& name : {kLineBreak, kNotUtf8, kReplaced, kLongest, kBackslash})
            test::WriteWholeFile(tree / "drive" / name, "text of " + name);
        test::WriteWholeFile(tree / "drive/a/b.tmp", "text of a/b.tmp");
    }
    ~AwkwardNamesTest() override { EXPECT_EQ(chdir("/"), 0); }

    std::vector<std::string> DriveNow() const { return test::FolderSnapshot(tree / "drive"); }
    // The drive as it was, less the lines of one path (and of what lies below it).
    std::vector<std::string> DriveWithout(const std::vector<std::string>& before,
                                          const std::string& relative) const {
        std::vector<std::string> lines;
        for (const std::string& line : before)
            if (line != relative && !line.starts_with(relative + " = ") &&
                !line.starts_with(relative + "/"))
                lines.push_back(line);
        return lines;
    }
    GarbageBin NewBin() const { return GarbageBin(*platform, session.dataFolder.DataFolderPath); }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::RecordingCommandWindow window;
};

// Each entry a search lists, and the file it stands for, relative to the drive.
const std::vector<std::pair<std::string, std::string>> kEntries = {
    {"t:\\" + kLineBreak, kLineBreak}, {"t:\\" + kNotUtf8, kNotUtf8},
    {"t:\\" + kReplaced, kReplaced},   {"t:\\" + kLongest, kLongest},
    {"t:\\a\\b.tmp", "a/b.tmp"},
};

TEST_F(AwkwardNamesTest, ASearchListsEachAsItselfAndPassesOverANameHoldingABackslash) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    ASSERT_EQ(kLongest.size(), 255u);
    session.scan.ContinueScan = true;
    session.scan.FindGarbage = true;
    test::RecordingView view;
    WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:");
    std::vector<std::string> expected;
    for (const auto& [entry, file] : kEntries) expected.push_back(entry);
    EXPECT_THAT(test::ShownEntries(session.results), UnorderedElementsAreArray(expected));
#endif
}

TEST_F(AwkwardNamesTest, DeletingAnEntryRemovesItsOwnFileAndNoOther) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    for (const auto& [entry, file] : kEntries) {
        const std::vector<std::string> before = DriveNow();
        session.results.Clear();
        test::AppendListed(session.results, session.platform.Files(), entry);
        session.results.HighlightAll();
        DeletionContext context{session, window, window};
        DeleteHighlighted(context);
        EXPECT_EQ(DriveNow(), DriveWithout(before, file)) << entry;
    }
    // The entry of a file that is gone since does not reach the one whose
    // name only reads the same.
    fs::remove(tree / "drive/a");
    EXPECT_EQ(platform->Files().DeleteFile("t:\\a\\b.tmp").outcome, FileOutcome::NotFound);
    EXPECT_THAT(DriveNow(), ElementsAre(kBackslash + " = text of " + kBackslash));
#endif
}

TEST_F(AwkwardNamesTest, TheBinTakesEachAndRestoresItToItsOwnName) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    GarbageBin bin = NewBin();
    const std::vector<std::string> before = DriveNow();
    for (const auto& [entry, file] : kEntries)
        EXPECT_EQ(bin.MoveIn(entry).outcome, BinOutcome::Done) << entry;
    EXPECT_THAT(DriveWithout(DriveNow(), "Garbage Bin"),
                ElementsAre("a", kBackslash + " = text of " + kBackslash));

    // The folder "a" is gone meanwhile: its file's way back makes it anew, and
    // the file beside it whose name only reads the same stays as it is.
    fs::remove(tree / "drive/a");
    for (const BinItem& item : bin.Items())
        EXPECT_EQ(bin.Restore(item), BinOutcome::Done) << item.originalPath;
    EXPECT_THAT(bin.Items(), IsEmpty());
    EXPECT_EQ(DriveWithout(DriveNow(), "Garbage Bin"), before);
#endif
}

}  // namespace
}  // namespace vellomar
