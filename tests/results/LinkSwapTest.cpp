// A folder swapped for a symbolic link after a search found files in it:
// "Delete", "Delete to Bin" and the bin window's "Restore File" and "Delete
// File" reach nothing outside the folder the file was found in. A file of
// the same name waits in the link's target as a canary, and must survive;
// the entry is reported as not removed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "quicksearch/FolderAdmission.h"
#include "results/BinWindowCommands.h"
#include "results/DeleteToBin.h"
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
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;

class LinkSwapTest : public ::testing::Test {
protected:
    // Every case swaps folders for links, which not every system makes.
    void SetUp() override {
        PLANT_OR_SKIP(test::PlantLink(tree / "outside", tree / "link-probe"));
        fs::remove(tree / "link-probe");
    }
    LinkSwapTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
        // Outside the drive: the canaries, one of each name the drive's files have.
        test::WriteWholeFile(tree / "outside/f.tmp", "canary f");
        test::WriteWholeFile(tree / "outside/h.tmp", "canary h");
        // On the drive: a file in a folder that will become a link to outside;
        // a file below a folder that will become a link to the machine's root,
        // on the very path that then leads to the canary; and a plain file.
        test::WriteWholeFile(OnDrive("cache/f.tmp"), "own f");
        test::WriteWholeFile(OnDrive("root") / Outside().relative_path() / "h.tmp", "own h");
        test::WriteWholeFile(OnDrive("plain/p.tmp"), "own p");
        outsideBefore = test::FolderSnapshot(Outside());
    }

    fs::path OnDrive(std::string_view relative) const { return tree / "drive" / relative; }
    fs::path Outside() const { return tree / "outside"; }
    // The entry of the file below "root", in drive form.
    std::string MirroredEntry() const {
        std::string entry = "t:\\root";
        for (const auto& name : Outside().relative_path()) entry += "\\" + name.string();
        return entry + "\\h.tmp";
    }
    // Lists the drive's ".tmp" files as "Garbage Files" does.
    void Search() {
        session.scan.ContinueScan = true;
        session.scan.FindGarbage = true;
        test::RecordingView view;
        WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:");
        EXPECT_EQ(chdir("/"), 0);
        ASSERT_THAT(test::ShownEntries(session.results),
                    UnorderedElementsAre("t:\\cache\\f.tmp", MirroredEntry(), "t:\\plain\\p.tmp"));
    }
    static void SwapForLink(const fs::path& folder, const fs::path& target) {
        fs::remove_all(folder);
        PLANT_OR_SKIP(test::PlantLink(target, folder));
    }
    void SwapBothFolders() {
        SwapForLink(OnDrive("cache"), Outside());
        SwapForLink(OnDrive("root"), "/");
    }
    GarbageBin NewBin() const { return GarbageBin(*platform, session.dataFolder.DataFolderPath); }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::RecordingCommandWindow window;
    std::vector<std::string> outsideBefore;
};

TEST_F(LinkSwapTest, DeleteRemovesOnlyTheFileStillInItsFolderAndReportsTheOthers) {
    Search();
    SwapBothFolders();
    DeletionContext context{session, window, window};
    HighlightAllAndDelete(context);

    EXPECT_EQ(test::FolderSnapshot(Outside()), outsideBefore);
    EXPECT_FALSE(fs::exists(OnDrive("plain/p.tmp")));
    EXPECT_THAT(window.Texts(), ElementsAre(StartsWith("1 out of 3 files have been removed.")));
    EXPECT_THAT(test::ShownEntries(session.results),
                UnorderedElementsAre("t:\\cache\\f.tmp", MirroredEntry()));
    EXPECT_EQ(session.cleanup.CleanedFileCount, 1);
}

TEST_F(LinkSwapTest, DeleteToBinMovesOnlyTheFileStillInItsFolderAndNamesTheOthers) {
    Search();
    SwapBothFolders();
    session.results.HighlightAll();
    DeleteToBin(session, window, window);

    EXPECT_EQ(test::FolderSnapshot(Outside()), outsideBefore);
    EXPECT_FALSE(fs::exists(OnDrive("plain/p.tmp")));
    ASSERT_EQ(window.messages.size(), 1u);
    const std::string& report = window.messages[0].second;
    EXPECT_THAT(report, StartsWith("1 out of 3 files have been moved to the Garbage Bin."));
    EXPECT_THAT(report, HasSubstr("t:\\cache\\f.tmp (a folder on its path is a link)"));
    EXPECT_THAT(report, HasSubstr(MirroredEntry() + " (a folder on its path is a link)"));
    EXPECT_THAT(test::ShownEntries(session.results),
                UnorderedElementsAre("t:\\cache\\f.tmp", MirroredEntry()));
    std::vector<BinItem> items = NewBin().Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].originalPath, "t:\\plain\\p.tmp");
}

TEST_F(LinkSwapTest, RestoreNeverPutsAFileOrMakesAFolderThroughALink) {
    Search();
    test::WriteWholeFile(OnDrive("gone/sub/q.tmp"), "own q");
    test::AppendListed(session.results, session.platform.Files(), "t:\\gone\\sub\\q.tmp");
    GarbageBin bin = NewBin();
    for (const std::string& entry : test::ShownEntries(session.results))
        ASSERT_EQ(bin.MoveIn(entry).outcome, BinOutcome::Done) << entry;
    // Each file's folder, or a folder above it, becomes a link: to where a
    // canary of the file's name lies, or where its folder would have to be made.
    SwapBothFolders();
    SwapForLink(OnDrive("plain"), Outside());
    SwapForLink(OnDrive("gone"), Outside());

    std::int32_t cleaned = 0;
    double reclaimed = 0;
    BinWindowCommands commands(bin, window, cleaned, reclaimed);
    ASSERT_EQ(commands.Items().size(), 4u);
    for (std::size_t index = 0; index < 4; ++index) {
        commands.Highlight(index);
        commands.RestoreFile();
    }

    EXPECT_EQ(test::FolderSnapshot(Outside()), outsideBefore);
    EXPECT_EQ(window.messages.size(), 4u);
    EXPECT_THAT(window.Texts(), ::testing::Each(HasSubstr("The file stays in the bin.")));
    EXPECT_EQ(commands.Items().size(), 4u);
}

TEST_F(LinkSwapTest, ABinFolderSwappedForALinkIsNeitherFilledNorEmptiedThroughIt) {
    GarbageBin bin = NewBin();
    ASSERT_EQ(bin.MoveIn("t:\\cache\\f.tmp").outcome, BinOutcome::Done);
    // The file's own folder in the bin becomes a link to where a file of the
    // same name lies: neither "Restore File" nor "Delete File" reaches it.
    const BinItem item = bin.Items().at(0);
    const fs::path itemFolder = OnDrive("Garbage Bin") / item.id;
    ASSERT_TRUE(fs::exists(itemFolder / "f.tmp"));
    fs::rename(itemFolder, tree / "kept");
    PLANT_OR_SKIP(test::PlantLink(Outside(), itemFolder));
    EXPECT_NE(bin.Restore(item), BinOutcome::Done);
    EXPECT_NE(bin.Remove(item), BinOutcome::Done);
    EXPECT_THAT(bin.Items(), IsEmpty());
    EXPECT_FALSE(fs::exists(OnDrive("cache/f.tmp")));

    // The drive's whole bin becomes a link to outside: files go to the bin in
    // the data folder instead.
    fs::remove(itemFolder);
    fs::rename(OnDrive("Garbage Bin"), tree / "old bin");
    PLANT_OR_SKIP(test::PlantLink(Outside(), OnDrive("Garbage Bin")));
    ASSERT_EQ(bin.MoveIn("t:\\plain\\p.tmp").outcome, BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(tree / "home/.config/Velmo/Garbage Bin" / bin.Items().at(0).id /
                                  "p.tmp"),
              "own p");

    EXPECT_EQ(test::FolderSnapshot(Outside()), outsideBefore);
}

}  // namespace
}  // namespace vellomar
