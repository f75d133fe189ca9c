// Starting a program file with one argument, as "Preview SS" starts a screensaver.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "platform/Shell.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A process's state letter ('Z' for a zombie); nothing once it is gone.
std::optional<char> ProcessState(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text)) return std::nullopt;
    const std::size_t afterName = text.rfind(')');
    if (afterName == std::string::npos || afterName + 2 >= text.size()) return std::nullopt;
    return text[afterName + 2];
}

bool GoneWithin(pid_t pid, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (ProcessState(pid) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    return !ProcessState(pid);
}

class StartProgramTest : public ::testing::Test {
protected:
    StartProgramTest() : platform(test::MakeTestPlatform(tree)) {}

    // A program that records its process id, its name and its arguments, one a
    // line, then runs rest.
    fs::path AddRecorder(std::string_view relative, const std::string& rest,
                         fs::perms permissions = fs::perms::owner_all) {
        fs::path program = tree.AddFile("drive/" + std::string(relative));
        const std::string record = (tree / "record").string();
        std::ofstream(program) << "#!/bin/sh\n"
                               << "printf '%s\\n' \"$$\" \"$0\" \"$#\" \"$@\" > '" << record
                               << ".part'\nmv '" << record << ".part' '" << record << "'\n"
                               << rest << "\n";
        fs::permissions(program, permissions);
        return program;
    }

    // The recorded lines, once the program has written them.
    std::vector<std::string> Recorded() const {
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (!fs::exists(tree / "record") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
        std::istringstream text(test::ReadWholeFile(tree / "record"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        return lines;
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
};

TEST_F(StartProgramTest, HandsThePathWithBlanksOverWholeAndTheArgumentAsOne) {
    fs::path program = AddRecorder("My Savers/Blue Sky.scr", "exit 0");

    ASSERT_TRUE(platform->StartProgram("t:\\my savers\\BLUE SKY.SCR", NameMatch::AnyCase, "/S"));
    const std::vector<std::string> lines = Recorded();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], program.string());
    EXPECT_EQ(lines[2], "1");
    EXPECT_EQ(lines[3], "/S");
    EXPECT_TRUE(GoneWithin(std::stoi(lines[0]), 5s)) << "the program was left a zombie";
}

TEST_F(StartProgramTest, ReturnsAtOnceAndReapsTheProgramWhenItEnds) {
    AddRecorder("slow.scr", "exec sleep 5");

    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(platform->StartProgram("t:\\slow.scr", NameMatch::AnyCase, "/S"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);

    const std::vector<std::string> lines = Recorded();
    ASSERT_FALSE(lines.empty());
    const pid_t pid = std::stoi(lines[0]);
    ASSERT_NE(ProcessState(pid).value_or('Z'), 'Z');  // still running
    ASSERT_EQ(kill(pid, SIGTERM), 0);
    EXPECT_TRUE(GoneWithin(pid, 5s)) << "the program was left a zombie";
}

TEST_F(StartProgramTest, AFileThatCannotRunIsNotStarted) {
    AddRecorder("plain.scr", "exit 0", fs::perms::owner_read | fs::perms::owner_write);
    // Executable, but no program format the system knows: no shell may read it instead.
    fs::path noFormat = tree.AddFile("drive/noformat.scr");
    std::ofstream(noFormat) << "touch '" << (tree / "record").string() << "'\n";
    fs::permissions(noFormat, fs::perms::owner_all);
    tree.AddFolder("drive/folder.scr");

    EXPECT_FALSE(platform->StartProgram("t:\\plain.scr", NameMatch::AnyCase, "/S"));
    EXPECT_FALSE(platform->StartProgram("t:\\noformat.scr", NameMatch::AnyCase, "/S"));
    EXPECT_FALSE(platform->StartProgram("t:\\folder.scr", NameMatch::AnyCase, "/S"));
    EXPECT_FALSE(platform->StartProgram("t:\\absent.scr", NameMatch::AnyCase, "/S"));
    EXPECT_FALSE(platform->StartProgram("x:\\absent.scr", NameMatch::AnyCase, "/S"));  // no such drive
    EXPECT_FALSE(StartProgramFile("relative.scr", "/S"));
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(fs::exists(tree / "record"));
}

}  // namespace
}  // namespace vellomar
