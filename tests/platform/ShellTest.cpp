#include "platform/Shell.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "results/FileDetails.h"
#include "run/Session.h"
#include "support/DesktopStandIn.h"
#include "support/ListedEntries.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Processes whose parent is this one, running or not yet reaped.
int ChildProcessCount() {
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string text;
        if (!std::getline(stat, text)) continue;
        auto afterName = text.rfind(')');  // the name may hold blanks and parentheses
        if (afterName == std::string::npos) continue;
        char state;
        long parent;
        if (std::sscanf(text.c_str() + afterName + 1, " %c %ld", &state, &parent) == 2 &&
            parent == getpid())
            ++count;
    }
    return count;
}

// Runs each test with PATH holding only a folder of the test's own, with
// stand-ins for the desktop's opener and type query.
class ShellTest : public ::testing::Test {
protected:
    ShellTest() { drives.Assign('t', tree.AddFolder("drive").string()); }

    test::TempTree tree;
    test::DesktopStandIn desktop{tree / "bin"};
    DriveTable drives;
};

TEST_F(ShellTest, HandsTheFoundFileOverAsOneArgumentInAnyLetterCase) {
    fs::path page = tree.AddFile("drive/My Pages/-n 'q' \"x\".htm");
    Platform platform(std::move(drives), UserFolders{(tree / "home").string(), "", ""});

    EXPECT_EQ(platform.ShellOpen("t:\\my pages\\-N 'Q' \"X\".HTM", NameMatch::AnyCase), kShellStarted);
    EXPECT_EQ(desktop.Opened(), page.string() + "\n");
}

TEST_F(ShellTest, AMissingFileIsNotFoundWithoutStartingTheOpener) {
    Platform platform(std::move(drives), UserFolders{(tree / "home").string(), "", ""});

    EXPECT_EQ(platform.ShellOpen("t:\\absent.htm", NameMatch::AnyCase), kShellFileNotFound);
    EXPECT_EQ(platform.ShellOpen("x:\\absent.htm", NameMatch::AnyCase), kShellFileNotFound);  // no such drive
    EXPECT_EQ(desktop.Opened(300ms), "");
}

TEST_F(ShellTest, ATypeWithoutAnApplicationIsToldBeforeAnythingStarts) {
    fs::path page = tree.AddFile("page.htm");
    desktop.SetApplicationKnown(false);
    EXPECT_EQ(OpenWithDesktop(page.string()), kShellNoAssociation);
    EXPECT_EQ(desktop.Opened(300ms), "");

    // Once the type has an application, the opener's own failures are its to show.
    desktop.SetApplicationKnown(true);
    desktop.SetOpener(4);
    EXPECT_EQ(OpenWithDesktop(page.string()), kShellStarted);
    EXPECT_EQ(desktop.Opened(), page.string() + "\n");
}

TEST_F(ShellTest, WithoutAnOpenerOnThePathNoApplicationIsAssociated) {
    fs::path page = tree.AddFile("page.htm");
    desktop.Remove();
    EXPECT_EQ(OpenWithDesktop(page.string()), kShellNoAssociation);
}

TEST_F(ShellTest, NeverHandsOverAPathTheOpenerCouldTakeForAnOption) {
    EXPECT_EQ(OpenWithDesktop("-n"), kShellOtherFailure);
    EXPECT_EQ(desktop.Opened(300ms), "");
}

TEST_F(ShellTest, NeverWaitsForTheOpenerAndReapsItOnceItEnds) {
    fs::path page = tree.AddFile("page.htm");
    desktop.SetOpener(0, 1000ms);  // as an opener that keeps the viewer in the foreground
    ASSERT_EQ(ChildProcessCount(), 0);

    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(OpenWithDesktop(page.string()), kShellStarted);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 700ms);
    EXPECT_EQ(ChildProcessCount(), 1);  // the opener, still running; the type queries are over

    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (ChildProcessCount() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    EXPECT_EQ(ChildProcessCount(), 0) << "the opener was left a zombie";
}

TEST_F(ShellTest, ExploresAFolderWrittenInAnyLetterCaseWithItsTrailingBackslash) {
    fs::path folder = tree.AddFolder("drive/My Pages");
    Platform platform(std::move(drives), UserFolders{(tree / "home").string(), "", ""});

    EXPECT_EQ(platform.ShellExplore("t:\\MY PAGES\\", NameMatch::AnyCase), kShellStarted);
    EXPECT_EQ(desktop.Opened(), folder.string() + "\n");
    desktop.ForgetOpened();
    EXPECT_EQ(platform.ShellExplore("t:\\", NameMatch::AnyCase), kShellStarted);
    EXPECT_EQ(desktop.Opened(), (tree / "drive").string() + "\n");
}

TEST_F(ShellTest, ExploresNothingButAnExistingFolder) {
    tree.AddFile("drive/run.sh");
    Platform platform(std::move(drives), UserFolders{(tree / "home").string(), "", ""});

    EXPECT_EQ(platform.ShellExplore("t:\\absent\\", NameMatch::AnyCase), kShellFileNotFound);
    EXPECT_EQ(platform.ShellExplore("t:\\run.sh", NameMatch::AnyCase), kShellFileNotFound);  // never run a file
    EXPECT_EQ(desktop.Opened(300ms), "");
}

// "Explore Folder" on the result list's current entry.
class ExploreFolderTest : public ShellTest {
protected:
    // Explores the folder of the one entry of a fresh list.
    std::vector<std::pair<MessageKind, std::string>> Explore(const std::string& entry) {
        Platform platform(DriveTable(drives), UserFolders{(tree / "home").string(), "", ""});
        Session session(platform);
        test::AppendListed(session.results, session.platform.Files(), entry);
        session.results.SetCurrent(0);
        if (adjustList) adjustList(session.results);
        Prompts prompts;
        ExploreCurrentFolder(session, prompts);
        return prompts.messages;
    }

    struct Prompts : MessagePrompts {
        void ShowMessage(MessageKind kind, std::string_view text) override {
            messages.emplace_back(kind, std::string(text));
        }
        std::vector<std::pair<MessageKind, std::string>> messages;
    };
    std::function<void(ResultList&)> adjustList;
};

TEST_F(ExploreFolderTest, OpensTheFolderTheCurrentEntryWasFoundIn) {
    tree.AddFile("drive/Docs/a.txt");
    fs::path found = tree.AddFile("drive/DOCS/A.txt").parent_path();
    adjustList = [](ResultList& list) { list.ShowLowerCased(0); };

    EXPECT_TRUE(Explore("t:\\DOCS\\A.txt").empty());
    EXPECT_EQ(desktop.Opened(), found.string() + "\n");
}

TEST_F(ExploreFolderTest, WarnsWhenTheFolderCannotBeOpened) {
    tree.AddFile("drive/Docs/a.txt");
    const std::pair<MessageKind, std::string> warning{
        MessageKind::Warning, "This folder could not be opened in explorer."};

    desktop.SetApplicationKnown(false);  // no file manager
    EXPECT_THAT(Explore("t:\\Docs\\a.txt"), ::testing::ElementsAre(warning));
    EXPECT_THAT(Explore("t:\\Gone\\a.txt"), ::testing::ElementsAre(warning));
}

TEST_F(ExploreFolderTest, AFolderOfMoreThan255CharactersIsNotCutShortButRefused) {
    // "t:\" and three names with their backslashes: 3 + 3 * 84 = 255 characters.
    const std::string name(83, 'n');
    const std::string longer = name + "n";
    tree.AddFile("drive/" + name + "/" + name + "/" + name + "/a.txt");
    tree.AddFile("drive/" + name + "/" + name + "/" + longer + "/a.txt");

    EXPECT_TRUE(Explore("t:\\" + name + "\\" + name + "\\" + name + "\\a.txt").empty());
    ASSERT_NE(desktop.Opened(), "");
    desktop.ForgetOpened();
    EXPECT_THAT(Explore("t:\\" + name + "\\" + name + "\\" + longer + "\\a.txt"),
                ::testing::ElementsAre(std::pair<MessageKind, std::string>{
                    MessageKind::Warning, "This folder could not be opened in explorer."}));
    EXPECT_EQ(desktop.Opened(300ms), "");
}

}  // namespace
}  // namespace vellomar
