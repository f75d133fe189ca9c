// "Never List This Folder": a result entry's folder joins the stored BYPASS
// list, the filters come into force for every walk, and the status lines show
// it; in SEARCH ONLY mode the search is narrowed or left as it was, never widened.

#include "quicksearch/NeverListFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
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

class StatusLines final : public QuickSearchStatusView {
public:
    void ShowQuickSearchStatus(const QuickSearchStatus& status) override {
        shown.push_back(std::string(status.line1) + " " + std::string(status.line2));
    }
    std::vector<std::string> shown;
};

class NeverListFolderTest : public ::testing::Test {
protected:
    NeverListFolderTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
    }

    fs::path NativeFile() const { return tree / "home/.config/Velmo/qsearch.ini"; }
    void Write(std::string_view text) const { test::WriteWholeFile(NativeFile(), text); }
    std::string Stored() const { return test::ReadWholeFile(NativeFile()); }
    QuickSearchSettings Saved() const {
        return ReadQuickSearchSettings(platform->Ini(session.dataFolder.QuickSearchPath));
    }
    void NeverList(std::string_view entry) { NeverListFolderOf(session, entry, prompts, status); }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::ScriptedPrompts prompts;
    StatusLines status;
};

TEST_F(NeverListFolderTest, TheEntrysFolderIsBypassedByEveryWalkFromNowOn) {
    Write("[Skip]\nF1=t:\\old\n[Only]\nF1=t:\\kept\n[Status]\nSearch=Ignoreboth\n"
          "Perform=Searchfolders\n");
    NeverList("t:\\home\\ann\\cache,1\\x.tmp");

    const QuickSearchSettings saved = Saved();
    EXPECT_EQ(saved.skipFolders, (Folders{"t:\\old", "t:\\home\\ann\\cache,1"}));
    EXPECT_EQ(saved.onlyFolders, Folders{"t:\\kept"});  // the other list is left alone
    EXPECT_EQ(saved.scope, QuickSearchScope::BothWindows);
    EXPECT_EQ(saved.mode, QuickSearchMode::Bypass);
    EXPECT_EQ(session.quickSearch.window.skipFolders, saved.skipFolders);
    EXPECT_TRUE(session.quickSearch.QuickSearchOn);
    EXPECT_FALSE(session.quickSearch.QuickSearchOnlyMode);
    EXPECT_FALSE(QuickSearchAdmitsFolder(session.quickSearch, "t:\\home\\ann\\cache,1"));
    EXPECT_FALSE(QuickSearchAdmitsFolder(session.quickSearch, "t:\\home\\ann\\cache,1\\sub"));
    EXPECT_TRUE(QuickSearchAdmitsFolder(session.quickSearch, "t:\\home\\ann"));
    EXPECT_EQ(status.shown, Folders{"Quick search: ON (Bypassing specified folders)"});
    EXPECT_EQ(prompts.messages,
              (std::vector<Message>{{MessageKind::Plain, std::string(kFolderAddedMessage)}}));
}

TEST_F(NeverListFolderTest, UnsavedEditsOfTheQuickSearchWindowGiveWayToTheStoredLists) {
    Write("[Skip]\nF1=t:\\stored\n");
    session.quickSearch.window.skipFolders = {"t:\\unsaved"};
    NeverList("t:\\a\\x.tmp");
    EXPECT_EQ(session.quickSearch.window.skipFolders, (Folders{"t:\\stored", "t:\\a"}));
}

TEST_F(NeverListFolderTest, AFolderAlreadyBypassedIsNotAddedTwiceButTheFiltersComeIntoForce) {
    Write("[Skip]\nF1=T:\\A\n[Status]\nSearch=Ignoreboth\n");
    NeverList("t:\\a\\b\\x.tmp");  // "T:\A" stands in "t:\a\b" already
    EXPECT_EQ(Saved().skipFolders, Folders{"T:\\A"});
    EXPECT_EQ(Saved().scope, QuickSearchScope::BothWindows);
    EXPECT_TRUE(session.quickSearch.QuickSearchOn);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].second, kFolderAddedMessage);
}

TEST_F(NeverListFolderTest, RefusalsLeaveTheFileTheFlagsAndTheLinesAsTheyWere) {
    const auto expectNothingChanged = [&](const std::string& before, MessageKind kind) {
        EXPECT_EQ(Stored(), before);
        EXPECT_FALSE(session.quickSearch.QuickSearchOn);
        EXPECT_TRUE(session.quickSearch.window.skipFolders.empty());
        EXPECT_TRUE(status.shown.empty());
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].first, kind);
        prompts.messages.clear();
    };
    const std::string fresh = "[Status]\nSearch=Ignoreboth\n";
    Write(fresh);
    // A file in a drive's root: bypassing "t:\" would empty every search of t:.
    NeverList("t:\\x.tmp");
    expectNothingChanged(fresh, MessageKind::Warning);

    std::string full = "[Skip]\n";
    for (std::size_t n = 1; n <= kMaxFoldersPerList; ++n)
        full += "F" + std::to_string(n) + "=t:\\f" + std::to_string(n) + "\n";
    Write(full);
    NeverList("t:\\new\\x.tmp");
    expectNothingChanged(full, MessageKind::Warning);

    fs::remove(NativeFile());
    fs::create_directory(NativeFile());  // no file can be written where a folder stands
    NeverList("t:\\new\\x.tmp");
    EXPECT_TRUE(fs::is_directory(NativeFile()));
    EXPECT_FALSE(session.quickSearch.QuickSearchOn);
    EXPECT_TRUE(status.shown.empty());
    EXPECT_EQ(prompts.messages,
              (std::vector<Message>{
                  {MessageKind::Error, "Unable to write to u:\\.config\\Velmo\\qsearch.ini"}}));
}

TEST_F(NeverListFolderTest, InSearchOnlyModeTheFoldersOwnEntryIsTakenOffAndNothingElseChanges) {
    for (const char* scope : {"Bothwindows", "Onlythiswindow"}) {
        const std::string before = std::string("[Skip]\nF1=t:\\old\n[Only]\nF1=t:\\kept\n"
                                               "F2=T:\\Home\\Ann\\Cache\n[Status]\nSearch=") +
                                   scope + "\nPerform=Searchfolders\n";
        Write(before);
        const QuickSearchSettings stored = Saved();
        session.quickSearch.DiskSearchRequested = true;  // as after a search from the window
        NeverList("t:\\home\\ann\\cache\\x.tmp");

        QuickSearchSettings expected = stored;
        expected.onlyFolders = {"t:\\kept"};
        const QuickSearchSettings saved = Saved();
        EXPECT_EQ(saved.onlyFolders, expected.onlyFolders) << scope;
        EXPECT_EQ(saved.skipFolders, expected.skipFolders) << scope;
        EXPECT_EQ(saved.scope, expected.scope) << scope;
        EXPECT_EQ(saved.mode, QuickSearchMode::SearchOnly) << scope;
        EXPECT_TRUE(session.quickSearch.QuickSearchOnlyMode) << scope;
        EXPECT_FALSE(QuickSearchAdmitsFolder(session.quickSearch, "t:\\home\\ann\\cache")) << scope;
        EXPECT_FALSE(QuickSearchAdmitsFolder(session.quickSearch, "t:\\elsewhere")) << scope;
        EXPECT_TRUE(QuickSearchAdmitsFolder(session.quickSearch, "t:\\kept\\sub")) << scope;
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].first, MessageKind::Plain);
        prompts.messages.clear();
    }
}

TEST_F(NeverListFolderTest, InSearchOnlyModeAFolderABroaderEntryOrNoEntryTakesInIsLeftAsItWas) {
    const std::string before =
        "[Only]\nF1=t:\\home\nF2=t:\\home\\ann\\x\n[Status]\nSearch=Bothwindows\nPerform=Searchfolders\n";
    Write(before);
    for (const char* entry : {"t:\\home\\ann\\x\\a.tmp", "t:\\elsewhere\\a.tmp"}) {
        NeverList(entry);
        EXPECT_EQ(Stored(), before) << entry;
        EXPECT_FALSE(session.quickSearch.QuickSearchOn) << entry;
        EXPECT_TRUE(status.shown.empty()) << entry;
        ASSERT_EQ(prompts.messages.size(), 1u) << entry;
        prompts.messages.clear();
    }
}

}  // namespace
}  // namespace vellomar
