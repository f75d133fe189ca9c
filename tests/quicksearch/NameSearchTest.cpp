#include "quicksearch/NameSearch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "quicksearch/FolderAdmission.h"
#include "quicksearch/QuickSearchFile.h"
#include "support/ListedEntries.h"
#include "support/Portability.h"
#include "support/RecordingScan.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

TEST(NameMatches, ExactOrPartWithOrWithoutLetterCase) {
    const NameQuery exactAnyCase{"test.txt", true, false};
    EXPECT_TRUE(NameMatches("test.txt", exactAnyCase));
    EXPECT_TRUE(NameMatches("TEST.TXT", exactAnyCase));
    EXPECT_TRUE(NameMatches("Test.Txt", exactAnyCase));
    EXPECT_FALSE(NameMatches("test.txt.bak", exactAnyCase));
    EXPECT_FALSE(NameMatches("mytest.txt", exactAnyCase));

    const NameQuery exactCase{"test.txt", true, true};
    EXPECT_TRUE(NameMatches("test.txt", exactCase));
    EXPECT_FALSE(NameMatches("Test.txt", exactCase));

    const NameQuery partAnyCase{".txt", false, false};
    EXPECT_TRUE(NameMatches("notes.TXT", partAnyCase));
    EXPECT_TRUE(NameMatches("a.txt.bak", partAnyCase));
    EXPECT_TRUE(NameMatches("file.txt2", partAnyCase));
    EXPECT_FALSE(NameMatches("txt", partAnyCase));

    const NameQuery partCase{"Test", false, true};
    EXPECT_TRUE(NameMatches("MyTest.doc", partCase));
    EXPECT_FALSE(NameMatches("mytest.doc", partCase));
}

TEST(NameMatches, TheTextIsLiteral) {
    EXPECT_FALSE(NameMatches("abc.txt", {"*.txt", false, false}));
    EXPECT_FALSE(NameMatches("abc.txt", {"ab?.txt", true, false}));
    EXPECT_TRUE(NameMatches("a*b", {"*", false, true}));
    EXPECT_TRUE(NameMatches("my notes", {" notes", false, false}));
    EXPECT_FALSE(NameMatches("notes", {" notes", false, false}));
    // Letters beyond ASCII must match as they are.
    EXPECT_FALSE(NameMatches("\u00c9T\u00c9.txt", {"\u00e9t\u00e9.txt", true, false}));
}

// Answers the Quick Search window from a script.
class ScriptedQuickSearchWindow final : public QuickSearchWindow {
public:
    void ShowQuickSearchWindow() override {
        ++shown;
        if (onShow) onShow();
    }
    NameQuery QueryOfWindow() const override { return query; }

    int shown = 0;
    std::function<void()> onShow;
    NameQuery query;
};

class RecordingStatusView final : public QuickSearchStatusView {
public:
    void ShowQuickSearchStatus(const QuickSearchStatus& status) override {
        shown.emplace_back(status.line1);
    }
    std::vector<std::string> shown;
};

class NameSearchTest : public ::testing::Test {
protected:
    NameSearchTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
        tree.AddFolder("drive");
        session.scan.ContinueScan = true;
        session.scan.NameSearchActive = true;
    }
    std::vector<std::string> Find(NameQuery query) {
        FindFilesByName(session, view, "t:", query);
        return test::ShownEntries(session.results);
    }
    void SaveSettings(const QuickSearchSettings& settings) {
        SaveQuickSearchSettings(platform->Ini(session.dataFolder.QuickSearchPath), settings);
    }
    // The window closed by "Search Disk Now" looking for text.
    void SearchDiskNowFor(std::string text) {
        window.query = {std::move(text), false, false};
        window.onShow = [this] {
            SaveSettings(session.quickSearch.window);
            session.quickSearch.DiskSearchRequested = true;
        };
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::RecordingView view;
    test::ScriptedPrompts prompts;
    SearchContext context{session, view, prompts, QuickSearchWalkAdmission(session.quickSearch), {}};
    ScriptedQuickSearchWindow window;
    RecordingStatusView statusView;
};

TEST_F(NameSearchTest, FindsMatchingFilesEverywhereWhateverTheirAttributes) {
    tree.AddAll({"drive/test.txt:3", "drive/a/TEST.TXT:4", "drive/Garbage Bin/test.txt:5",
                 "drive/.hidden/test.txt:6", "drive/b/test.txt.bak", "drive/test.txt2/x"});
    tree.MakeReadOnly("drive/a/TEST.TXT");
    EXPECT_THAT(Find({"test.txt", true, false}),
                UnorderedElementsAre("t:\\test.txt", "t:\\a\\TEST.TXT", "t:\\Garbage Bin\\test.txt",
                                     "t:\\.hidden\\test.txt"));
    EXPECT_EQ(session.scan.ScanBytes, 18);
    EXPECT_EQ(view.entryCount, 4u);
    EXPECT_EQ(view.byteTotal, 18);
}

TEST_F(NameSearchTest, AFolderOfThatNameIsSearchedButNeverListed) {
    tree.AddAll({"drive/notes/notes"});
    EXPECT_THAT(Find({"notes", true, false}), ElementsAre("t:\\notes\\notes"));
}

TEST_F(NameSearchTest, SystemFilesAreListedLikeAnyOtherButNeverFollowed) {
    tree.AddAll({"drive/real/x.log:7"});
    PLANT_OR_SKIP(test::PlantLink(tree / "drive/real/x.log", tree / "drive/link.log"));
    PLANT_OR_SKIP(test::PlantLink(tree / "drive/real", tree / "drive/linked.log"));
    PLANT_OR_SKIP(test::PlantNamedPipe(tree / "drive/pipe.log"));
    EXPECT_THAT(Find({".log", false, false}),
                UnorderedElementsAre("t:\\real\\x.log", "t:\\link.log", "t:\\linked.log",
                                     "t:\\pipe.log"));
    EXPECT_EQ(session.scan.ScanBytes, 7);  // a system file brings no bytes of its own
}

TEST_F(NameSearchTest, ObeysTheBypassListAndShowsTheBypassedFolder) {
    tree.AddAll({"drive/keep/x.txt", "drive/Skip/x.txt", "drive/Skip/in/x.txt"});
    session.quickSearch.QuickSearchOn = true;
    session.quickSearch.window.skipFolders = {"t:\\skip"};
    EXPECT_THAT(Find({"x.txt", true, false}), ElementsAre("t:\\keep\\x.txt"));
    EXPECT_THAT(view.statusHistory, ::testing::Contains("t:\\Skip"));
}

TEST_F(NameSearchTest, SearchOnlyReachesADeepFolderWithoutListingTheWayDown) {
    tree.AddAll({"drive/x.txt", "drive/Apps/x.txt", "drive/Apps/Tools/x.txt",
                 "drive/Apps/Tools/bin/x.txt", "drive/Apps/Other/x.txt", "drive/Docs/x.txt"});
    session.quickSearch.QuickSearchOn = true;
    session.quickSearch.QuickSearchOnlyMode = true;
    session.quickSearch.window.onlyFolders = {"T:\\APPS\\TOOLS"};
    EXPECT_THAT(Find({"x.txt", true, false}),
                UnorderedElementsAre("t:\\x.txt", "t:\\Apps\\Tools\\x.txt",
                                     "t:\\Apps\\Tools\\bin\\x.txt"));
}

TEST_F(NameSearchTest, StopKeepsWhatWasFound) {
    tree.AddAll({"drive/a/x.txt", "drive/b/x.txt", "drive/c/x.txt"});
    view.onPump = [this] {
        if (session.results.Count() == 1) session.scan.ContinueScan = false;
    };
    EXPECT_EQ(Find({"x.txt", true, false}).size(), 1u);
}

TEST_F(NameSearchTest, ClosingTheWindowWithoutSearchDiskNowKeepsTheResultsAndShowsTheStatus) {
    test::AppendListed(session.results, session.platform.Files(), "t:\\earlier.tmp");
    session.scan.ScanBytes = 7;
    window.onShow = [this] { SaveSettings({{}, {}, QuickSearchScope::BothWindows, {}}); };

    CmdDiskClick(context, window, statusView, 't');

    EXPECT_EQ(window.shown, 1);
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\earlier.tmp"));
    EXPECT_EQ(session.scan.ScanBytes, 7);
    EXPECT_TRUE(session.quickSearch.QuickSearchOn);
    EXPECT_THAT(statusView.shown, ElementsAre("Quick search: ON"));
}

TEST_F(NameSearchTest, SearchDiskNowSearchesTheChosenDriveWithoutACleanupSummary) {
    tree.AddAll({"drive/report.doc:10", "drive/sub/old report.doc:5", "drive/other.txt"});
    test::AppendListed(session.results, session.platform.Files(), "t:\\earlier.tmp");
    session.scan.NameSearchActive = false;
    SearchDiskNowFor("REPORT");

    CmdDiskClick(context, window, statusView, 'T');

    EXPECT_THAT(test::ShownEntries(session.results),
                UnorderedElementsAre("t:\\report.doc", "t:\\sub\\old report.doc"));
    EXPECT_EQ(session.scan.ScanBytes, 15);
    EXPECT_FALSE(prompts.summary.has_value());
    EXPECT_EQ(view.listState, "filled");
    EXPECT_EQ(view.fitCalls, 1);
}

TEST_F(NameSearchTest, TheWindowsListsAreReloadedFromTheFileBeforeItShows) {
    SaveSettings({{"t:\\saved"}, {}, QuickSearchScope::Ignore, QuickSearchMode::Bypass});
    session.quickSearch.window.skipFolders = {"t:\\unsaved"};
    std::vector<std::string> shownLists;
    window.onShow = [&] { shownLists = session.quickSearch.window.skipFolders; };
    CmdDiskClick(context, window, statusView, 't');
    EXPECT_THAT(shownLists, ElementsAre("t:\\saved"));
}

TEST_F(NameSearchTest, OnlyThisWindowFiltersTheNameSearchAndAreOffAgainAfterIt) {
    tree.AddAll({"drive/keep/x.txt", "drive/skip/x.txt"});
    session.quickSearch.window = {{"t:\\skip"}, {}, QuickSearchScope::OnlyThisWindow,
                                  QuickSearchMode::Bypass};
    SaveSettings(session.quickSearch.window);
    SearchDiskNowFor("x.txt");

    CmdDiskClick(context, window, statusView, 't');

    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\keep\\x.txt"));
    EXPECT_FALSE(session.quickSearch.QuickSearchOn);
    EXPECT_THAT(statusView.shown, ElementsAre("Quick search: ON", "Quick search: OFF"));
}

TEST_F(NameSearchTest, TheInformationWindowShowsOnlyWhenItsSwitchIsOn) {
    CmdDiskClick(context, window, statusView, 't');
    EXPECT_THAT(prompts.informationShown, IsEmpty());

    test::WriteWholeFile(tree / "home/.config/Velmo/Binsettings.ini", "[Info]\nDisk=1\n");
    prompts.tickDontShowAgain = true;
    CmdDiskClick(context, window, statusView, 't');
    ASSERT_EQ(prompts.informationShown.size(), 1u);
    EXPECT_EQ(prompts.informationShown[0].first, kDiskInfoText);
    EXPECT_THAT(test::ReadWholeFile(tree / "home/.config/Velmo/Binsettings.ini"),
                ::testing::HasSubstr("Disk=0"));
    EXPECT_EQ(window.shown, 2);
}

}  // namespace
}  // namespace vellomar
