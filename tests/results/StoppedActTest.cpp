// An act (a deletion, a move to the bin) that the user stops: it ends before
// the next file, keeps what it did, leaves the rest listed and says how far
// it came.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "results/DeleteToBin.h"
#include "results/Deletion.h"
#include "support/ListedEntries.h"
#include "support/RecordingCommands.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

// Asked before each file: the first two go, then the user stops the act.
int stopQuestions = 0;
bool StopAtTheThirdFile() { return ++stopQuestions > 2; }

class StoppedActTest : public ::testing::Test {
protected:
    StoppedActTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        for (const char* name : {"a.tmp", "b.tmp", "c.tmp", "d.tmp"}) {
            tree.AddFile(std::string("drive/") + name, 5);
            test::AppendListed(session.results, session.platform.Files(), std::string("t:\\") + name);
        }
        session.scan.ScanBytes = 20;
        session.results.HighlightAll();
        stopQuestions = 0;
        session.stopRequested = StopAtTheThirdFile;
    }
    std::vector<bool> OnDrive() const {
        std::vector<bool> there;
        for (const char* name : {"a.tmp", "b.tmp", "c.tmp", "d.tmp"})
            there.push_back(std::filesystem::exists(tree / "drive" / name));
        return there;
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::RecordingCommandWindow window;
};

TEST_F(StoppedActTest, ADeletionStopsBeforeTheNextFile) {
    DeletionContext context{session, window, window};
    RemoveHighlightedFiles(context);
    EXPECT_THAT(OnDrive(), ElementsAre(false, false, true, true));
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\c.tmp", "t:\\d.tmp"));
    EXPECT_THAT(window.messages, ElementsAre(Pair(MessageKind::Warning,
                                                  "Stopped: 2 out of 4 files have been removed; "
                                                  "the others stay listed.")));
    EXPECT_EQ(session.cleanup.CleanedFileCount, 2);
    EXPECT_EQ(session.scan.ScanBytes, 10);
}

TEST_F(StoppedActTest, AMoveToTheBinStopsBeforeTheNextFile) {
    DeleteToBin(session, window, window);
    EXPECT_THAT(OnDrive(), ElementsAre(false, false, true, true));
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\c.tmp", "t:\\d.tmp"));
    EXPECT_THAT(window.Texts(), ElementsAre("Stopped: 2 out of 4 files have been moved to the "
                                            "Garbage Bin; the others stay in the list."));
    EXPECT_EQ(session.scan.ScanBytes, 10);
    EXPECT_EQ(window.binShown, 1);
}

}  // namespace
}  // namespace vellomar
