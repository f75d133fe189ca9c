#include "app/StartUp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "browsers/ScanLog.h"
#include "support/Portability.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#ifndef _WIN32
#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

namespace fs = std::filesystem;

using Message = std::pair<MessageKind, std::string>;

const char kSettings[] = "Software\\Quorvat\\Settings";

class ScriptedStartUpPrompts final : public StartUpPrompts {
public:
    void ShowScanDriveWindow() override {
        ++scanDriveWindowsShown;
        if (onScanDriveWindow) onScanDriveWindow();
    }
    bool ShowAdministratorNotice() override {
        ++noticesShown;
        return tickDontShowAgain;
    }
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
    }

    bool tickDontShowAgain = false;
    int noticesShown = 0;
    int scanDriveWindowsShown = 0;
    std::function<void()> onScanDriveWindow;  // the user in the Scan Drive window
    std::vector<Message> messages;
};

// "Name<from>=Null" up to "Name250=Null", one line each.
std::string StoredNames(int from) {
    std::string lines;
    for (int number = from; number <= 250; ++number)
        lines += "Name" + std::to_string(number) + "=Null\n";
    return lines;
}

class RecordingStatusView final : public QuickSearchStatusView {
public:
    void ShowQuickSearchStatus(const QuickSearchStatus& status) override {
        shown.emplace_back(status.line1, status.line2);
    }
    std::vector<std::pair<std::string, std::string>> shown;
};

class StartUpTest : public ::testing::Test {
protected:
    StartUpTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {}

    void Start() { RunStartUpSequence(session, prompts, statusView); }
    fs::path DataFolder() const { return tree / "home/.config/Velmo"; }
    fs::path InfoSwitchesFile() const { return DataFolder() / "Binsettings.ini"; }
    fs::path QuickSearchFile() const { return DataFolder() / "qsearch.ini"; }
    std::optional<std::int32_t> NoticeValue() const {
        return platform->Registry().ReadInteger(kSettings, "VistaMsgVM");
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    ScriptedStartUpPrompts prompts;
    RecordingStatusView statusView;
};

TEST_F(StartUpTest, FirstStartCreatesTheDataFolderTheSwitchesAndTheNoticeValue) {
    session.scan.ScanBytes = 512;
    Start();
    EXPECT_TRUE(fs::is_directory(DataFolder()));
    EXPECT_EQ(test::ReadWholeFile(InfoSwitchesFile()),
              "[Stored]\n" + StoredNames(1) +
                  "[Info]\nVid=1\nPic=1\nSnd=1\nScr=1\nWp=1\nZip=1\nWall=1\nIni=1\nGarb=1\n"
                  "Zero=1\nCweb=1\nCpic=1\nFall=1\nLog=1\nBookmarks=1\nTax=1\n");
    EXPECT_EQ(session.scan.ScanBytes, 0);
    EXPECT_EQ(NoticeValue(), 1);
    EXPECT_EQ(prompts.noticesShown, 1);
    EXPECT_TRUE(prompts.messages.empty());
    // The Quick Search settings are made, with the filters off.
    EXPECT_TRUE(fs::is_regular_file(QuickSearchFile()));
    EXPECT_FALSE(session.quickSearch.QuickSearchOn);
    EXPECT_EQ(statusView.shown, (std::vector<std::pair<std::string, std::string>>{
                                    {"Quick search: OFF", "(Searching entire hard drive)"}}));
}

TEST_F(StartUpTest, StoredQuickSearchSettingsApplyFromTheStart) {
    tree.AddFolder("home/.config/Velmo");
    test::WriteWholeFile(QuickSearchFile(),
                         "[Status]\nSearch=Bothwindows\nPerform=Searchfolders\n");
    Start();
    EXPECT_TRUE(session.quickSearch.QuickSearchOn);
    EXPECT_TRUE(session.quickSearch.QuickSearchOnlyMode);
    EXPECT_EQ(statusView.shown, (std::vector<std::pair<std::string, std::string>>{
                                    {"Quick search: ON", "(Searching only specified folders)"}}));
}

TEST_F(StartUpTest, LaterStartTurnsEverySwitchOnAgainKeepingTheFilesOrder) {
    test::WriteWholeFile(InfoSwitchesFile(),
                         "[Info]\nVid=0\nCweb=0\nDisk=0\n\n[Other]\nx=y\n[Stored]\nName2=Old\n");
    Start();
    EXPECT_EQ(test::ReadWholeFile(InfoSwitchesFile()),
              "[Info]\nVid=1\nCweb=1\nDisk=0\nPic=1\nSnd=1\nScr=1\nWp=1\nZip=1\nWall=1\nIni=1\n"
              "Garb=1\nZero=1\nCpic=1\nFall=1\nLog=1\nBookmarks=1\nTax=1\n\n"
              "[Other]\nx=y\n"
              "[Stored]\nName2=Null\nName1=Null\n" + StoredNames(3));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(StartUpTest, TheNoticeFollowsTheStoredValue) {
    for (auto [stored, shown] : {std::pair{0, 0}, std::pair{2, 1}}) {
        ASSERT_TRUE(platform->Registry().WriteInteger(kSettings, "VistaMsgVM", stored));
        prompts.noticesShown = 0;
        Start();
        EXPECT_EQ(prompts.noticesShown, shown) << stored;
        EXPECT_EQ(NoticeValue(), stored);
    }
}

TEST_F(StartUpTest, AMissingValueShowsTheNoticeAndIsStoredAsOne) {
    ASSERT_TRUE(platform->Registry().CreateKey(kSettings));
    Start();
    EXPECT_EQ(prompts.noticesShown, 1);
    EXPECT_EQ(NoticeValue(), 1);
}

TEST_F(StartUpTest, UntickedTheNoticeReturnsTickedItStaysAway) {
    Start();
    Start();
    EXPECT_EQ(prompts.noticesShown, 2);
    EXPECT_EQ(NoticeValue(), 1);

    prompts.tickDontShowAgain = true;
    Start();
    EXPECT_EQ(NoticeValue(), 0);
    Start();
    EXPECT_EQ(prompts.noticesShown, 3);
}

TEST_F(StartUpTest, ARegistryThatCannotBeWrittenShowsTheNoticeAndIgnoresTheTick) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoRegistryFile;
#else
    fs::create_directories(tree / "home/.config/vellomar-registry.ini");  // no file can go there
    prompts.tickDontShowAgain = true;
    Start();
    Start();
    EXPECT_EQ(prompts.noticesShown, 2);
    EXPECT_TRUE(prompts.messages.empty());
#endif
}

TEST_F(StartUpTest, ADataFolderThatCannotBeCreatedIsReportedAndTheStartGoesOn) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    tree.MakeReadOnly("home/.config");
    session.scan.ScanBytes = 512;
    const std::vector<Message> expected = {
        {MessageKind::Warning,
         "Could not create a folder as you do not have authority on your system. Please right "
         "click this software icon on your desktop, and choose the option to \"Run as Admin\" "
         "(only needs to be done one time), as you currently do not have authority to create a "
         "new folder."},
        {MessageKind::Error, "Unable to write to u:\\.config\\Velmo\\qsearch.ini"},
    };
    // The Quick Search settings are the first file the start writes: it ends there.
    EXPECT_TRUE(test::RunAsUnprivilegedOwner(tree, [&] {
        Start();
        return prompts.messages == expected && session.scan.ScanBytes == 512 &&
               prompts.noticesShown == 0;
    }));
#endif
}

TEST_F(StartUpTest, AFailedSwitchWriteIsReportedAndEndsTheStartBeforeTheNotice) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoWriteLimit;
#else
    const std::string original = "[Info]\nCweb=0\n";
    test::WriteWholeFile(InfoSwitchesFile(), original);
    test::WriteWholeFile(QuickSearchFile(), "[Status]\nSearch=Ignoreboth\n");
    {
        test::FileSizeLimit tooSmallForTheFile(64);
        Start();
    }
    EXPECT_EQ(prompts.messages,
              std::vector<Message>({{MessageKind::Error,
                                     "Unable to write to u:\\.config\\Velmo\\Binsettings.ini"}}));
    EXPECT_EQ(test::ReadWholeFile(InfoSwitchesFile()), original);
    EXPECT_EQ(prompts.noticesShown, 0);
    EXPECT_FALSE(platform->Registry().KeyExists(kSettings));
#endif
}

TEST_F(StartUpTest, OnlyTheFirstStartOffersTheScanDriveWindow) {
    prompts.onScanDriveWindow = [this] { CreateEmptyScanLog(session); };
    Start();
    EXPECT_EQ(prompts.scanDriveWindowsShown, 1);
    Start();
    EXPECT_EQ(prompts.scanDriveWindowsShown, 1);
}

TEST_F(StartUpTest, TheCacheFoldersCountWhatTheFirstScanLoggedAndTheTotalsStartAtZero) {
    tree.AddFolder("drive/Mozilla/Profiles/x.default/Cache");
    test::WriteWholeFile(tree / "drive/Mozilla/Profiles/x.default/prefs.js",
                         "user_pref(\"browser.cache.directory\", \"t:\\\\elsewhere\");\n");
    prompts.onScanDriveWindow = [this] {
        CreateEmptyScanLog(session);
        LogBrowserFolder(session, "t:\\Mozilla\\Profiles\\x.default\\", kProfileSection, prompts);
    };
    session.cleanup.CleanedFileCount = 4;
    session.cleanup.ReclaimedBytes = 99;
    Start();
    const CacheFolderList& folders = session.browserCaches.cacheFolders;
    ASSERT_EQ(folders.Count(), 2u);
    EXPECT_EQ(folders[0], "t:\\Mozilla\\Profiles\\x.default\\cache");
    EXPECT_EQ(folders[1], "t:\\elsewhere\\");
    EXPECT_EQ(session.cleanup.CleanedFileCount, 0);
    EXPECT_EQ(session.cleanup.ReclaimedBytes, 0);
}

TEST_F(StartUpTest, BadBrowserSettingsNeverStopTheStart) {
    tree.AddFolder("home/.config/Velmo");
    test::WriteWholeFile(DataFolder() / "vmscan4.ini", "\x01\x02garbage\n[P45\nP1=\xff\xfe\n");
    ASSERT_TRUE(platform->Registry().WriteInteger("Software\\Netscape\\Netscape Navigator\\Cache",
                                                  "Cache Dir", 7));
    Start();
    EXPECT_EQ(session.browserCaches.cacheFolders.Count(), 0u);
    EXPECT_EQ(prompts.noticesShown, 1);  // the start went on to its end
    EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace vellomar
