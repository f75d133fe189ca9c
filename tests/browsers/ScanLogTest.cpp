#include "browsers/ScanLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/RecordingScan.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

using ::testing::Each;
using ::testing::IsEmpty;

// "[section]" and the keys P1 to P100, each with the value that values(n) gives.
template <typename Values>
std::string Section(std::string_view name, Values values) {
    std::string text = "[" + std::string(name) + "]\n";
    for (int number = 1; number <= 100; ++number)
        text += "P" + std::to_string(number) + "=" + values(number) + "\n";
    return text;
}

std::string NoValue(int) { return ""; }

class ScanLogTest : public ::testing::Test {
protected:
    ScanLogTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
    }

    fs::path LogFile() const { return tree / "home/.config/Velmo/vmscan4.ini"; }
    std::string LogText() const { return test::ReadWholeFile(LogFile()); }
    void WriteLog(std::string_view text) { test::WriteWholeFile(LogFile(), text); }
    void Log(std::string_view folder, std::string_view section = kProfileSection) {
        LogBrowserFolder(session, folder, section, prompts);
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::ScriptedPrompts prompts;
};

TEST(IsBrowserPath, FindsItsThreeMarksInAnyLetterCase) {
    EXPECT_TRUE(IsBrowserPath("t:\\Program Files\\Netscape\\Users\\ann"));
    EXPECT_TRUE(IsBrowserPath("t:\\home\\ann\\.mozilla\\firefox\\x.default"));
    EXPECT_TRUE(IsBrowserPath("t:\\MozillaFirefox"));
    EXPECT_TRUE(IsBrowserPath("t:\\Real\\profile"));
    EXPECT_TRUE(IsBrowserPath("t:\\realplayer"));
    // "\REAL" needs the separator before it.
    EXPECT_FALSE(IsBrowserPath("t:\\unreal\\profile"));
    EXPECT_FALSE(IsBrowserPath("t:\\surreal"));
    EXPECT_FALSE(IsBrowserPath("t:\\Opera\\profile"));
    EXPECT_FALSE(IsBrowserPath(""));
}

TEST_F(ScanLogTest, TheNewLogHoldsBothSectionsWithEveryProfileSlotFirst) {
    CreateEmptyScanLog(session);
    EXPECT_EQ(LogText(), Section("P45", NoValue) + Section("L44", NoValue));
}

TEST_F(ScanLogTest, AnExistingLogIsLeftAsItIs) {
    WriteLog("[P45]\nP1=t:\\Mozilla\\a\\\n");
    CreateEmptyScanLog(session);
    EXPECT_EQ(LogText(), "[P45]\nP1=t:\\Mozilla\\a\\\n");
    WriteLog("");
    CreateEmptyScanLog(session);
    EXPECT_EQ(LogText(), "");
}

TEST_F(ScanLogTest, TheLogCannotBeCreatedWithoutItsDataFolder) {
    fs::remove(tree / "home/.config/Velmo");
    EXPECT_THROW(CreateEmptyScanLog(session), IniWriteError);
}

TEST_F(ScanLogTest, FoldersFillTheFirstFreeSlotsOfTheirOwnSection) {
    CreateEmptyScanLog(session);
    Log("t:\\Mozilla\\a\\");
    Log("t:\\Mozilla\\b\\");
    Log("t:\\Mozilla\\a\\", kLocalStoreSection);  // each section keeps its own folders
    EXPECT_EQ(LogText(), Section("P45", [](int n) {
                             return n == 1 ? "t:\\Mozilla\\a\\" : n == 2 ? "t:\\Mozilla\\b\\" : "";
                         }) + Section("L44", [](int n) { return n == 1 ? "t:\\Mozilla\\a\\" : ""; }));
    EXPECT_THAT(prompts.messages, IsEmpty());
}

TEST_F(ScanLogTest, AFolderGoesIntoTheFirstGapAmongTheSlots) {
    WriteLog("[P45]\nP1=t:\\Mozilla\\a\\\nP2=\nP3=t:\\Mozilla\\c\\\n");
    Log("t:\\Mozilla\\b\\");
    EXPECT_EQ(LogText(), "[P45]\nP1=t:\\Mozilla\\a\\\nP2=t:\\Mozilla\\b\\\nP3=t:\\Mozilla\\c\\\n");
}

TEST_F(ScanLogTest, AFolderLoggedAlreadyIsNotAddedAgainInAnotherSpelling) {
    const std::string log = "[P45]\nP1=\nP2=t:\\Mozilla\\Profile\\\n";
    WriteLog(log);
    Log("T:\\MOZILLA\\profile\\");
    Log("  t:\\Mozilla\\Profile\\ ");
    // Also when a free slot comes before the one that holds it.
    EXPECT_EQ(LogText(), log);
}

TEST_F(ScanLogTest, SlotKeysDeletedByHandAreFreeSlotsAgain) {
    WriteLog("[P45]\n[L44]\nP1=t:\\Mozilla\\x\\\n");
    Log("t:\\Mozilla\\a\\");
    Log("t:\\Mozilla\\b\\");
    EXPECT_EQ(LogText(), "[P45]\nP1=t:\\Mozilla\\a\\\nP2=t:\\Mozilla\\b\\\n[L44]\nP1=t:\\Mozilla\\x\\\n");
}

TEST_F(ScanLogTest, AMissingLogIsCreatedByItsFirstFolder) {
    Log("t:\\Mozilla\\a\\", kLocalStoreSection);
    EXPECT_EQ(LogText(), "[L44]\nP1=t:\\Mozilla\\a\\\n");
}

TEST_F(ScanLogTest, AFullSectionReportsEachNewFolderOnceAndKeepsItsSlots) {
    const std::string full =
        Section("P45", [](int n) { return "t:\\Mozilla\\" + std::to_string(n) + "\\"; });
    WriteLog(full);
    Log("t:\\Mozilla\\new\\");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].first, MessageKind::Plain);
    EXPECT_EQ(prompts.messages[0].second, kScanLogFullMessage);
    Log("t:\\Mozilla\\100\\");  // logged already: nothing to report
    Log("t:\\Mozilla\\other\\");
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(LogText(), full);
}

TEST_F(ScanLogTest, AFolderWhoseNameBreaksTheLineIsPassedOver) {
    CreateEmptyScanLog(session);
    const std::string created = LogText();
    EXPECT_NO_THROW(Log("t:\\Mozilla\\a\nP2=t:\\evil\\"));
    EXPECT_NO_THROW(Log("t:\\Mozilla\\b\rc\\"));
    EXPECT_EQ(LogText(), created);
    EXPECT_THAT(prompts.messages, IsEmpty());
}

TEST_F(ScanLogTest, AnUnwritableLogRaisesTheWriteErrorWithTheLogsPath) {
    CreateEmptyScanLog(session);
    tree.MakeReadOnly("home/.config/Velmo/vmscan4.ini");
    try {
        Log("t:\\Mozilla\\a\\");
        FAIL() << "no write error";
    } catch (const IniWriteError& error) {
        EXPECT_STREQ(error.what(), "Unable to write to u:\\.config\\Velmo\\vmscan4.ini");
    }
    // Writable again first: Windows removes no read-only file.
    fs::permissions(tree / "home/.config/Velmo/vmscan4.ini", fs::perms::owner_write,
                    fs::perm_options::add);
    fs::remove_all(tree / "home/.config/Velmo");
    EXPECT_THROW(Log("t:\\Mozilla\\a\\"), IniWriteError);
}

TEST_F(ScanLogTest, ReadingAMissingLogGivesEmptyLists) {
    const ScanLogEntries entries = ReadScanLog(session);
    EXPECT_THAT(entries.profileFiles, Each(IsEmpty()));
    EXPECT_THAT(entries.cacheFolders, Each(IsEmpty()));
}

TEST_F(ScanLogTest, ReadingNamesTheProfileFilesAndCacheFoldersThatExist) {
    tree.AddAll({"drive/Mozilla/a/PREFS.JS", "drive/Mozilla/a/Cache/", "drive/Mozilla/b/prefs.js",
                 "drive/Mozilla/c/cache/", "drive/Mozilla/d/prefs.js/", "drive/Mozilla/d/cache",
                 "drive/Mozilla/e/prefs.js"});
    WriteLog("\x01garbage line\n[P45]\nP1=t:\\Mozilla\\a\\\nP2=\nP3=t:\\Mozilla\\b\\\n"
             "this is no key\nP4=t:\\Mozilla\\c\\\nP5=t:\\Mozilla\\d\\\nP6=t:\\Mozilla\\gone\\\n"
             "P100=t:\\Mozilla\\b\\\n[L44]\nP7=t:\\Mozilla\\e\\\n");
    const ScanLogEntries entries = ReadScanLog(session);

    ScanLogEntries expected;
    expected.profileFiles[0] = "t:\\Mozilla\\a\\prefs.js";  // found in any letter case
    expected.cacheFolders[0] = "t:\\Mozilla\\a\\cache";
    expected.profileFiles[2] = "t:\\Mozilla\\b\\prefs.js";
    expected.cacheFolders[3] = "t:\\Mozilla\\c\\cache";
    expected.profileFiles[99] = "t:\\Mozilla\\b\\prefs.js";
    // d's prefs.js is a folder and its cache a file; e stands in "L44", which is never read.
    EXPECT_EQ(entries.profileFiles, expected.profileFiles);
    EXPECT_EQ(entries.cacheFolders, expected.cacheFolders);
}

}  // namespace
}  // namespace vellomar
