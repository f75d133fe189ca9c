// "View This File" and "Preview SS" on the result list's current entry, with a
// stand-in for the desktop's opener and screensavers that record how they ran.

#include "results/FileViewers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/DesktopStandIn.h"
#include "support/ListedEntries.h"
#include "support/PosixProcesses.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using ::testing::ElementsAre;
using Message = std::pair<MessageKind, std::string>;

class RecordingPrompts final : public MessagePrompts {
public:
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
    }
    std::vector<Message> messages;
};

const Message kEmptyList{MessageKind::Plain, "The list above is currently empty."};
const Message kNoViewer{MessageKind::Warning,
                        "This is not a viewable file, or your system does not have a viewer to "
                        "allow you to view this type of file."};
const Message kNotAScreensaver{
    MessageKind::Information,
    "This file is not a screensaver and cannot be previewed with this button. Screensavers have "
    "a file extenstion ending with \"SCR\". You can also use the screensavers button below to "
    "retrieve all screensavers on your system."};
const Message kCannotStart{MessageKind::Information,
                           "This file is not a screensaver and cannot be previewed with this "
                           "button. Screensaver have an extenstion ending with \"SCR\"."};

// PATH holds only a folder of the test's own, where the stand-in desktop lies.
class FileViewersTest : public ::testing::Test {
protected:
    FileViewersTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {}

    // A screensaver that writes its own path and its arguments to "record".
    fs::path AddScreensaver(std::string_view relative) {
        fs::path saver = tree.AddFile("drive/" + std::string(relative));
        test::WriteScript(saver, "printf '%s\\n' \"$0\" \"$@\" > '" + Record() + ".part'\nmv '" +
                               Record() + ".part' '" + Record() + "'");
        return saver;
    }
    // What the screensaver recorded, waiting a little for a
    // program that runs on its own; empty when nothing ran.
    std::string Recorded(std::chrono::milliseconds patience = 0ms) const {
        return test::ReadOnceWritten(Record(), patience);
    }

    void List(std::vector<std::string> entries) {
        for (std::string& entry : entries) test::AppendListed(session.results, session.platform.Files(), std::move(entry));
        session.results.SetCurrent(0);
    }

    test::TempTree tree;
    test::DesktopStandIn desktop{tree / "bin"};
    std::unique_ptr<Platform> platform;
    Session session;
    RecordingPrompts prompts;

private:
    std::string Record() const { return (tree / "record").string(); }
};

TEST_F(FileViewersTest, AnEmptyListIsReportedAndNothingStarts) {
    ViewCurrentFile(session, prompts);
    PreviewCurrentScreensaver(session, prompts);

    EXPECT_THAT(prompts.messages, ElementsAre(kEmptyList, kEmptyList));
    EXPECT_EQ(desktop.Opened(300ms), "");
    EXPECT_EQ(Recorded(), "");
}

TEST_F(FileViewersTest, ViewOpensTheCurrentEntryAsItWasFoundWhateverIsHighlighted) {
    tree.AddFile("drive/Docs/one.txt");
    tree.AddFile("drive/Docs/Two.txt");
    tree.AddFile("drive/Docs/three.txt");
    fs::path found = tree.AddFile("drive/Docs/Three.TXT");
    List({"t:\\Docs\\one.txt", "t:\\Docs\\Two.txt", "t:\\Docs\\Three.TXT"});
    session.results.Highlight(0);
    session.results.Highlight(1);
    session.results.ShowLowerCased(2);  // as a case-folding sort leaves it
    session.results.SetCurrent(2);      // a double click on the third entry

    ViewCurrentFile(session, prompts);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(desktop.Opened(), found.string() + "\n");
}

TEST_F(FileViewersTest, ViewWarnsOnlyWhenNoApplicationIsAssociated) {
    tree.AddFile("drive/data.xyz");
    List({"t:\\data.xyz", "t:\\gone.txt"});

    desktop.SetApplicationKnown(false);
    ViewCurrentFile(session, prompts);
    EXPECT_THAT(prompts.messages, ElementsAre(kNoViewer));

    prompts.messages.clear();
    desktop.SetApplicationKnown(true);
    desktop.SetOpener(4);  // any failure of the opener itself
    ViewCurrentFile(session, prompts);
    session.results.SetCurrent(1);  // a file deleted since the search
    ViewCurrentFile(session, prompts);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(FileViewersTest, PreviewStartsAScreensaverInAnyLetterCaseWithTheArgumentS) {
    fs::path saver = AddScreensaver("My Savers/blue sky.scr");
    List({"t:\\My Savers\\blue sky.scr"});

    PreviewCurrentScreensaver(session, prompts);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Recorded(5s), saver.string() + "\n/S\n");  // the path whole, then one argument
}

TEST_F(FileViewersTest, PreviewRefusesEveryOtherExtensionWithoutStartingIt) {
    for (const char* name : {"saver.scr.bak", "screensaver", "Savers.scr/readme", "saver.scrx"})
        AddScreensaver(name);
    List({"t:\\saver.scr.bak", "t:\\screensaver", "t:\\Savers.scr\\readme", "t:\\saver.scrx"});

    for (std::size_t entry = 0; entry < session.results.Count(); ++entry) {
        session.results.SetCurrent(entry);
        PreviewCurrentScreensaver(session, prompts);
    }
    EXPECT_THAT(prompts.messages,
                ElementsAre(kNotAScreensaver, kNotAScreensaver, kNotAScreensaver, kNotAScreensaver));
    EXPECT_EQ(Recorded(100ms), "");
}

TEST_F(FileViewersTest, PreviewReportsAScreensaverThatCannotBeStarted) {
    tree.AddFile("drive/windows.scr");  // not executable here
    List({"t:\\windows.scr", "t:\\gone.SCR"});

    PreviewCurrentScreensaver(session, prompts);
    session.results.SetCurrent(1);
    PreviewCurrentScreensaver(session, prompts);
    EXPECT_THAT(prompts.messages, ElementsAre(kCannotStart, kCannotStart));
}

}  // namespace
}  // namespace vellomar
