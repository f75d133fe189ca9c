// The Quick Search settings at work: applying qsearch.ini to the flags, the
// main window's status lines, and the Quick Search window's buttons.

#include "quicksearch/QuickSearchCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "quicksearch/FolderAdmission.h"
#include "quicksearch/QuickSearchFile.h"
#include "support/RecordingScan.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using Folders = std::vector<std::string>;
using Message = std::pair<MessageKind, std::string>;
using Messages = std::vector<Message>;

const char kWriteError[] = "Unable to write to u:\\.config\\Velmo\\qsearch.ini";

auto Fields(const QuickSearchSettings& settings) {
    return std::tie(settings.skipFolders, settings.onlyFolders, settings.scope, settings.mode);
}

class QuickSearchCommandsTest : public ::testing::Test {
protected:
    QuickSearchCommandsTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
    }

    IniFile File() const { return platform->Ini(session.dataFolder.QuickSearchPath); }
    fs::path NativeFile() const { return tree / "home/.config/Velmo/qsearch.ini"; }
    void Write(std::string_view text) const { test::WriteWholeFile(NativeFile(), text); }
    // No file can be written where a folder stands, whoever runs the test.
    void BlockTheFile() const { fs::create_directory(NativeFile()); }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::ScriptedPrompts prompts;
};

// --- Applying the file to the flags ----------------------------------------

TEST_F(QuickSearchCommandsTest, TheScopeAndSearchDiskNowDecideWhetherTheFiltersAreOn) {
    struct Case {
        const char* scope;
        bool diskSearchRequested;
        bool on;
    };
    for (const Case& c : {Case{"Bothwindows", false, true}, Case{"Bothwindows", true, true},
                          Case{"Onlythiswindow", false, false}, Case{"Onlythiswindow", true, true},
                          Case{"Ignoreboth", false, false}, Case{"Ignoreboth", true, false},
                          Case{"bothwindows", true, false}}) {
        Write(std::string("[Status]\nSearch=") + c.scope + "\n");
        session.quickSearch.QuickSearchOn = !c.on;
        session.quickSearch.DiskSearchRequested = c.diskSearchRequested;
        ApplyQuickSearchSettings(session);
        EXPECT_EQ(session.quickSearch.QuickSearchOn, c.on) << c.scope << c.diskSearchRequested;
        EXPECT_EQ(session.quickSearch.DiskSearchRequested, c.diskSearchRequested);
    }
}

TEST_F(QuickSearchCommandsTest, TheModeDecidesWhichListApplies) {
    for (const auto& [status, onlyMode] : {std::pair{"Perform=Searchfolders\n", true},
                                           std::pair{"Perform=Skipfolders\n", false},
                                           std::pair{"Perform=searchfolders\n", false},
                                           std::pair{"", false}}) {
        Write(std::string("[Status]\nSearch=Bothwindows\n") + status);
        session.quickSearch.QuickSearchOnlyMode = !onlyMode;
        ApplyQuickSearchSettings(session);
        EXPECT_EQ(session.quickSearch.QuickSearchOnlyMode, onlyMode) << status;
    }
}

TEST_F(QuickSearchCommandsTest, AFileGoneLaterIsMadeAgainAndTheFlagsKeepTheirValues) {
    Write("[Status]\nSearch=Bothwindows\nPerform=Searchfolders\n");
    ApplyQuickSearchSettings(session);
    ASSERT_TRUE(session.quickSearch.QuickSearchOn && session.quickSearch.QuickSearchOnlyMode);

    fs::remove(NativeFile());
    ApplyQuickSearchSettings(session);
    EXPECT_TRUE(session.quickSearch.QuickSearchOn);
    EXPECT_TRUE(session.quickSearch.QuickSearchOnlyMode);
    EXPECT_EQ(Fields(ReadQuickSearchSettings(File())), Fields(QuickSearchSettings{}));

    // The new file is obeyed from the next apply on.
    ApplyQuickSearchSettings(session);
    EXPECT_FALSE(session.quickSearch.QuickSearchOn);
    EXPECT_FALSE(session.quickSearch.QuickSearchOnlyMode);
}

TEST_F(QuickSearchCommandsTest, AFileThatCannotBeMadeThrowsTheWriteError) {
    fs::remove(tree / "home/.config/Velmo");
    session.quickSearch.QuickSearchOn = true;
    try {
        ApplyQuickSearchSettings(session);
        ADD_FAILURE() << "no error";
    } catch (const IniWriteError& error) {
        EXPECT_STREQ(error.what(), kWriteError);
    }
    EXPECT_TRUE(session.quickSearch.QuickSearchOn);
}

// --- The main window's status lines ----------------------------------------

TEST(QuickSearchStatusTest, TheLinesAndColourFollowTheFlags) {
    using Shown = std::tuple<std::string_view, std::string_view, bool>;
    struct Case {
        bool on, onlyMode;
        Shown shown;
    };
    for (const Case& c :
         {Case{true, true, {"Quick search: ON", "(Searching only specified folders)", true}},
          Case{true, false, {"Quick search: ON", "(Bypassing specified folders)", true}},
          Case{false, true, {"Quick search: OFF", "(Searching entire hard drive)", false}},
          Case{false, false, {"Quick search: OFF", "(Searching entire hard drive)", false}}}) {
        QuickSearchState state;
        state.QuickSearchOn = c.on;
        state.QuickSearchOnlyMode = c.onlyMode;
        const QuickSearchStatus status = QuickSearchStatusOf(state);
        EXPECT_EQ(Shown(status.line1, status.line2, status.on), c.shown) << c.on << c.onlyMode;
    }
}

// --- Loading the window ----------------------------------------------------

TEST_F(QuickSearchCommandsTest, LoadingTakesTheListsScopeAndModeFromTheFile) {
    Write("[Skip]\nF2=t:\\Skip\n[Only]\nF1=t:\\Only\n"
          "[Status]\nSearch=Onlythiswindow\nPerform=Searchfolders\n");
    LoadQuickSearchWindow(session);
    EXPECT_EQ(Fields(session.quickSearch.window),
              Fields(QuickSearchSettings{{"t:\\Skip"}, {"t:\\Only"},
                                         QuickSearchScope::OnlyThisWindow,
                                         QuickSearchMode::SearchOnly}));
}

TEST_F(QuickSearchCommandsTest, ReloadingDropsUnsavedListEditsAndLeavesScopeAndModeAlone) {
    Write("[Skip]\nF1=t:\\Saved\n[Status]\nSearch=Bothwindows\nPerform=Searchfolders\n");
    session.quickSearch.window = {{"t:\\Unsaved"}, {"t:\\UnsavedToo"}, QuickSearchScope::Ignore,
                                  QuickSearchMode::Bypass};
    ReloadQuickSearchLists(session);
    EXPECT_EQ(Fields(session.quickSearch.window),
              Fields(QuickSearchSettings{{"t:\\Saved"}, {}, QuickSearchScope::Ignore,
                                         QuickSearchMode::Bypass}));
}

// --- "Add Folder" and "Remove Folder" --------------------------------------

TEST(QuickSearchListEditTest, APickedFolderIsAppendedEvenWhenAlreadyListed) {
    Folders list = {"t:\\A"};
    test::ScriptedPrompts prompts;
    AddFolder(list, "t:\\A", prompts);
    AddFolder(list, "t:\\", prompts);
    EXPECT_EQ(list, (Folders{"t:\\A", "t:\\A", "t:\\"}));
    const Message added = {MessageKind::Plain, "Folder successfully added to your list."};
    EXPECT_EQ(prompts.messages, (Messages{added, added}));
}

TEST(QuickSearchListEditTest, APickedDriveRootIsKeptWithItsBackslashSoBypassingItStillSearchesItsFiles) {
    QuickSearchState state;
    state.QuickSearchOn = true;
    test::ScriptedPrompts prompts;
    AddFolder(state.window.skipFolders, "t:", prompts);
    EXPECT_EQ(state.window.skipFolders, Folders{"t:\\"});
    EXPECT_TRUE(QuickSearchAdmitsFolder(state, "t:"));
    EXPECT_FALSE(QuickSearchAdmitsFolder(state, "t:\\docs"));
}

TEST(QuickSearchListEditTest, NoFolderPickedAddsNothing) {
    Folders list = {"t:\\A"};
    test::ScriptedPrompts prompts;
    AddFolder(list, "", prompts);
    EXPECT_EQ(list, Folders{"t:\\A"});
    EXPECT_EQ(prompts.messages,
              (Messages{{MessageKind::Plain,
                         "You did not choose a folder. Nothing was added to your list."}}));
}

TEST(QuickSearchListEditTest, AListOf500RefusesAnotherFolderWithAWarning) {
    Folders list(499, "t:\\Dir");
    test::ScriptedPrompts prompts;
    AddFolder(list, "t:\\Last", prompts);
    ASSERT_EQ(list.size(), 500u);
    prompts.messages.clear();

    AddFolder(list, "t:\\OneTooMany", prompts);
    EXPECT_EQ(list.size(), 500u);
    EXPECT_EQ(list.back(), "t:\\Last");
    EXPECT_EQ(prompts.messages,
              (Messages{{MessageKind::Warning,
                         "This list already holds 500 folders, as many as it can keep. Remove a "
                         "folder before you add another."}}));
}

TEST(QuickSearchListEditTest, RemovingTakesOutTheSelectedEntryAndNothingOutOfRange) {
    Folders list = {"t:\\A", "t:\\B", "t:\\C"};
    RemoveFolder(list, 1);
    EXPECT_EQ(list, (Folders{"t:\\A", "t:\\C"}));
    RemoveFolder(list, 2);
    RemoveFolder(list, static_cast<std::size_t>(-1));
    EXPECT_EQ(list, (Folders{"t:\\A", "t:\\C"}));

    Folders empty;
    RemoveFolder(empty, 0);
    EXPECT_TRUE(empty.empty());
}

// --- Saving the window -----------------------------------------------------

TEST_F(QuickSearchCommandsTest, ASavedWindowIsWhatTheNextLoadReads) {
    const QuickSearchSettings saved{{"t:\\Skip"}, {"t:\\Only1", "t:\\Only2"},
                                    QuickSearchScope::BothWindows, QuickSearchMode::SearchOnly};
    session.quickSearch.window = saved;
    EXPECT_TRUE(SaveQuickSearchWindow(session, prompts));
    EXPECT_TRUE(prompts.messages.empty());

    session.quickSearch.window = {};
    LoadQuickSearchWindow(session);
    EXPECT_EQ(Fields(session.quickSearch.window), Fields(saved));
}

TEST_F(QuickSearchCommandsTest, AFailedSaveIsShownAndKeepsTheWindowOpen) {
    BlockTheFile();
    session.quickSearch.window.skipFolders = {"t:\\Skip"};
    EXPECT_FALSE(SaveQuickSearchWindow(session, prompts));
    EXPECT_EQ(prompts.messages, (Messages{{MessageKind::Error, kWriteError}}));
}

TEST_F(QuickSearchCommandsTest, AFolderPathWithALineBreakIsRefusedAndTheOldFileStaysWhole) {
    session.quickSearch.window = {{"t:\\Old"}, {}, QuickSearchScope::BothWindows,
                                  QuickSearchMode::Bypass};
    ASSERT_TRUE(SaveQuickSearchWindow(session, prompts));
    const std::string before = test::ReadWholeFile(NativeFile());

    session.quickSearch.window.skipFolders.push_back("t:\\New\nF1=t:\\Injected");
    EXPECT_FALSE(SaveQuickSearchWindow(session, prompts));
    EXPECT_EQ(prompts.messages, (Messages{{MessageKind::Error, kWriteError}}));
    EXPECT_EQ(test::ReadWholeFile(NativeFile()), before);
}

// --- "Search Disk Now" -----------------------------------------------------

TEST_F(QuickSearchCommandsTest, ANameBoxOfBlanksAndControlsIsRefusedAndNothingSaved) {
    const Message refusal = {
        MessageKind::Plain,
        "You did not enter an file name or partial file name in the box. Click cancel if you do "
        "not wish to search your computer, otherwise enter something then click search again. "
        "For example, you can enter test to find all files that have the words test as part of "
        "the file name, or enter test.txt to find all files and locations on your pc containing "
        "files named test.txt."};
    for (std::string_view text : {std::string_view(""), std::string_view("   "),
                                  std::string_view(" \t\r\n\x01\x1f ")}) {
        prompts.messages.clear();
        EXPECT_FALSE(QuickSearchSearchDiskNow(session, text, prompts));
        EXPECT_EQ(prompts.messages, Messages{refusal});
        EXPECT_FALSE(session.quickSearch.DiskSearchRequested);
        EXPECT_FALSE(fs::exists(NativeFile()));
    }
}

TEST_F(QuickSearchCommandsTest, AWordBetweenBlanksSavesAndAsksForTheSearch) {
    session.quickSearch.window = {{}, {"t:\\Only"}, QuickSearchScope::OnlyThisWindow,
                                  QuickSearchMode::SearchOnly};
    EXPECT_TRUE(QuickSearchSearchDiskNow(session, " word ", prompts));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(session.quickSearch.DiskSearchRequested);
    EXPECT_EQ(Fields(ReadQuickSearchSettings(File())), Fields(session.quickSearch.window));

    // "This window only" now turns the filters on for the search.
    ApplyQuickSearchSettings(session);
    EXPECT_TRUE(session.quickSearch.QuickSearchOn);
    EXPECT_TRUE(session.quickSearch.QuickSearchOnlyMode);
}

TEST_F(QuickSearchCommandsTest, AFailedSaveAsksForNoSearch) {
    BlockTheFile();
    EXPECT_FALSE(QuickSearchSearchDiskNow(session, "word", prompts));
    EXPECT_EQ(prompts.messages, (Messages{{MessageKind::Error, kWriteError}}));
    EXPECT_FALSE(session.quickSearch.DiskSearchRequested);
}

}  // namespace
}  // namespace vellomar
