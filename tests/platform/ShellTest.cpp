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

#include "app/Session.h"
#include "platform/Platform.h"
#include "results/FileDetails.h"
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

// Runs each test with PATH holding only a folder of the test's own, where a
// stand-in for the desktop's opener can be put.
class ShellTest : public ::testing::Test {
protected:
    ShellTest() {
        if (const char* path = std::getenv("PATH")) savedPath_ = path;
        setenv("PATH", tree.AddFolder("bin").c_str(), 1);
        drives.Assign('t', tree.AddFolder("drive").string());
    }
    ~ShellTest() override { setenv("PATH", savedPath_.c_str(), 1); }

    // The opener runs body after writing its argument count and first argument
    // to the file "opened".
    void InstallOpener(const std::string& body) {
        fs::path opener = tree / "bin/xdg-open";
        std::ofstream(opener) << "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                              << "printf '%s\\n' \"$#\" \"$1\" > '" << (tree / "opened").string()
                              << "'\n"
                              << body << "\n";
        fs::permissions(opener, fs::perms::owner_all);
    }
    std::string Opened() const { return test::ReadWholeFile(tree / "opened"); }

    test::TempTree tree;
    DriveTable drives;

private:
    std::string savedPath_;
};

TEST_F(ShellTest, HandsTheFoundFileOverAsOneArgumentInAnyLetterCase) {
    InstallOpener("exit 0");
    fs::path page = tree.AddFile("drive/My Pages/-n 'q' \"x\".htm");
    Platform platform(std::move(drives), UserFolders{(tree / "home").string(), "", ""});

    EXPECT_EQ(platform.ShellOpen("t:\\my pages\\-N 'Q' \"X\".HTM", NameMatch::AnyCase), kShellStarted);
    EXPECT_EQ(Opened(), "1\n" + page.string() + "\n");
}

TEST_F(ShellTest, AMissingFileIsNotFoundWithoutStartingTheOpener) {
    InstallOpener("exit 0");
    Platform platform(std::move(drives), UserFolders{(tree / "home").string(), "", ""});

    EXPECT_EQ(platform.ShellOpen("t:\\absent.htm", NameMatch::AnyCase), kShellFileNotFound);
    EXPECT_EQ(platform.ShellOpen("x:\\absent.htm", NameMatch::AnyCase), kShellFileNotFound);  // no such drive
    EXPECT_FALSE(fs::exists(tree / "opened"));
}

TEST_F(ShellTest, TellsTheOpenersOutcomesApart) {
    fs::path page = tree.AddFile("page.htm");
    struct Case {
        const char* body;
        int result;
    };
    for (Case c : {Case{"exit 0", kShellStarted}, Case{"exit 2", kShellFileNotFound},
                   Case{"exit 3", kShellNoAssociation}, Case{"exit 4", kShellOtherFailure},
                   Case{"kill -9 $$", kShellOtherFailure}}) {
        SCOPED_TRACE(c.body);
        InstallOpener(c.body);
        EXPECT_EQ(OpenWithDesktop(page.string()), c.result);
    }
}

TEST_F(ShellTest, WithoutAnOpenerOnThePathNoApplicationIsAssociated) {
    fs::path page = tree.AddFile("page.htm");
    EXPECT_EQ(OpenWithDesktop(page.string()), kShellNoAssociation);
}

TEST_F(ShellTest, NeverHandsOverAPathTheOpenerCouldTakeForAnOption) {
    InstallOpener("exit 0");
    EXPECT_EQ(OpenWithDesktop("-n"), kShellOtherFailure);
    EXPECT_FALSE(fs::exists(tree / "opened"));
}

TEST_F(ShellTest, AnOpenerStillBusyIsTakenAsStartedAndReapedOnceItEnds) {
    fs::path page = tree.AddFile("page.htm");
    InstallOpener("sleep 1");
    ASSERT_EQ(ChildProcessCount(), 0);

    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(OpenWithDesktop(page.string(), 50ms), kShellStarted);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 900ms);
    EXPECT_EQ(ChildProcessCount(), 1);  // still running

    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (ChildProcessCount() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    EXPECT_EQ(ChildProcessCount(), 0) << "the opener was left a zombie";
}

TEST_F(ShellTest, ExploresAFolderWrittenInAnyLetterCaseWithItsTrailingBackslash) {
    InstallOpener("exit 0");
    fs::path folder = tree.AddFolder("drive/My Pages");
    Platform platform(std::move(drives), UserFolders{(tree / "home").string(), "", ""});

    EXPECT_EQ(platform.ShellExplore("t:\\MY PAGES\\", NameMatch::AnyCase), kShellStarted);
    EXPECT_EQ(Opened(), "1\n" + folder.string() + "\n");
    EXPECT_EQ(platform.ShellExplore("t:\\", NameMatch::AnyCase), kShellStarted);
    EXPECT_EQ(Opened(), "1\n" + (tree / "drive").string() + "\n");
}

TEST_F(ShellTest, ExploresNothingButAnExistingFolder) {
    InstallOpener("exit 0");
    tree.AddFile("drive/run.sh");
    Platform platform(std::move(drives), UserFolders{(tree / "home").string(), "", ""});

    EXPECT_EQ(platform.ShellExplore("t:\\absent\\", NameMatch::AnyCase), kShellFileNotFound);
    EXPECT_EQ(platform.ShellExplore("t:\\run.sh", NameMatch::AnyCase), kShellFileNotFound);  // never run a file
    EXPECT_FALSE(fs::exists(tree / "opened"));
}

// "Explore Folder" on the result list's current entry.
class ExploreFolderTest : public ShellTest {
protected:
    // Explores the folder of the one entry of a fresh list.
    std::vector<std::pair<MessageKind, std::string>> Explore(const std::string& entry) {
        Platform platform(DriveTable(drives), UserFolders{(tree / "home").string(), "", ""});
        Session session(platform);
        session.results.Append(entry);
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
    InstallOpener("exit 0");
    tree.AddFile("drive/Docs/a.txt");
    fs::path found = tree.AddFile("drive/DOCS/A.txt").parent_path();
    adjustList = [](ResultList& list) { list.ShowLowerCased(0); };

    EXPECT_TRUE(Explore("t:\\DOCS\\A.txt").empty());
    EXPECT_EQ(Opened(), "1\n" + found.string() + "\n");
}

TEST_F(ExploreFolderTest, WarnsWhenTheFolderCannotBeOpened) {
    tree.AddFile("drive/Docs/a.txt");
    const std::pair<MessageKind, std::string> warning{
        MessageKind::Warning, "This folder could not be opened in explorer."};

    InstallOpener("exit 3");  // no file manager
    EXPECT_THAT(Explore("t:\\Docs\\a.txt"), ::testing::ElementsAre(warning));
    EXPECT_THAT(Explore("t:\\Gone\\a.txt"), ::testing::ElementsAre(warning));
}

TEST_F(ExploreFolderTest, AFolderOfMoreThan255CharactersIsNotCutShortButRefused) {
    InstallOpener("exit 0");
    // "t:\" and three names with their backslashes: 3 + 3 * 84 = 255 characters.
    const std::string name(83, 'n');
    const std::string longer = name + "n";
    tree.AddFile("drive/" + name + "/" + name + "/" + name + "/a.txt");
    tree.AddFile("drive/" + name + "/" + name + "/" + longer + "/a.txt");

    EXPECT_TRUE(Explore("t:\\" + name + "\\" + name + "\\" + name + "\\a.txt").empty());
    fs::remove(tree / "opened");
    EXPECT_THAT(Explore("t:\\" + name + "\\" + name + "\\" + longer + "\\a.txt"),
                ::testing::ElementsAre(std::pair<MessageKind, std::string>{
                    MessageKind::Warning, "This folder could not be opened in explorer."}));
    EXPECT_FALSE(fs::exists(tree / "opened"));
}

}  // namespace
}  // namespace vellomar
