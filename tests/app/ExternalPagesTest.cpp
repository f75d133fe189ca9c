#include "app/ExternalPages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "support/RecordingScan.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

using Message = std::pair<MessageKind, std::string>;

const char kHelpMissing[] =
    "Error. Either your system does not have a default text viewer (for viewing the help "
    "text), or the text file was not found. Help.htm is the filename which should exist in "
    "the same directory as the Vellomar software.";
const char kNoBrowser[] =
    "You cannot view this file because you do not have a default web browser setup. You can "
    "still view this file by opening your web browser and pointing to the file download.htm "
    "which is located in your install directory, or view online at "
    "https://vellomar.example/downloads";

// The program lives in a folder whose path holds blanks, on drive t:, and PATH
// holds only a folder of the test's own, where a stand-in for the desktop's
// opener can be put.
class ExternalPagesTest : public ::testing::Test {
protected:
    ExternalPagesTest() : programFolder(tree.AddFolder("Program Files/Vellomar 1")) {
        if (const char* path = std::getenv("PATH")) savedPath_ = path;
        setenv("PATH", tree.AddFolder("bin").c_str(), 1);
        DriveTable drives;
        drives.Assign('t', tree.Root().string());
        platform = std::make_unique<Platform>(
            std::move(drives), UserFolders{(tree / "home").string(), programFolder.string(), ""});
    }
    ~ExternalPagesTest() override { setenv("PATH", savedPath_.c_str(), 1); }

    // The opener writes its arguments, one a line, to the file "opened" and
    // ends with the given exit status.
    void InstallOpener(int exitStatus) {
        fs::path opener = tree / "bin/xdg-open";
        std::ofstream(opener) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '"
                              << (tree / "opened").string() << "'\nexit " << exitStatus << "\n";
        fs::permissions(opener, fs::perms::owner_all);
    }
    std::string Opened() const { return test::ReadWholeFile(tree / "opened"); }

    test::TempTree tree;
    fs::path programFolder;
    std::unique_ptr<Platform> platform;
    test::ScriptedPrompts prompts;

private:
    std::string savedPath_;
};

TEST_F(ExternalPagesTest, EachPageOpensFromTheProgramFolderAsOneArgumentWithoutAWord) {
    InstallOpener(0);
    test::WriteWholeFile(programFolder / "Help.htm", "<p>help</p>");
    test::WriteWholeFile(programFolder / "download.htm", "<p>downloads</p>");

    OpenHelpPage(*platform, prompts);
    EXPECT_EQ(Opened(), (programFolder / "Help.htm").string() + "\n");
    OpenDownloadsPage(*platform, prompts);
    EXPECT_EQ(Opened(), (programFolder / "download.htm").string() + "\n");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ExternalPagesTest, HelpReportsOnlyAMissingPage) {
    InstallOpener(0);
    OpenHelpPage(*platform, prompts);
    EXPECT_EQ(prompts.messages, (std::vector<Message>{{MessageKind::Error, kHelpMissing}}));

    prompts.messages.clear();
    test::WriteWholeFile(programFolder / "Help.htm", "<p>help</p>");
    for (int noViewerOrOtherFailure : {3, 4}) {
        InstallOpener(noViewerOrOtherFailure);
        OpenHelpPage(*platform, prompts);
    }
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ExternalPagesTest, DownloadsPointsOnlineWheneverThePageCannotBeShown) {
    InstallOpener(0);
    OpenDownloadsPage(*platform, prompts);  // the page is missing

    test::WriteWholeFile(programFolder / "download.htm", "<p>downloads</p>");
    for (int noViewerOrOtherFailure : {3, 4}) {
        InstallOpener(noViewerOrOtherFailure);
        OpenDownloadsPage(*platform, prompts);
    }
    EXPECT_EQ(prompts.messages, (std::vector<Message>(3, {MessageKind::Plain, kNoBrowser})));
}

}  // namespace
}  // namespace vellomar
