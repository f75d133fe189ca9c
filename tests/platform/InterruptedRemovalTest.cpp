// Removals of a process that a signal ends at any moment, as a person ends
// the program (Ctrl-C, a closed terminal, a logout) or the system does: a
// file that a removal put aside is removed or back under its name when the
// program ends, never left aside; what a kill that nothing holds back leaves
// aside, the next search puts back.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/Folder.h"
#include "quicksearch/FolderAdmission.h"
#include "run/Session.h"
#include "scan/WalkFolder.h"
#include "support/RecordingScan.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> Names(const fs::path& folder, std::string_view prefix) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(prefix))
            names.push_back(entry.path().filename().string());
    return names;
}

// A child process that makes and removes files of the folder one after the
// other until a signal ends it, with a second thread beside it, as the
// program's window has: a signal sent to the process may reach either.
pid_t StartRemoving(const fs::path& folder) {
    const pid_t child = fork();
    if (child != 0) return child;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
    std::thread([] {
        for (;;) pause();
    }).detach();
    const Folder opened = Folder::OpenNative(folder.string());
    for (unsigned number = 0;; ++number) {
        const std::string name = "f" + std::to_string(number) + ".tmp";
        close(open((folder / name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600));
        opened.RemoveFile(name);
    }
}

// Lets the child run for a while that differs from round to round, then ends
// it with the signal; true when the signal ended it.
bool EndAfterAWhile(pid_t child, int signal, int round) {
    std::this_thread::sleep_for(std::chrono::microseconds(300 + (round * 397) % 1500));
    kill(child, signal);
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFSIGNALED(status) && WTERMSIG(status) == signal;
}

TEST(InterruptedRemoval, AnEndingSignalWaitsUntilTheFileIsRemovedOrBack) {
    test::TempTree tree;
    const fs::path folder = tree.AddFolder("work");
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        for (int round = 0; round < 40; ++round) {
            ASSERT_TRUE(EndAfterAWhile(StartRemoving(folder), signal, round)) << signal;
            ASSERT_THAT(Names(folder, kAsidePrefix), IsEmpty()) << "signal " << signal;
            for (const std::string& made : Names(folder, "f")) fs::remove(folder / made);
        }
    }
}

// A kill nothing holds back, repeated until one lands while a file is aside.
std::string LeaveAnAsideFile(const fs::path& folder) {
    for (int round = 0; round < 2000; ++round) {
        EndAfterAWhile(StartRemoving(folder), SIGKILL, round);
        for (const std::string& made : Names(folder, "f")) fs::remove(folder / made);
        const std::vector<std::string> aside = Names(folder, kAsidePrefix);
        if (!aside.empty()) return aside.front();
    }
    return {};
}

TEST(InterruptedRemoval, TheNextSearchPutsAFileLeftAsideBackUnderItsName) {
    test::TempTree tree;
    const std::unique_ptr<Platform> platform = test::MakeTestPlatform(tree);
    Session session(*platform);
    const fs::path folder = tree.AddFolder("drive/work");
    const std::string aside = LeaveAnAsideFile(folder);
    ASSERT_FALSE(aside.empty()) << "no kill landed while a file was aside";
    const std::string name = aside.substr(aside.rfind('-') + 1);
    ASSERT_THAT(name, ::testing::MatchesRegex("f[0-9]+\\.tmp"));

    test::RecordingView view;
    session.scan.ContinueScan = true;
    session.scan.FindGarbage = true;
    WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:");
    EXPECT_THAT(Names(folder, ""), ElementsAre(name));
}

TEST(InterruptedRemoval, AFileLeftAsideNeverGoesOverAnotherOrIntoAnotherUsersName) {
    if (geteuid() != 0) GTEST_SKIP() << "a file of another user needs root";
    test::TempTree tree;
    const fs::path folder = tree.AddFolder("shared");
    const std::string aside = std::string(kAsidePrefix) + std::string(32, 'a') + "-";
    test::WriteWholeFile(folder / (aside + "taken.tmp"), "left aside");
    test::WriteWholeFile(folder / "taken.tmp", "made since");
    test::WriteWholeFile(folder / (aside + "hers.tmp"), "hers");
    ASSERT_EQ(lchown((folder / (aside + "hers.tmp")).c_str(), 65534, 65534), 0);
    const fs::path unnamed = folder / (std::string(kAsidePrefix) + std::string(32, 'b'));
    test::WriteWholeFile(unnamed, "its name did not fit");

    const Folder opened = Folder::OpenNative(folder.string());
    EXPECT_EQ(opened.PutAsideBack(aside + "taken.tmp"), FileOutcome::TargetExists);
    EXPECT_EQ(opened.PutAsideBack(aside + "hers.tmp"), FileOutcome::NotPermitted);
    EXPECT_EQ(opened.PutAsideBack(unnamed.filename().string()), FileOutcome::NotFound);
    EXPECT_EQ(test::ReadWholeFile(folder / "taken.tmp"), "made since");
    EXPECT_EQ(Names(folder, kAsidePrefix).size(), 3u);

    fs::remove(folder / "taken.tmp");
    EXPECT_EQ(opened.PutAsideBack(aside + "taken.tmp"), FileOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(folder / "taken.tmp"), "left aside");
}

}  // namespace
}  // namespace vellomar
