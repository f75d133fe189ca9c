#include "browsers/BrowserScan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browsers/ScanLog.h"
#include "support/Portability.h"
#include "support/RecordingScan.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

class RecordingBrowserScanView final : public BrowserScanView {
public:
    void ShowScanFolder(std::string_view folderPath) override { shown.emplace_back(folderPath); }
    void Pump() override { ++pumps; }

    std::vector<std::string> shown;
    int pumps = 0;
};

class BrowserScanTest : public ::testing::Test {
protected:
    BrowserScanTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
        CreateEmptyScanLog(session);
    }

    void Add(const std::vector<std::string>& lines) {
        for (const auto& line : lines) tree.AddAll({"drive/" + line});
    }
    void ScanDrive() { ScanDriveNow(session, view, prompts, 'T'); }
    // The filled slots of a section, first to last.
    std::vector<std::string> Logged(std::string_view section) const {
        const IniFile log = platform->Ini(session.dataFolder.ScanLogPath);
        std::vector<std::string> folders;
        for (int number = 1; number <= 100; ++number) {
            std::string folder = log.ReadString(section, "P" + std::to_string(number), "");
            if (!folder.empty()) folders.push_back(folder);
        }
        return folders;
    }
    std::string LogText() const { return test::ReadWholeFile(tree / "home/.config/Velmo/vmscan4.ini"); }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    RecordingBrowserScanView view;
    test::ScriptedPrompts prompts;
};

TEST_F(BrowserScanTest, LogsProfileFilesBelowABrowserPathWithATrailingSeparator) {
    Add({"Apps/mozilla/profiles/ann/prefs.js", "Apps/NETSCAPE/users/bob/PREFS.JS",
         "Apps/Real/player/prefs.js", "Apps/Opera/profile/prefs.js", "Apps/unreal/prefs.js",
         "Apps/mozilla/profiles/ann/prefs.js.bak"});
    ScanDrive();
    EXPECT_THAT(Logged(kProfileSection),
                UnorderedElementsAre("t:\\Apps\\mozilla\\profiles\\ann\\",
                                              "t:\\Apps\\NETSCAPE\\users\\bob\\",
                                              "t:\\Apps\\Real\\player\\"));
    EXPECT_THAT(Logged(kLocalStoreSection), IsEmpty());
}

TEST_F(BrowserScanTest, LogsAFirefoxProfileWithACacheFolderAndItsCacheIsReadBack) {
    Add({"Data/Mozilla/Firefox/Profiles/x.default/Cache/0A/entry", "Data/Mozilla/Cache/",
         "Data/MozillaFirefox/p/Cache/", "Data/Mozilla/Firefox/Profiles/y.default/cache2/"});
    ScanDrive();
    EXPECT_THAT(Logged(kProfileSection),
                ElementsAre("t:\\Data\\Mozilla\\Firefox\\Profiles\\x.default\\"));
    EXPECT_EQ(ReadScanLog(session).cacheFolders[0],
              "t:\\Data\\Mozilla\\Firefox\\Profiles\\x.default\\cache");
}

TEST_F(BrowserScanTest, LogsLocalStoreFilesInTheirOwnSection) {
    Add({"Mozilla/p/LocalStore.rdf", "Mozilla/p/prefs.js", "other/localstore.rdf"});
    ScanDrive();
    EXPECT_THAT(Logged(kLocalStoreSection), ElementsAre("t:\\Mozilla\\p\\"));
    EXPECT_THAT(Logged(kProfileSection), ElementsAre("t:\\Mozilla\\p\\"));
}

TEST_F(BrowserScanTest, PassesOverReadOnlyAndSystemFilesButEntersHiddenFolders) {
    Add({"Mozilla/ro/prefs.js", "home/ann/.mozilla/firefox/abc.default/prefs.js",
         "elsewhere/prefs.js"});
    tree.MakeReadOnly("drive/Mozilla/ro/prefs.js");
    fs::create_directories(tree / "drive/Mozilla/link");
    PLANT_OR_SKIP(
        test::PlantLink(tree / "drive/elsewhere/prefs.js", tree / "drive/Mozilla/link/prefs.js"));
    ScanDrive();
    EXPECT_THAT(Logged(kProfileSection),
                ElementsAre("t:\\home\\ann\\.mozilla\\firefox\\abc.default\\"));
}

TEST_F(BrowserScanTest, ASecondScanOfTheSameDriveAddsNothing) {
    Add({"Mozilla/a/prefs.js", "Mozilla/b/localstore.rdf", "x/Mozilla/Firefox/p/Cache/"});
    ScanDrive();
    const std::string afterFirst = LogText();
    ScanDrive();
    EXPECT_EQ(LogText(), afterFirst);
    EXPECT_EQ(Logged(kProfileSection).size(), 2u);
}

TEST_F(BrowserScanTest, NeverFollowsALinkToAFolder) {
    Add({"Mozilla/a/prefs.js"});
    tree.AddFile("outside/Mozilla/b/prefs.js");
    tree.AddFolder("outside/Mozilla/Firefox/c/Cache");
    PLANT_OR_SKIP(test::PlantLink(tree / "drive/Mozilla", tree / "drive/Mozilla/a/loop"));
    PLANT_OR_SKIP(test::PlantLink(tree / "outside/Mozilla", tree / "drive/Mozilla/away"));
    ScanDrive();  // a followed loop would never end
    EXPECT_THAT(Logged(kProfileSection), ElementsAre("t:\\Mozilla\\a\\"));
}

TEST_F(BrowserScanTest, ShowsEachFolderWhileEnteringItsSubfoldersAndEndsEmpty) {
    Add({"a/b/c/file"});
    ScanDrive();
    EXPECT_THAT(view.shown, ElementsAre("t:", "t:\\a", "t:\\a\\b", "", "", "", ""));
}

TEST_F(BrowserScanTest, LetsTheWindowHandleInputAfterEveryEntry) {
    Add({"a/one", "a/two", "b/", "c"});  // five entries in all
    ScanDrive();
    EXPECT_EQ(view.pumps, 5);
}

TEST_F(BrowserScanTest, SaysThatTheScanHasCompletedAlsoWhenTheDriveIsNotReady) {
    ScanDrive();
    EXPECT_THAT(prompts.messages, ElementsAre(Pair(MessageKind::Information, kScanCompletedMessage)));
    Add({"Mozilla/a/prefs.js"});
    prompts.messages.clear();
    ScanDriveNow(session, view, prompts, 'q');  // no such drive
    EXPECT_THAT(prompts.messages, ElementsAre(Pair(MessageKind::Information, kScanCompletedMessage)));
    EXPECT_THAT(Logged(kProfileSection), IsEmpty());
    EXPECT_THAT(view.shown, ElementsAre("", ""));
}

TEST_F(BrowserScanTest, AFailedLogWriteEndsTheScanWithItsErrorInsteadOfTheCompletion) {
    Add({"Mozilla/a/prefs.js"});
    tree.MakeReadOnly("home/.config/Velmo/vmscan4.ini");
    ScanDrive();
    EXPECT_THAT(prompts.messages,
                ElementsAre(Pair(MessageKind::Error,
                                 "Unable to write to u:\\.config\\Velmo\\vmscan4.ini")));
}

TEST_F(BrowserScanTest, AFullLogReportsEachNewFolderAndTheScanGoesOn) {
    {
        const IniFile log = platform->Ini(session.dataFolder.ScanLogPath);
        for (int number = 1; number <= 100; ++number)
            log.WriteString(kProfileSection, "P" + std::to_string(number),
                            "t:\\Mozilla\\old" + std::to_string(number) + "\\");
    }
    Add({"Mozilla/a/prefs.js", "Mozilla/b/prefs.js", "Mozilla/c/localstore.rdf"});
    ScanDrive();
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_EQ(prompts.messages[0], std::make_pair(MessageKind::Plain, std::string(kScanLogFullMessage)));
    EXPECT_EQ(prompts.messages[1], prompts.messages[0]);
    EXPECT_EQ(prompts.messages[2].second, kScanCompletedMessage);
    EXPECT_THAT(Logged(kLocalStoreSection), ElementsAre("t:\\Mozilla\\c\\"));
}

TEST_F(BrowserScanTest, AFolderNameWithALineBreakNeitherStopsTheScanNorReachesTheLog) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    tree.AddFile("drive/Mozilla/a\nP2=t:evil/prefs.js");
    Add({"Mozilla/b/prefs.js"});
    ScanDrive();
    EXPECT_THAT(prompts.messages, ElementsAre(Pair(MessageKind::Information, kScanCompletedMessage)));
    EXPECT_THAT(Logged(kProfileSection), ElementsAre("t:\\Mozilla\\b\\"));
    EXPECT_THAT(LogText(), Not(HasSubstr("evil")));
#endif
}

}  // namespace
}  // namespace vellomar
