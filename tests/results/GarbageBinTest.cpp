// The garbage bin: files moved in and back out, or removed for good, over
// temporary drives, and the commands "Delete to Bin" and the bin window's.

#include "results/GarbageBin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "quicksearch/FolderAdmission.h"
#include "results/BinWindowCommands.h"
#include "results/DeleteToBin.h"
#include "run/Session.h"
#include "scan/WalkFolder.h"
#include "support/BinItemPaths.h"
#include "support/ListedEntries.h"
#include "support/RecordingCommands.h"
#include "support/RecordingScan.h"
#include "support/Portability.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/TmpfsMount.h"
#ifndef _WIN32
#include <unistd.h>

#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Clock = std::chrono::system_clock;

using test::TmpfsMount;

// Every path below a folder, relative to it, in order.
std::vector<std::string> Contents(const fs::path& folder) {
    std::vector<std::string> paths;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(folder, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored))
        paths.push_back(fs::relative(it->path(), folder).generic_string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

class GarbageBinTest : public ::testing::Test {
protected:
    GarbageBinTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
    }

    fs::path OnDrive(std::string_view relative) const { return tree / "drive" / relative; }
    void Add(std::string_view relative, std::string_view text = "x") {
        test::WriteWholeFile(OnDrive(relative), text);
    }
    GarbageBin NewBin() const { return GarbageBin(*platform, session.dataFolder.DataFolderPath); }
    fs::path DriveBin() const { return OnDrive("Garbage Bin"); }
    fs::path DataBin() const { return tree / "home/.config/Velmo/Garbage Bin"; }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    GarbageBin bin = NewBin();
};

TEST_F(GarbageBinTest, MovesAFileInAndRestoresItWithItsContentToItsPlace) {
    Add("docs/report.tmp", "twelve bytes");
    const auto before = std::chrono::floor<std::chrono::seconds>(Clock::now());
    const GarbageBin::MoveResult moved = bin.MoveIn("t:\\docs\\report.tmp");
    EXPECT_EQ(moved.outcome, BinOutcome::Done);
    EXPECT_EQ(moved.size, 12);
    EXPECT_FALSE(fs::exists(OnDrive("docs/report.tmp")));
    std::vector<BinItem> items = bin.Items();
    ASSERT_EQ(items.size(), 1u);
    // In the bin of its own drive, in a folder of its own.
    EXPECT_EQ(test::ReadWholeFile(DriveBin() / items[0].id / "report.tmp"), "twelve bytes");
    EXPECT_EQ(items[0].originalPath, "t:\\docs\\report.tmp");
    EXPECT_EQ(items[0].size, 12);
    EXPECT_GE(items[0].moved, before);
    EXPECT_LE(items[0].moved, Clock::now());

    fs::remove(OnDrive("docs"));  // the folder it came from is gone meanwhile
    EXPECT_EQ(bin.Restore(items[0]), BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("docs/report.tmp")), "twelve bytes");
    EXPECT_THAT(bin.Items(), IsEmpty());
    EXPECT_THAT(Contents(DriveBin()), IsEmpty());  // no record or folder left behind
}

TEST_F(GarbageBinTest, RecordsArePlainTextThatSurvivesARestart) {
    Add("a/x.tmp", "kept");
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    const std::string id = bin.Items().at(0).id;
    const std::string record = test::ReadWholeFile(DriveBin() / (id + ".ini"));
    EXPECT_THAT(record, HasSubstr("Id=" + id + "\n"));
    EXPECT_THAT(record, HasSubstr("Path=t:\\a\\x.tmp\n"));
    EXPECT_THAT(record, HasSubstr("Moved=20"));

    GarbageBin afterRestart = NewBin();
    std::vector<BinItem> items = afterRestart.Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].moved, bin.Items()[0].moved);
    EXPECT_EQ(afterRestart.Restore(items[0]), BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("a/x.tmp")), "kept");
}

TEST_F(GarbageBinTest, NamesEndingInABlankComeBackWhole) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoTrailingBlanks;
#else
    Add("a/x.tmp ", "blank");
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp ").outcome, BinOutcome::Done);
    std::vector<BinItem> items = NewBin().Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].originalPath, "t:\\a\\x.tmp ");
    EXPECT_EQ(bin.Restore(items[0]), BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("a/x.tmp ")), "blank");
#endif
}

TEST_F(GarbageBinTest, NamesWithALineBreakGoInAndComeBackWhole) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows names hold no line break";
#else
    Add("a/two\nlines.tmp", "broken");
    ASSERT_EQ(bin.MoveIn("t:\\a\\two\nlines.tmp").outcome, BinOutcome::Done);
    std::vector<BinItem> items = NewBin().Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].originalPath, "t:\\a\\two\nlines.tmp");
    EXPECT_EQ(bin.Restore(items[0]), BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("a/two\nlines.tmp")), "broken");
#endif
}

TEST_F(GarbageBinTest, FilesOfOneNameFromTwoFoldersEachGoBackToTheirOwn) {
    Add("one/same.tmp", "first");
    Add("two/same.tmp", "second");
    EXPECT_EQ(bin.MoveIn("t:\\two\\same.tmp").outcome, BinOutcome::Done);
    EXPECT_EQ(bin.MoveIn("t:\\one\\same.tmp").outcome, BinOutcome::Done);
    std::vector<BinItem> items = bin.Items();
    EXPECT_THAT(test::BinItemPaths(items), ElementsAre("t:\\one\\same.tmp", "t:\\two\\same.tmp"));
    for (const BinItem& item : items) EXPECT_EQ(bin.Restore(item), BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("one/same.tmp")), "first");
    EXPECT_EQ(test::ReadWholeFile(OnDrive("two/same.tmp")), "second");
}

TEST_F(GarbageBinTest, ListsItemsByTheirPathWithoutRegardToLetterCase) {
    for (const char* path : {"b/Zeta.tmp", "a/alpha.tmp", "C/beta.tmp"}) Add(path);
    for (const char* path : {"t:\\b\\Zeta.tmp", "t:\\a\\alpha.tmp", "t:\\C\\beta.tmp"})
        ASSERT_EQ(bin.MoveIn(path).outcome, BinOutcome::Done);
    EXPECT_THAT(test::BinItemPaths(bin.Items()),
                ElementsAre("t:\\a\\alpha.tmp", "t:\\b\\Zeta.tmp", "t:\\C\\beta.tmp"));
}

TEST_F(GarbageBinTest, RestoreNeverReplacesAFileThatNowStandsThere) {
    Add("a/x.tmp", "old");
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    const BinItem item = bin.Items().at(0);

    Add("a/X.TMP", "new in another letter case");
    EXPECT_EQ(bin.Restore(item), BinOutcome::TargetExists);
    fs::remove(OnDrive("a/X.TMP"));
    Add("a/x.tmp", "new");
    EXPECT_EQ(bin.Restore(item), BinOutcome::TargetExists);

    EXPECT_EQ(test::ReadWholeFile(OnDrive("a/x.tmp")), "new");
    EXPECT_EQ(test::ReadWholeFile(DriveBin() / item.id / "x.tmp"), "old");
    EXPECT_EQ(bin.Items().size(), 1u);
}

TEST_F(GarbageBinTest, NeverFollowsALinkOnTheWayInOrBack) {
    Add("real/x.tmp", "target");
    PLANT_OR_SKIP(test::PlantLink(OnDrive("real"), OnDrive("via")));
    PLANT_OR_SKIP(test::PlantLink(OnDrive("real/x.tmp"), OnDrive("link.tmp")));
    EXPECT_EQ(bin.MoveIn("t:\\via\\x.tmp").outcome, BinOutcome::LinkInPath);
    EXPECT_EQ(bin.MoveIn("t:\\link.tmp").outcome, BinOutcome::NotAFile);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("real/x.tmp")), "target");
    EXPECT_TRUE(fs::is_symlink(OnDrive("link.tmp")));
    EXPECT_FALSE(fs::exists(DriveBin()));

    // The folder it came from replaced by a link to elsewhere: it stays in the bin.
    ASSERT_EQ(bin.MoveIn("t:\\real\\x.tmp").outcome, BinOutcome::Done);
    fs::remove(OnDrive("real"));
    tree.AddFolder("elsewhere");
    PLANT_OR_SKIP(test::PlantLink(tree / "elsewhere", OnDrive("real")));
    EXPECT_EQ(bin.Restore(bin.Items().at(0)), BinOutcome::LinkInPath);
    EXPECT_THAT(Contents(tree / "elsewhere"), IsEmpty());
    EXPECT_EQ(bin.Items().size(), 1u);
}

TEST_F(GarbageBinTest, RefusesReadOnlyFilesAndFilesInABinAlready) {
    Add("ro.tmp", "read only");
    tree.MakeReadOnly("drive/ro.tmp");
    EXPECT_EQ(bin.MoveIn("t:\\ro.tmp").outcome, BinOutcome::ReadOnly);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("ro.tmp")), "read only");

    Add("a.tmp");
    ASSERT_EQ(bin.MoveIn("t:\\a.tmp").outcome, BinOutcome::Done);
    EXPECT_EQ(bin.MoveIn("t:\\Garbage Bin\\1\\a.tmp").outcome, BinOutcome::AlreadyInBin);
}

TEST_F(GarbageBinTest, WalksNeverListTheFilesInTheBin) {
    Add("a/x.tmp");
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    session.scan.FindGarbage = true;
    session.scan.ContinueScan = true;
    test::RecordingView view;
    WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:");
    EXPECT_THAT(test::ShownEntries(session.results), IsEmpty());
}

TEST_F(GarbageBinTest, TheDataFoldersBinIsMadeAndFilledThroughNoLinkAnotherUserOwns) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
    test::WriteWholeFile(DriveBin(), "a file where the drive's bin would be");
    Add("a/x.tmp");
    const fs::path elsewhere = tree.AddFolder("elsewhere");
    const fs::path dataFolder = tree / "home/.config/Velmo";
    fs::remove(dataFolder);
    fs::create_symlink(elsewhere, dataFolder);
    ASSERT_EQ(::lchown(dataFolder.c_str(), 65534, 65534), 0);
    EXPECT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::NoBin);
    EXPECT_THAT(Contents(elsewhere), IsEmpty());
    EXPECT_TRUE(fs::exists(OnDrive("a/x.tmp")));

    ASSERT_EQ(::lchown(dataFolder.c_str(), ::geteuid(), ::getegid()), 0);
    EXPECT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    EXPECT_TRUE(fs::is_directory(elsewhere / "Garbage Bin"));
#endif
}

TEST_F(GarbageBinTest, AMoveThatNeverFinishedIsNotListed) {
    // Its record was written, then the program ended before the file arrived.
    test::WriteWholeFile(DriveBin() / "1.ini",
                         "[Garbage Bin]\nPath=\"t:\\a\\x.tmp\"\nMoved=2024-05-01T12:00:00Z\n");
    tree.AddFolder("drive/Garbage Bin/1");
    Add("a/x.tmp");
    EXPECT_THAT(bin.Items(), IsEmpty());
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    std::vector<BinItem> items = bin.Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_NE(items[0].id, "1");
}

TEST_F(GarbageBinTest, MovesCutShortADayAgoAreSweptAndYoungerOnesAndFinishedItemsKept) {
    const auto record = [&](const char* number, const char* path, const char* moved) {
        test::WriteWholeFile(DriveBin() / (std::string(number) + ".ini"),
                             std::string("[Garbage Bin]\nPath=\"") + path + "\"\nMoved=" + moved + "\n");
        tree.AddFolder(std::string("drive/Garbage Bin/") + number);
    };
    record("1", "t:\\a\\old.tmp", "2026-12-07T11:00:00Z");  // a copy cut short
    test::WriteWholeFile(DriveBin() / "1" / ".vellomar-partial-77-0", "half");
    record("2", "t:\\a\\young.tmp", "2026-12-08T01:00:00Z");  // perhaps under way
    test::WriteWholeFile(DriveBin() / "2" / ".vellomar-partial-78-0", "half");
    record("3", "t:\\a\\kept.tmp", "2026-12-01T00:00:00Z");  // finished long ago
    test::WriteWholeFile(DriveBin() / "3" / "kept.tmp", "whole");
    record("4", "t:\\a\\odd.tmp", "2026-12-01T00:00:00Z");  // holds what is not ours
    test::WriteWholeFile(DriveBin() / "4" / "notes.txt", "mine");

    using namespace std::chrono;
    bin.SweepUnfinishedMoves(sys_days{year{2026} / December / 8} + hours{12});

    EXPECT_FALSE(fs::exists(DriveBin() / "1"));
    EXPECT_FALSE(fs::exists(DriveBin() / "1.ini"));
    EXPECT_TRUE(fs::exists(DriveBin() / "2" / ".vellomar-partial-78-0"));
    EXPECT_TRUE(fs::exists(DriveBin() / "2.ini"));
    EXPECT_EQ(test::ReadWholeFile(DriveBin() / "3" / "kept.tmp"), "whole");
    // What the record does not name is listed too, of unknown origin.
    EXPECT_THAT(test::BinItemPaths(bin.Items()), ElementsAre("", "t:\\a\\kept.tmp"));
    EXPECT_EQ(test::ReadWholeFile(DriveBin() / "4" / "notes.txt"), "mine");
}

TEST_F(GarbageBinTest, ADrivesOwnBinNamesItsFilesByTheDrivesLetterNow) {
    Add("a/x.tmp");
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    DriveTable renamed;
    renamed.Assign('e', (tree / "drive").generic_string());
    renamed.Assign('u', (tree / "home").generic_string());
    Platform later(std::move(renamed),
                   UserFolders{(tree / "home/.config").generic_string(),
                               (tree / "program").generic_string(), ""});
    EXPECT_THAT(test::BinItemPaths(GarbageBin(later, "u:\\.config\\Velmo").Items()),
                ElementsAre("e:\\a\\x.tmp"));
}

TEST_F(GarbageBinTest, NewMovesGoAmongTheUsersDataAndItemsInTheSettingsFolderStayListedAndRestorable) {
    test::WriteWholeFile(OnDrive("Garbage Bin"), "");  // the drive can have no bin
    Add("a/old.tmp", "old");
    Add("a/new.tmp", "new");
    // As earlier versions kept it: the data folder's bin among the settings.
    ASSERT_EQ(bin.MoveIn("t:\\a\\old.tmp").outcome, BinOutcome::Done);
    ASSERT_THAT(Contents(DataBin()), ::testing::Contains(::testing::EndsWith("/old.tmp")));

    DriveTable drives;
    drives.Assign('t', (tree / "drive").generic_string());
    drives.Assign('u', (tree / "home").generic_string());
    Platform withDataHome(std::move(drives),
                          UserFolders{(tree / "home/.config").generic_string(),
                                      (tree / "program").generic_string(), "", "",
                                      (tree / "home/.local/share/vellomar").generic_string()});
    GarbageBin now(withDataHome, session.dataFolder.DataFolderPath);
    ASSERT_EQ(now.MoveIn("t:\\a\\new.tmp").outcome, BinOutcome::Done);
    const fs::path dataHomeBin = tree / "home/.local/share/vellomar/Garbage Bin";
    EXPECT_THAT(Contents(dataHomeBin), ::testing::Contains(::testing::EndsWith("/new.tmp")));
    EXPECT_THAT(Contents(DataBin()), Not(::testing::Contains(::testing::EndsWith("/new.tmp"))));
    const std::vector<BinItem> items = now.Items();
    ASSERT_THAT(test::BinItemPaths(items), ElementsAre("t:\\a\\new.tmp", "t:\\a\\old.tmp"));
    for (const BinItem& item : items) EXPECT_EQ(now.Restore(item), BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("a/old.tmp")), "old");
    EXPECT_EQ(test::ReadWholeFile(OnDrive("a/new.tmp")), "new");
}

TEST_F(GarbageBinTest, ADriveWhoseRootCannotBeWrittenUsesTheDataFoldersBin) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    Add("a/x.tmp", "data");
    tree.MakeReadOnly("drive");
    EXPECT_TRUE(test::RunAsUnprivilegedOwner(tree, [&] {
        GarbageBin unprivileged = NewBin();
        const bool moved = unprivileged.MoveIn("t:\\a\\x.tmp").outcome == BinOutcome::Done;
        std::vector<BinItem> items = unprivileged.Items();
        return moved && !fs::exists(DriveBin()) &&
               items.size() == 1 &&
               test::ReadWholeFile(DataBin() / items[0].id / "x.tmp") == "data" &&
               items[0].originalPath == "t:\\a\\x.tmp" &&
               unprivileged.Restore(items[0]) == BinOutcome::Done &&
               test::ReadWholeFile(OnDrive("a/x.tmp")) == "data";
    }));
#endif
}

TEST_F(GarbageBinTest, AFileThatCannotGoBackStaysInTheBin) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    Add("a/x.tmp", "data");
    ASSERT_EQ(bin.MoveIn("t:\\a\\x.tmp").outcome, BinOutcome::Done);
    tree.MakeReadOnly("drive/a");
    EXPECT_TRUE(test::RunAsUnprivilegedOwner(tree, [&] {
        GarbageBin unprivileged = NewBin();
        return unprivileged.Restore(unprivileged.Items().at(0)) == BinOutcome::NotPermitted &&
               unprivileged.Items().size() == 1 && !fs::exists(OnDrive("a/x.tmp"));
    }));
#endif
}

TEST_F(GarbageBinTest, MovesAcrossFileSystemsByACheckedCopyAndBack) {
    tree.AddFolder("drive/mounted");
    TmpfsMount mounted(OnDrive("mounted"));
    if (!mounted) GTEST_SKIP() << test::kNoTmpfs;
    const std::string content(300 * 1024, 'c');
    Add("mounted/big.dat", content);
    const auto changed = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(OnDrive("mounted/big.dat"), changed);

    ASSERT_EQ(bin.MoveIn("t:\\mounted\\big.dat").outcome, BinOutcome::Done);
    EXPECT_FALSE(fs::exists(OnDrive("mounted/big.dat")));
    const std::string id = bin.Items().at(0).id;
    EXPECT_THAT(Contents(DriveBin()), ElementsAre(id, id + ".ini", id + "/big.dat"));
    EXPECT_EQ(test::ReadWholeFile(DriveBin() / id / "big.dat"), content);

    ASSERT_EQ(bin.Restore(bin.Items().at(0)), BinOutcome::Done);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("mounted/big.dat")), content);
    EXPECT_EQ(fs::last_write_time(OnDrive("mounted/big.dat")), changed);
    EXPECT_THAT(Contents(OnDrive("mounted")), ElementsAre("big.dat"));  // no partial copy
    EXPECT_THAT(Contents(DriveBin()), IsEmpty());
}

TEST_F(GarbageBinTest, AFullBinDiskLeavesTheFileWhereItWasAndNothingInTheBin) {
    // Drive t: is a tiny file system; the file lies on another one mounted inside it.
    TmpfsMount small(tree / "drive", "size=64k");
    if (!small) GTEST_SKIP() << test::kNoTmpfs;
    tree.AddFolder("drive/big");
    TmpfsMount big(OnDrive("big"));
    const std::string content(200 * 1024, 'b');
    Add("big/file.dat", content);

    EXPECT_EQ(bin.MoveIn("t:\\big\\file.dat").outcome, BinOutcome::NoRoom);
    EXPECT_EQ(test::ReadWholeFile(OnDrive("big/file.dat")), content);
    EXPECT_THAT(Contents(DriveBin()), IsEmpty());
    EXPECT_THAT(bin.Items(), IsEmpty());
}

class DeleteToBinTest : public GarbageBinTest {
protected:
    void List(std::initializer_list<const char*> entries) {
        for (const char* entry : entries) test::AppendListed(session.results, session.platform.Files(), entry);
    }
    test::RecordingCommandWindow window;
};

TEST_F(DeleteToBinTest, MovesTheHighlightedFilesByTheirFoundPathsThenShowsTheBin) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    Add("a.tmp", "aaa");
    Add("b.tmp", "bbbbb");
    Add("C.tmp", "ccccccc");
    Add("c.tmp", "other file");
    List({"t:\\a.tmp", "t:\\b.tmp", "t:\\C.tmp"});
    session.results.ShowLowerCased(2);  // as a sort ignoring case shows it
    session.scan.ScanBytes = 15;
    session.results.Highlight(0);
    session.results.Highlight(2);

    DeleteToBin(session, window, window);
    EXPECT_THAT(window.questions,
                ElementsAre("Move 2 highlighted file(s) to the Garbage Bin? Click \"Yes\" to move "
                            "these files, or \"No\" to leave them where they are."));
    EXPECT_FALSE(fs::exists(OnDrive("a.tmp")));
    EXPECT_FALSE(fs::exists(OnDrive("C.tmp")));
    EXPECT_EQ(test::ReadWholeFile(OnDrive("c.tmp")), "other file");
    EXPECT_THAT(test::BinItemPaths(bin.Items()), ElementsAre("t:\\a.tmp", "t:\\C.tmp"));

    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\b.tmp"));
    EXPECT_EQ(session.scan.ScanBytes, 5);
    EXPECT_EQ(window.entryCount, 1u);
    EXPECT_EQ(window.byteTotal, 5);
    // The entry current before is gone: the first one is highlighted and described.
    EXPECT_TRUE(session.results.IsHighlighted(0));
    EXPECT_EQ(window.detailsShown, 1);
    EXPECT_THAT(window.messages, IsEmpty());
    EXPECT_EQ(window.binShown, 1);
#endif
}

TEST_F(DeleteToBinTest, NoLeavesEveryFileAndTheListAsTheyWere) {
    Add("a.tmp");
    List({"t:\\a.tmp"});
    session.results.Highlight(0);
    window.answerYes = false;
    DeleteToBin(session, window, window);
    EXPECT_TRUE(fs::exists(OnDrive("a.tmp")));
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\a.tmp"));
    EXPECT_TRUE(session.results.IsHighlighted(0));
    EXPECT_EQ(window.binShown, 0);
    EXPECT_EQ(window.listChanges, 0);
}

TEST_F(DeleteToBinTest, FilesThatCannotBeMovedStayListedHighlightedAndNamed) {
    Add("a.tmp", "aaa");
    Add("ro.tmp", "r");
    tree.MakeReadOnly("drive/ro.tmp");
    Add("z.tmp");
    List({"t:\\ro.tmp", "t:\\a.tmp", "t:\\z.tmp", "t:\\gone.tmp"});
    session.scan.ScanBytes = 10;
    for (std::size_t row : {0, 1, 3}) session.results.Highlight(row);

    DeleteToBin(session, window, window);
    EXPECT_THAT(window.messages,
                ElementsAre(std::pair{
                    MessageKind::Warning,
                    std::string("1 out of 3 files have been moved to the Garbage "
                                "Bin. These files could not be moved and stay "
                                "in the list:\n"
                                "t:\\ro.tmp (the file is read-only)\n"
                                "t:\\gone.tmp (the file or a folder on its path was not found)")}));
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\ro.tmp", "t:\\z.tmp", "t:\\gone.tmp"));
    // Each highlighted file is counted as handled, the failed ones too; the
    // count is gone before the report opens.
    EXPECT_THAT(window.progress.begun, ElementsAre("Moving files to the Garbage Bin"));
    EXPECT_THAT(window.progress.totals, ElementsAre(3u));
    EXPECT_THAT(window.progress.counts, ElementsAre(1u, 2u, 3u));
    EXPECT_EQ(window.progress.ended, 1);
    EXPECT_EQ(window.messagesUnderProgress, 0);
    EXPECT_TRUE(session.results.IsHighlighted(0));
    EXPECT_FALSE(session.results.IsHighlighted(1));
    EXPECT_TRUE(session.results.IsHighlighted(2));
    EXPECT_EQ(session.scan.ScanBytes, 7);
    EXPECT_EQ(window.binShown, 1);
}

TEST_F(DeleteToBinTest, MovingTheLastEntryEmptiesTheList) {
    Add("a.tmp");
    List({"t:\\a.tmp"});
    session.results.Highlight(0);
    DeleteToBin(session, window, window);
    EXPECT_TRUE(session.results.Empty());
    EXPECT_TRUE(window.emptyState);
    EXPECT_EQ(window.detailsShown, 0);
}

TEST_F(DeleteToBinTest, WithNothingHighlightedTheBinOpensAndNothingMoves) {
    DeleteToBin(session, window, window);  // an empty list first
    EXPECT_THAT(window.messages,
                ElementsAre(std::pair{MessageKind::Plain,
                                      std::string("The list above is currently empty.")}));
    EXPECT_EQ(window.binShown, 0);

    Add("a.tmp");
    List({"t:\\a.tmp"});
    DeleteToBin(session, window, window);
    EXPECT_THAT(window.questions, IsEmpty());
    EXPECT_EQ(window.binShown, 1);
    EXPECT_TRUE(fs::exists(OnDrive("a.tmp")));
}

class BinWindowCommandsTest : public DeleteToBinTest {
protected:
    BinWindowCommandsTest() {
        Add("a.tmp", "aaa");
        Add("b.tmp", "bbbbb");
        bin.MoveIn("t:\\a.tmp");
        bin.MoveIn("t:\\b.tmp");
        commands.Refresh();
    }
    std::int32_t cleanedFileCount = 4;
    double reclaimedBytes = 100;
    BinWindowCommands commands{bin, window, cleanedFileCount, reclaimedBytes};
};

TEST_F(BinWindowCommandsTest, DeleteFileRemovesTheHighlightedFileForGoodAfterAYes) {
    commands.Highlight(1);
    window.answerYes = false;
    commands.DeleteFile();
    EXPECT_EQ(commands.Items().size(), 2u);

    window.answerYes = true;
    commands.DeleteFile();
    EXPECT_EQ(window.questions.back(),
              "Permanently delete t:\\b.tmp from the bin? Click \"Yes\" to delete this file, or "
              "\"No\" to keep it in the bin.");
    EXPECT_THAT(test::BinItemPaths(commands.Items()), ElementsAre("t:\\a.tmp"));
    EXPECT_EQ(commands.Highlighted(), 0u);
    const std::string id = commands.Items().at(0).id;
    EXPECT_THAT(Contents(DriveBin()), ElementsAre(id, id + ".ini", id + "/a.tmp"));
    EXPECT_EQ(cleanedFileCount, 5);
    EXPECT_EQ(reclaimedBytes, 105);
}

TEST_F(BinWindowCommandsTest, EmptyEntireBinRemovesEveryFileAndCountsThem) {
    commands.EmptyEntireBin();
    EXPECT_THAT(window.questions.back(), HasSubstr("Permanently delete ALL 2 file(s) in the bin?"));
    EXPECT_THAT(commands.Items(), IsEmpty());
    EXPECT_EQ(commands.Highlighted(), std::nullopt);
    EXPECT_THAT(Contents(DriveBin()), IsEmpty());
    EXPECT_EQ(cleanedFileCount, 6);
    EXPECT_EQ(reclaimedBytes, 108);
    EXPECT_THAT(window.progress.begun, ElementsAre("Deleting files from the bin"));
    EXPECT_THAT(window.progress.counts, ElementsAre(1u, 2u));
    EXPECT_EQ(window.progress.ended, 1);

    commands.DeleteFile();
    EXPECT_EQ(window.messages.back().second, "The bin is currently empty.");
}

TEST_F(BinWindowCommandsTest, RestoreTellsWhenAFileStandsWhereItWouldGo) {
    Add("a.tmp", "new");
    commands.Highlight(0);
    commands.RestoreFile();
    EXPECT_THAT(window.messages,
                ElementsAre(std::pair{MessageKind::Warning,
                                      std::string("A file already exists at t:\\a.tmp. The file "
                                                  "stays in the bin.")}));
    EXPECT_EQ(commands.Items().size(), 2u);

    commands.Highlight(1);
    commands.RestoreFile();
    EXPECT_EQ(test::ReadWholeFile(OnDrive("b.tmp")), "bbbbb");
    EXPECT_THAT(test::BinItemPaths(commands.Items()), ElementsAre("t:\\a.tmp"));
    EXPECT_EQ(cleanedFileCount, 4);  // a restored file was never cleaned up
}

}  // namespace
}  // namespace vellomar
