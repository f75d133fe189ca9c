// qsearch.ini: how the Quick Search settings are read from it, saved to it and
// how a new one is laid out, over a temporary data folder.

#include "quicksearch/QuickSearchFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/TextFile.h"
#include "run/Session.h"
#include "support/Portability.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#ifndef _WIN32
#include "support/OpenCount.h"
#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using Folders = std::vector<std::string>;

// "F<from>=" up to "F<to>=", one empty key a line.
std::string EmptyKeys(std::size_t from, std::size_t to) {
    std::string lines;
    for (std::size_t number = from; number <= to; ++number)
        lines += "F" + std::to_string(number) + "=\n";
    return lines;
}

// "t:\<prefix>1" up to "t:\<prefix><count>".
Folders NumberedFolders(std::string_view prefix, std::size_t count) {
    Folders folders;
    for (std::size_t number = 1; number <= count; ++number)
        folders.push_back("t:\\" + std::string(prefix) + std::to_string(number));
    return folders;
}

auto Fields(const QuickSearchSettings& settings) {
    return std::tie(settings.skipFolders, settings.onlyFolders, settings.scope, settings.mode);
}

class QuickSearchFileTest : public ::testing::Test {
protected:
    QuickSearchFileTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
    }

    IniFile File() const { return platform->Ini(session.dataFolder.QuickSearchPath); }
    fs::path NativeFile() const { return tree / "home/.config/Velmo/qsearch.ini"; }
    void Write(std::string_view text) const { test::WriteWholeFile(NativeFile(), text); }
    std::string Text() const { return test::ReadWholeFile(NativeFile()); }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
};

// --- Reading ---------------------------------------------------------------

TEST_F(QuickSearchFileTest, GapsDoNotEndAListAndTheKeyNumbersGiveTheOrder) {
    Write("[Only]\nF3=t:\\Third\nF1=t:\\First\n"
          "[Skip]\nF2=t:\\Dir\nF4=\nF7=t:\\Dir\nF500=temp\n");
    const FolderLists lists = ReadFolderLists(File());
    EXPECT_EQ(lists.onlyFolders, (Folders{"t:\\First", "t:\\Third"}));
    // Entries stay as written: the same folder twice, a plain word.
    EXPECT_EQ(lists.skipFolders, (Folders{"t:\\Dir", "t:\\Dir", "temp"}));
}

TEST_F(QuickSearchFileTest, OnlyKeysF1ToF500AreRead) {
    Write("[Skip]\nF501=t:\\Beyond\nF0=t:\\Zero\nF01=t:\\Padded\nF1000=t:\\Far\n"
          "[Only]\nF 2=t:\\Blank\n");
    const FolderLists lists = ReadFolderLists(File());
    EXPECT_TRUE(lists.skipFolders.empty());
    EXPECT_TRUE(lists.onlyFolders.empty());
}

TEST_F(QuickSearchFileTest, SectionAndKeyNamesMatchInAnyLetterCase) {
    Write("[sKIP]\nf1=t:\\Low\n[ONLY]\nF2=t:\\Up\n"
          "[status]\nSEARCH=Bothwindows\nperform=Searchfolders\n");
    const QuickSearchSettings settings = ReadQuickSearchSettings(File());
    EXPECT_EQ(settings.skipFolders, Folders{"t:\\Low"});
    EXPECT_EQ(settings.onlyFolders, Folders{"t:\\Up"});
    EXPECT_EQ(settings.scope, QuickSearchScope::BothWindows);
    EXPECT_EQ(settings.mode, QuickSearchMode::SearchOnly);
}

TEST_F(QuickSearchFileTest, TheScopeValueMustMatchExactlyElseItReadsAsIgnoreboth) {
    const std::vector<std::pair<std::string, QuickSearchScope>> cases = {
        {"Search=Bothwindows\n", QuickSearchScope::BothWindows},
        {"Search=Onlythiswindow\n", QuickSearchScope::OnlyThisWindow},
        {"Search=Ignoreboth\n", QuickSearchScope::Ignore},
        {"Search=bothwindows\n", QuickSearchScope::Ignore},
        {"Search=ONLYTHISWINDOW\n", QuickSearchScope::Ignore},
        {"Search=Bothwindow\n", QuickSearchScope::Ignore},
        {"Search=\n", QuickSearchScope::Ignore},
        {"", QuickSearchScope::Ignore},
    };
    for (const auto& [line, scope] : cases) {
        Write("[Status]\n" + line);
        EXPECT_EQ(ReadQuickSearchSettings(File()).scope, scope) << line;
    }
}

TEST_F(QuickSearchFileTest, TheModeValueMustMatchExactlyElseItReadsAsBypass) {
    const std::vector<std::pair<std::string, QuickSearchMode>> cases = {
        {"Perform=Searchfolders\n", QuickSearchMode::SearchOnly},
        {"Perform=Skipfolders\n", QuickSearchMode::Bypass},
        {"Perform=searchfolders\n", QuickSearchMode::Bypass},
        {"Perform=SearchFolders\n", QuickSearchMode::Bypass},
        {"Search=Searchfolders\n", QuickSearchMode::Bypass},  // no Perform key at all
    };
    for (const auto& [line, mode] : cases) {
        Write("[Status]\n" + line);
        EXPECT_EQ(ReadQuickSearchSettings(File()).mode, mode) << line;
    }
}

TEST_F(QuickSearchFileTest, AMissingFileReadsAsEmptyListsIgnorebothAndBypass) {
    const QuickSearchSettings settings = ReadQuickSearchSettings(File());
    EXPECT_EQ(Fields(settings), Fields(QuickSearchSettings{}));
}

TEST_F(QuickSearchFileTest, AnOverlongEntryIsCutAtTheValueLimitBetweenCharacters) {
    const std::string ascii = "t:\\" + std::string(3000, 'a');
    // The 2047th byte is the first half of a two-byte character.
    const std::string accented = "t:\\" + std::string(2043, 'b') + "\xC3\xA9" + "tail";
    Write("[Skip]\nF1=" + ascii + "\nF2=" + accented + "\n");
    EXPECT_EQ(ReadFolderLists(File()).skipFolders,
              (Folders{ascii.substr(0, 2047), accented.substr(0, 2046)}));
}

TEST_F(QuickSearchFileTest, EveryOverlongEntryIsCutFromOneReadingOfTheFile) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOpenCount;
#else
    std::string text;
    for (const char* section : {"[Skip]\n", "[Only]\n"}) {
        text += section;
        for (std::size_t number = 1; number <= 500; ++number)
            text += "F" + std::to_string(number) + "=t:\\" + std::string(3000, 'a') + "\n";
    }
    Write(text + "[Status]\nSearch=Bothwindows\n");
    const test::OpenCount count(NativeFile());

    const QuickSearchSettings settings = ReadQuickSearchSettings(File());

    EXPECT_EQ(count.Opens(), 1);
    const Folders cut(500, "t:\\" + std::string(2044, 'a'));
    EXPECT_EQ(settings.skipFolders, cut);
    EXPECT_EQ(settings.onlyFolders, cut);
    EXPECT_EQ(settings.scope, QuickSearchScope::BothWindows);
#endif
}

// A file beyond any the program writes is not read: it holds nothing the
// program wrote, and the next save replaces it whole.
TEST_F(QuickSearchFileTest, AFileTooLargeToReadReadsAsDefaultsAndASaveReplacesIt) {
    Write("[Status]\nSearch=Bothwindows\n[Other]\nk=v\n");
    fs::resize_file(NativeFile(), kMaxTextFileSize + 1);  // sparse: costs no disk
    EXPECT_EQ(Fields(ReadQuickSearchSettings(File())), Fields(QuickSearchSettings{}));

    SaveQuickSearchSettings(File(), {{"t:\\skip"}, {}, QuickSearchScope::BothWindows,
                                     QuickSearchMode::Bypass});
    EXPECT_EQ(Text(), "[Skip]\nF1=t:\\skip\n" + EmptyKeys(2, 500) + "[Only]\n" +
                          EmptyKeys(1, 500) + "[Status]\nSearch=Bothwindows\nPerform=Skipfolders\n");
}

// --- Saving ----------------------------------------------------------------

TEST_F(QuickSearchFileTest, ASaveBlanksBothListsFirstThenWritesTheListsScopeAndMode) {
    SaveQuickSearchSettings(File(), {{"t:\\Skip1", "t:\\Skip2"}, {"t:\\Only1"},
                                     QuickSearchScope::OnlyThisWindow,
                                     QuickSearchMode::SearchOnly});
    // The blanking writes Skip F1 before Only F1, so "Skip" comes first.
    EXPECT_EQ(Text(), "[Skip]\nF1=t:\\Skip1\nF2=t:\\Skip2\n" + EmptyKeys(3, 500) +
                          "[Only]\nF1=t:\\Only1\n" + EmptyKeys(2, 500) +
                          "[Status]\nSearch=Onlythiswindow\nPerform=Searchfolders\n");
}

TEST_F(QuickSearchFileTest, ASaveKeepsTheFilesOwnOrderAndEverythingElseInIt) {
    Write("; kept\n[Status]\nPerform=Searchfolders\nSearch=Bothwindows\nNote=kept\n"
          "[only]\nf2=t:\\Old2\nF1=t:\\Old1\n\n[Other]\nk=v\n");
    SaveQuickSearchSettings(File(), {{"t:\\NewSkip"}, {"t:\\NewOnly"},
                                     QuickSearchScope::Ignore, QuickSearchMode::Bypass});
    // Each key where one write after another leaves it: existing keys rewritten
    // in place, new keys after the last of their section, a new section at the end.
    EXPECT_EQ(Text(), "; kept\n[Status]\nPerform=Skipfolders\nSearch=Ignoreboth\nNote=kept\n"
                      "[only]\nF2=\nF1=t:\\NewOnly\n" + EmptyKeys(3, 500) +
                          "\n[Other]\nk=v\n"
                          "[Skip]\nF1=t:\\NewSkip\n" + EmptyKeys(2, 500));
}

TEST_F(QuickSearchFileTest, AShorterListAfterALongerOneLeavesNoStaleEntries) {
    SaveQuickSearchSettings(File(), {NumberedFolders("Skip", 500), NumberedFolders("Only", 3),
                                     QuickSearchScope::BothWindows, QuickSearchMode::Bypass});
    ASSERT_EQ(ReadFolderLists(File()).skipFolders, NumberedFolders("Skip", 500));

    SaveQuickSearchSettings(File(), {{"t:\\Kept"}, {}, QuickSearchScope::BothWindows,
                                     QuickSearchMode::Bypass});
    const FolderLists lists = ReadFolderLists(File());
    EXPECT_EQ(lists.skipFolders, Folders{"t:\\Kept"});
    EXPECT_TRUE(lists.onlyFolders.empty());
}

TEST_F(QuickSearchFileTest, EverySettingReadsBackAsSaved) {
    const Folders awkward = {"t:\\", "t:\\Program Files", "t:\\a=b;c", "t:\\[x]",
                             "t:\\Daten\\\xC3\x9C" "bung", "t:\\Program Files", "temp",
                             "t:\\ends in a blank ", " t:\\starts with one", "\"t:\\quoted\"",
                             "'t:\\single'"};
    for (QuickSearchScope scope : {QuickSearchScope::BothWindows, QuickSearchScope::OnlyThisWindow,
                                   QuickSearchScope::Ignore}) {
        for (QuickSearchMode mode : {QuickSearchMode::SearchOnly, QuickSearchMode::Bypass}) {
            const QuickSearchSettings saved{awkward, NumberedFolders("Only", 500), scope, mode};
            SaveQuickSearchSettings(File(), saved);
            EXPECT_EQ(Fields(ReadQuickSearchSettings(File())), Fields(saved));
        }
    }
}

TEST_F(QuickSearchFileTest, AFolderPathWithALineBreakFailsTheSaveAndLeavesTheFileWhole) {
    const std::string before = "[Skip]\nF1=t:\\Old\n[Status]\nSearch=Bothwindows\n";
    for (const std::string broken : {"t:\\a\nF2=t:\\Injected", "t:\\a\rb", "t:\\a\r\n"}) {
        Write(before);
        try {
            SaveQuickSearchSettings(File(), {{"t:\\Fine"}, {broken}, QuickSearchScope::Ignore,
                                             QuickSearchMode::Bypass});
            ADD_FAILURE() << "saved " << broken;
        } catch (const IniWriteError& error) {
            EXPECT_STREQ(error.what(), "Unable to write to u:\\.config\\Velmo\\qsearch.ini");
        }
        EXPECT_EQ(Text(), before);
    }
}

// A lone "\r" ends a line: an entry read can never hold a line break that would fail every save.
TEST_F(QuickSearchFileTest, WhatIsReadFromAnyFileCanBeSavedBack) {
    Write("[Skip]\rF1=t:\\a\rjunk\r\nF2=t:\\b\r[Status]\rSearch=Bothwindows\r");
    const QuickSearchSettings read = ReadQuickSearchSettings(File());
    EXPECT_EQ(read.skipFolders, (Folders{"t:\\a", "t:\\b"}));
    EXPECT_EQ(read.scope, QuickSearchScope::BothWindows);
    SaveQuickSearchSettings(File(), read);
    EXPECT_EQ(Fields(ReadQuickSearchSettings(File())), Fields(read));
}

// The whole save is one replacement of the file: key by key it would stop half done.
TEST_F(QuickSearchFileTest, ASaveCutShortLeavesTheOldFileWhole) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoWriteLimit;
#else
    const std::string before = "[Status]\nSearch=Bothwindows\n";
    Write(before);
    {
        test::FileSizeLimit tooSmallForAllKeys(1024);
        EXPECT_THROW(SaveQuickSearchSettings(File(), {}), IniWriteError);
    }
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(NativeFile().parent_path()),
                            fs::directory_iterator()),
              1);  // no temporary file left behind
#endif
}

// --- Creating --------------------------------------------------------------

TEST_F(QuickSearchFileTest, ANewFileHoldsBothEmptyListsAndOnlyTheScope) {
    CreateQuickSearchFile(File());
    EXPECT_EQ(Text(), "[Skip]\n" + EmptyKeys(1, 500) + "[Only]\n" + EmptyKeys(1, 500) +
                          "[Status]\nSearch=Ignoreboth\n");
    EXPECT_EQ(Fields(ReadQuickSearchSettings(File())), Fields(QuickSearchSettings{}));
}

}  // namespace
}  // namespace vellomar
