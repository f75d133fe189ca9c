// vellomar-cli.exe run as its own process on a tree each test makes, with the
// application-data folder moved into that tree so that no run reaches the
// user's own settings or bin.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/win32/SystemApi.h"

#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32/WidePath.h"
#include "support/CliProgram.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class WindowsCliTest : public ::testing::Test {
protected:
    WindowsCliTest() {
        fs::create_directories(drive / "sub");
        fs::create_directories(appData);
    }

    void Add(const std::string& relative, const std::string& content) const {
        test::WriteWholeFile(drive / relative, content);
    }
    // The tree of every test: garbage in two letter cases, a read-only
    // garbage file and a file that is no garbage.
    void AddTree() const {
        Add("a.tmp", "alpha");
        Add("sub/b.TMP", "bravo!");
        Add("c.tmp", "read-only");
        ASSERT_TRUE(SetFileAttributesW((drive / "c.tmp").c_str(), FILE_ATTRIBUTE_READONLY));
        Add("keep.txt", "kept");
    }

    // Runs the program with the tree as drive t: and the arguments given (plain words).
    test::CliRun Run(const std::string& arguments) const {
        const std::string driveOption = "--drive \"t=" + Narrowed(drive.wstring()) + "\" ";
        return test::RunCli({appData, {}}, driveOption + arguments, tree.Root());
    }

    // The bin's items as "bin list" shows them: the ID and the path each came from.
    std::vector<std::pair<std::string, std::string>> BinItems() const {
        const test::CliRun list = Run("bin list");
        EXPECT_EQ(list.status, 0);
        std::vector<std::pair<std::string, std::string>> items;
        for (const std::string& line : list.out) {
            const std::size_t first = line.find('\t');
            items.emplace_back(line.substr(0, first),
                               line.substr(first + 1, line.find('\t', first + 1) - first - 1));
        }
        return items;
    }

    test::TempTree tree;
    // A name beyond any ANSI code page, as a user's folder may have.
    const fs::path drive = tree.Root() / L"drive-\u65E5\u672C";
    const fs::path appData = tree / "appdata";
};

TEST_F(WindowsCliTest, GarbageListsTheGarbageButNeitherReadOnlyNorOtherFiles) {
    AddTree();
    const test::CliRun run = Run("garbage t:");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, UnorderedElementsAre("t:\\a.tmp", "t:\\sub\\b.TMP"));
    EXPECT_THAT(run.err, Contains("Total Files = 2"));
    EXPECT_THAT(run.err, Contains("Total Bytes = 11"));
    EXPECT_THAT(run.err, Contains("Garbage Files      -> 2 files FOUND, consuming 11 bytes."));
}

TEST_F(WindowsCliTest, DeleteRemovesTheGarbageAndKeepsReadOnlyAndOtherFiles) {
    AddTree();
    const test::CliRun run = Run("garbage t: --delete --yes");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, IsEmpty());
    EXPECT_THAT(run.err, Contains("All the files selected have been successfully removed."));
    EXPECT_FALSE(fs::exists(drive / "a.tmp"));
    EXPECT_FALSE(fs::exists(drive / "sub/b.TMP"));
    EXPECT_EQ(test::ReadWholeFile(drive / "c.tmp"), "read-only");
    EXPECT_EQ(test::ReadWholeFile(drive / "keep.txt"), "kept");
}

TEST_F(WindowsCliTest, TheBinTakesTheGarbageAndGivesAFileBackInItsPlace) {
    AddTree();
    const test::CliRun moved = Run("garbage t: --to-bin --yes");
    EXPECT_EQ(moved.status, 0);
    EXPECT_THAT(moved.out, IsEmpty());
    EXPECT_FALSE(fs::exists(drive / "a.tmp"));
    EXPECT_FALSE(fs::exists(drive / "sub/b.TMP"));

    const auto items = BinItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_THAT((std::vector<std::string>{items[0].second, items[1].second}),
                UnorderedElementsAre("t:\\a.tmp", "t:\\sub\\b.TMP"));
    const auto& bravo = items[0].second == "t:\\sub\\b.TMP" ? items[0] : items[1];

    const test::CliRun restored = Run("bin restore " + bravo.first);
    EXPECT_EQ(restored.status, 0);
    EXPECT_EQ(test::ReadWholeFile(drive / "sub/b.TMP"), "bravo!");
    EXPECT_FALSE(fs::exists(drive / "a.tmp"));
    const auto left = BinItems();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].second, "t:\\a.tmp");
    EXPECT_THAT(Run("bin restore " + bravo.first).status, 1);  // gone now
}

TEST_F(WindowsCliTest, TheDataFolderLiesInTheApplicationDataFolderTheEnvironmentNames) {
    fs::create_directories(drive / "Mozilla/Firefox/x.default");
    Add("Mozilla/Firefox/x.default/prefs.js", "");
    const test::CliRun run = Run("scan-browsers t:");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(test::ReadWholeFile(appData / "Velmo" / "vmscan4.ini"),
                ::testing::HasSubstr("P1=t:\\Mozilla\\Firefox\\x.default\\"));
}

}  // namespace
}  // namespace vellomar
