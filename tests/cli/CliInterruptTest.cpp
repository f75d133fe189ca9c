// vellomar-cli getting a real SIGINT in the middle of a walk, as from Ctrl-C:
// the walk stops, what it found so far is printed with its totals, nothing is
// deleted, and the status is 130.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/CliProgram.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;

constexpr int kFolders = 200;
constexpr int kFilesEach = 25;

struct Interrupted {
    int status = -1;
    std::vector<std::string> out;
    std::vector<std::string> err;
};

class CliInterruptTest : public ::testing::Test {
protected:
    CliInterruptTest() {
        tree.AddFolder("config");
        for (int folder = 0; folder < kFolders; ++folder)
            for (int file = 0; file < kFilesEach; ++file)
                tree.AddFile("drive/f" + std::to_string(folder) + "/" + std::to_string(file) + ".tmp", 0);
    }

    // Starts the program, sends SIGINT once its walk has entered a folder of
    // the drive (a walk makes each folder it lists the current one), and waits.
    Interrupted RunAndInterrupt(const std::vector<std::string>& words) {
        const fs::path out = tree / "out.txt", err = tree / "err.txt";
        const std::string config = "XDG_CONFIG_HOME=" + (tree / "config").string();
        const std::string drive = "t=" + (tree / "drive").string();
        const pid_t child = fork();
        if (child == 0) {
            dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            signal(SIGINT, SIG_DFL);
            std::vector<const char*> argv = {VELLOMAR_CLI_PATH, "--drive", drive.c_str()};
            for (const std::string& word : words) argv.push_back(word.c_str());
            argv.push_back(nullptr);
            const char* env[] = {config.c_str(), "PATH=/usr/bin:/bin", nullptr};
            execve(VELLOMAR_CLI_PATH, const_cast<char* const*>(argv.data()), const_cast<char* const*>(env));
            _exit(127);
        }
        const fs::path cwd = "/proc/" + std::to_string(child) + "/cwd";
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        std::error_code error;
        while (!fs::read_symlink(cwd, error).string().starts_with((tree / "drive" / "f").string()) &&
               std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        kill(child, SIGINT);
        Interrupted run;
        waitpid(child, &run.status, 0);
        run.out = test::OutputLines(test::ReadWholeFile(out));
        run.err = test::OutputLines(test::ReadWholeFile(err));
        return run;
    }
    std::size_t FilesLeft() const {
        std::size_t count = 0;
        for (const auto& entry : fs::recursive_directory_iterator(tree / "drive"))
            count += entry.is_regular_file();
        return count;
    }

    test::TempTree tree;
};

TEST_F(CliInterruptTest, CtrlCStopsTheWalkPrintsWhatWasFoundAndDeletesNothing) {
    const Interrupted run = RunAndInterrupt({"garbage", "t:", "--delete", "--yes"});
    ASSERT_TRUE(WIFEXITED(run.status)) << "ended by signal " << WTERMSIG(run.status);
    EXPECT_EQ(WEXITSTATUS(run.status), 130);
    EXPECT_FALSE(run.out.empty());
    EXPECT_LT(run.out.size(), std::size_t{kFolders * kFilesEach});  // the walk ended early
    for (const std::string& line : run.out) EXPECT_THAT(line, ::testing::StartsWith("t:\\f"));
    EXPECT_THAT(run.err, Contains("Total Files = " + std::to_string(run.out.size())));
    EXPECT_THAT(run.err, Contains("vellomar-cli: stopped: nothing was deleted or moved"));
    EXPECT_EQ(FilesLeft(), std::size_t{kFolders * kFilesEach});
}

}  // namespace
}  // namespace vellomar
