#include "app/ExternalPages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/RecordingScan.h"
#include "support/DesktopStandIn.h"
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
        DriveTable drives;
        drives.Assign('t', tree.Root().string());
        platform = std::make_unique<Platform>(
            std::move(drives), UserFolders{(tree / "home").string(), programFolder.string(), ""});
    }
    enum class Failure { NoViewer, OpenerFails };
    void MakeOpeningFail(Failure failure) {
        desktop.SetApplicationKnown(failure != Failure::NoViewer);
        if (failure == Failure::OpenerFails) desktop.MakeOpenerUnrunnable();
    }

    test::TempTree tree;
    test::DesktopStandIn desktop{tree / "bin"};
    fs::path programFolder;
    std::unique_ptr<Platform> platform;
    test::ScriptedPrompts prompts;
};

TEST_F(ExternalPagesTest, EachPageOpensFromTheProgramFolderAsOneArgumentWithoutAWord) {
    test::WriteWholeFile(programFolder / "Help.htm", "<p>help</p>");
    test::WriteWholeFile(programFolder / "download.htm", "<p>downloads</p>");

    OpenHelpPage(*platform, prompts);
    EXPECT_EQ(desktop.Opened(), (programFolder / "Help.htm").string() + "\n");
    desktop.ForgetOpened();
    OpenDownloadsPage(*platform, prompts);
    EXPECT_EQ(desktop.Opened(), (programFolder / "download.htm").string() + "\n");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ExternalPagesTest, HelpReportsOnlyAMissingPage) {
    OpenHelpPage(*platform, prompts);
    EXPECT_EQ(prompts.messages, (std::vector<Message>{{MessageKind::Error, kHelpMissing}}));

    prompts.messages.clear();
    test::WriteWholeFile(programFolder / "Help.htm", "<p>help</p>");
    for (Failure failure : {Failure::NoViewer, Failure::OpenerFails}) {
        MakeOpeningFail(failure);
        OpenHelpPage(*platform, prompts);
    }
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ExternalPagesTest, DownloadsPointsOnlineWheneverThePageCannotBeShown) {
    OpenDownloadsPage(*platform, prompts);  // the page is missing

    test::WriteWholeFile(programFolder / "download.htm", "<p>downloads</p>");
    for (Failure failure : {Failure::NoViewer, Failure::OpenerFails}) {
        MakeOpeningFail(failure);
        OpenDownloadsPage(*platform, prompts);
    }
    EXPECT_EQ(prompts.messages, (std::vector<Message>(3, {MessageKind::Plain, kNoBrowser})));
}

}  // namespace
}  // namespace vellomar
