// The shell's opener and the program starter on Windows (or Wine): the
// opener's own result codes for what it cannot open, and a program started
// with its one argument whole, as its C runtime splits the command line.

#include <gtest/gtest.h>

#include "platform/win32/SystemApi.h"

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/Shell.h"
#include "platform/win32/WidePath.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

TEST(Win32Shell, TheOpenerTellsAMissingFileAndATypeWithoutApplicationApart) {
    test::TempTree tree;
    EXPECT_EQ(OpenWithDesktop((tree / "missing.txt").generic_string()), kShellFileNotFound);
    const fs::path unknown = tree.AddFile("notes.vellomar-no-such-type");
    EXPECT_EQ(OpenWithDesktop(unknown.generic_string()), kShellNoAssociation);
}

TEST(Win32Shell, AProgramStartsWithItsOneArgumentWholeBlanksAndBackslashesIncluded) {
    test::TempTree tree;
    EXPECT_FALSE(StartProgramFile((tree / "missing.exe").generic_string(), "x"));

    // This test program started again, running none of its tests, writes its
    // report into the folder its one argument names: a folder with a blank,
    // written with the closing backslash that quoting must not swallow.
    const fs::path folder = tree.AddFolder("report folder");
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    SetEnvironmentVariableW(L"GTEST_FILTER", L"NoTestHasThisName");
    const bool started = StartProgramFile(
        NativePathOf(self), "--gtest_output=xml:" + Narrowed(folder.wstring()) + "\\");
    SetEnvironmentVariableW(L"GTEST_FILTER", nullptr);
    ASSERT_TRUE(started);
    const fs::path report = folder / (fs::path(self).stem().string() + ".xml");
    // The report is whole once its outermost element is closed.
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (text.find("</testsuites>") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline) {
        Sleep(20);
        std::error_code missing;
        if (fs::exists(report, missing)) text = test::ReadWholeFile(report);
    }
    EXPECT_NE(text.find("</testsuites>"), std::string::npos) << report;
}

}  // namespace
}  // namespace vellomar
