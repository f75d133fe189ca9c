// The acts refuse what the operating system owns, also for root, and the
// details call it a system file.

#include <gtest/gtest.h>

#include <filesystem>

#include "results/FileDetails.h"
#include "results/GarbageBin.h"
#include "run/Session.h"
#include "support/ListedEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

class DetailLines final : public FileDetailsView {
public:
    void ShowFileDetailLines(const FileDetailLines& shown) override { attribute = shown.attribute; }
    std::string attribute;
};

class NoMessages final : public MessagePrompts {
public:
    void ShowMessage(MessageKind, std::string_view text) override { ADD_FAILURE() << text; }
};

class SystemFilesActsTest : public ::testing::Test {
protected:
    SystemFilesActsTest()
        : platform(test::MakeTestPlatform(tree, (tree / "drive").generic_string())),
          session(*platform) {
        tree.AddAll({"drive/etc/xml/catalog.old", "drive/opt/vendor/theme.old",
                     "drive/opt/vendor/mine.old", "home/.config/Velmo/"});
        test::WriteWholeFile(tree.AddFolder("drive/var/lib/dpkg/info") / "theme.list",
                             "/.\n/opt\n/opt/vendor\n/opt/vendor/theme.old\n");
    }
    std::string AttributeShownFor(std::string entry) {
        test::AppendListed(session.results, session.platform.Files(), entry);
        session.results.SetCurrent(session.results.Count() - 1);
        DetailLines lines;
        NoMessages prompts;
        ShowFileDetails(session, lines, prompts, [](auto) { return std::string(); });
        return lines.attribute;
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
};

TEST_F(SystemFilesActsTest, NeitherDeletionNorTheBinTouchesTheSystemsFiles) {
    const FileSystem& files = platform->Files();
    const GarbageBin bin(*platform, session.dataFolder.DataFolderPath);
    for (const char* path : {"t:\\etc\\xml\\catalog.old", "t:\\opt\\vendor\\theme.old"}) {
        EXPECT_EQ(files.DeleteFile(path).outcome, FileOutcome::NotAFile) << path;
        EXPECT_EQ(bin.MoveIn(path, {}).outcome, BinOutcome::NotAFile) << path;
    }
    EXPECT_TRUE(fs::exists(tree / "drive/etc/xml/catalog.old"));
    EXPECT_TRUE(fs::exists(tree / "drive/opt/vendor/theme.old"));
    EXPECT_TRUE(bin.Items().empty());
    // The user's file beside the package's goes.
    EXPECT_EQ(files.DeleteFile("t:\\opt\\vendor\\mine.old").outcome, FileOutcome::Done);
}

TEST_F(SystemFilesActsTest, TheDetailsShowTheSystemsFilesAsSystemFiles) {
    EXPECT_EQ(AttributeShownFor("t:\\etc\\xml\\catalog.old"), "File Attribute: System");
    EXPECT_EQ(AttributeShownFor("t:\\opt\\vendor\\theme.old"), "File Attribute: System");
    EXPECT_EQ(AttributeShownFor("t:\\opt\\vendor\\mine.old"), "File Attribute: Archive");
}

}  // namespace
}  // namespace vellomar
