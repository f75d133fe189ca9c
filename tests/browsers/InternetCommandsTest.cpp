#include "browsers/InternetCommands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/BrowserCacheFiles.h"
#include "support/Portability.h"
#include "support/SearchRun.h"
#include "support/ShownEntries.h"
#ifndef _WIN32
#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

namespace fs = std::filesystem;

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;

constexpr char kNothingFound[] = "No files found (or you did not search).";

// The URL cache is the test platform's cache home, u:\.cache; the cache
// folders lie wherever a test puts them.
class InternetCommandsTest : public ::testing::Test, protected test::SearchRun {
protected:
    InternetCommandsTest() { tree.AddFolder("home/.config/Velmo"); }

    // A copy of size bytes in the URL cache of one Chromium profile, fetched
    // from the URL and served as the type.
    void AddUrlCopy(const std::string& name, std::string_view url, std::string_view type,
                    std::size_t size) {
        test::WriteWholeFile(tree.AddFile("home/.cache/chromium/Default/Cache/" + name),
                             test::ChromiumEntryFileOfSize(url, type, size));
    }
    // A page and, under a URL without an extension, a picture.
    void AddUrlPageAndPicture() {
        AddUrlCopy("0a1b_0", "https://a.test/news.html", "text/html", 500);
        AddUrlCopy("2c3d_0", "https://a.test/avatar?u=1", "image/gif", 400);
    }
    void AddCacheFolder(std::string_view folder) { session.browserCaches.cacheFolders.Add(folder); }
    void Run(InternetCommand command, char driveLetter = 't') {
        RunInternetCommand(context, command, driveLetter);
    }
    std::vector<std::string> Shown() const { return test::ShownEntries(session.results); }
    // The usual caches: two copies in the URL cache, a cache folder on t: with
    // a picture, a file, a hidden file, a subfolder, and, where this system
    // makes them, a link and a device, which are never listed.
    void AddBothCaches() {
        AddUrlPageAndPicture();
        tree.AddAll({"home/.cache/chromium/Default/Cache/index:1"});
        tree.AddAll({"drive/cf/a.jpg:1000", "drive/cf/b.dat:2000", "drive/cf/.hidden:5",
                     "drive/cf/sub/inner.gif:50"});
        test::PlantLink(tree / "drive/cf/b.dat", tree / "drive/cf/link.gif");
        test::PlantNamedPipe(tree / "drive/cf/pipe");
        AddCacheFolder("t:\\cf");
    }
};

const std::string kUrlPage = "u:\\.cache\\chromium\\Default\\Cache\\0a1b_0";
const std::string kUrlPicture = "u:\\.cache\\chromium\\Default\\Cache\\2c3d_0";

TEST_F(InternetCommandsTest, AllInternetFilesListsBothCachesAndCountsTheirPicturesTwice) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoUrlCacheFiles;
#else
    AddBothCaches();
    Run(InternetCommand::AllInternetFiles);

    const std::vector<std::string> shown = Shown();
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_THAT(std::vector(shown.begin(), shown.begin() + 2), UnorderedElementsAre(kUrlPage, kUrlPicture));
    EXPECT_EQ(shown[2], "t:\\cf\\a.jpg");  // the pictures pass comes first
    EXPECT_THAT(std::vector(shown.begin() + 3, shown.end()),
                UnorderedElementsAre("t:\\cf\\b.dat", "t:\\cf\\.hidden", "t:\\cf\\sub"));

    const ScanState& scan = session.scan;
    EXPECT_EQ(scan.InternetCount, 6);
    EXPECT_EQ(scan.InternetBytes, 500 + 400 + 1000 + 2000 + 5);  // a subfolder counts empty
    EXPECT_EQ(scan.InternetPicCount, 2);
    EXPECT_EQ(scan.InternetPicBytes, 400 + 1000);
    EXPECT_EQ(scan.ScanBytes, 900 + 1000 + 2005);  // what the list holds, each entry once
    EXPECT_EQ(view.entryCount, 6u);
    EXPECT_EQ(view.byteTotal, 3905);
    EXPECT_EQ(view.listState, "filled");
    EXPECT_GE(view.fitCalls, 1);

    ASSERT_TRUE(prompts.summary.has_value());
    EXPECT_THAT(*prompts.summary,
                ElementsAre(StartsWith("Garbage Files      -> No files"), EndsWith(kNothingFound),
                            "All Internet Files -> 6 files FOUND, consuming 3905 bytes.",
                            "Internet Pictures  -> 2 files FOUND, consuming 1400 bytes."));
    EXPECT_EQ(cleanupOffers, 1);
#endif
}

TEST_F(InternetCommandsTest, InternetPicsOnlyListsThePicturesOfBothCachesOnly) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoUrlCacheFiles;
#else
    AddBothCaches();
    tree.AddFolder("drive/cf/album.png");  // a folder with a picture's name is an entry too
    Run(InternetCommand::InternetPicsOnly);

    EXPECT_THAT(Shown(), UnorderedElementsAre(kUrlPicture, "t:\\cf\\a.jpg", "t:\\cf\\album.png"));
    EXPECT_EQ(Shown()[0], kUrlPicture);
    const ScanState& scan = session.scan;
    EXPECT_EQ(scan.InternetCount, 0);
    EXPECT_EQ(scan.InternetBytes, 0);
    EXPECT_EQ(scan.InternetPicCount, 3);
    EXPECT_EQ(scan.InternetPicBytes, 1400);
    EXPECT_EQ(scan.ScanBytes, 1400);
    EXPECT_EQ(view.entryCount, 3u);
    EXPECT_EQ(view.byteTotal, 1400);
    ASSERT_TRUE(prompts.summary.has_value());
    EXPECT_EQ((*prompts.summary)[2], std::string("All Internet Files -> ") + kNothingFound);
    EXPECT_EQ((*prompts.summary)[3], "Internet Pictures  -> 3 files FOUND, consuming 1400 bytes.");
#endif
}

TEST_F(InternetCommandsTest, EachCommandChoosesForItselfWhetherOnlyPicturesCount) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoUrlCacheFiles;
#else
    AddUrlPageAndPicture();
    Run(InternetCommand::InternetPicsOnly);
    Run(InternetCommand::AllInternetFiles);
    EXPECT_THAT(Shown(), UnorderedElementsAre(kUrlPage, kUrlPicture));
    EXPECT_EQ(session.scan.InternetCount, 2);
    EXPECT_EQ(session.scan.InternetPicCount, 1);  // the earlier command's totals are gone
#endif
}

TEST_F(InternetCommandsTest, AUrlCopyIsAPictureByTheTypeItWasServedAsElseByItsFetchedName) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoUrlCacheFiles;
#else
    AddUrlCopy("logo.gif", "https://a.test/logo", "text/html", 300);        // the local name counts for nothing
    AddUrlCopy("1a_0", "https://a.test/favicon.ico", "text/html", 300);     // a "not found" page
    AddUrlCopy("2b_0", "https://a.test/photo", "image/jpeg", 300);
    AddUrlCopy("3c_0", "https://a.test/p/shot.jpg", "application/octet-stream", 300);
    AddUrlCopy("4d_0", "https://a.test/p/shot.png?x=1", "", 300);
    AddUrlCopy("5e_0", "https://a.test/clip.webp", "image/webp", 300);  // the type, not the extension list
    test::WriteWholeFile(tree.AddFile("home/.cache/chromium/Default/Cache/6f_0"), "no entry");
    Run(InternetCommand::InternetPicsOnly);
    const std::string folder = "u:\\.cache\\chromium\\Default\\Cache\\";
    EXPECT_THAT(Shown(), UnorderedElementsAre(folder + "2b_0", folder + "3c_0", folder + "4d_0",
                                              folder + "5e_0"));
    Run(InternetCommand::AllInternetFiles);
    EXPECT_EQ(session.scan.InternetCount, 7);  // an entry that cannot be read is a copy all the same
    EXPECT_EQ(session.scan.InternetPicCount, 4);
#endif
}

TEST_F(InternetCommandsTest, ACacheFolderNamedWithATrailingSeparatorOrTwiceListsEachFileOnce) {
    tree.AddAll({"drive/cf/a.jpg:1000", "drive/cf/b.dat:2000"});
    AddCacheFolder("t:\\cf\\");
    AddCacheFolder("t:\\cf");  // another text for the same folder
    AddCacheFolder("t:\\missing\\");
    Run(InternetCommand::AllInternetFiles);
    EXPECT_THAT(Shown(), ElementsAre("t:\\cf\\a.jpg", "t:\\cf\\b.dat"));
    EXPECT_EQ(session.scan.InternetCount, 2);
    EXPECT_EQ(session.scan.InternetBytes, 3000);
    EXPECT_EQ(session.scan.InternetPicCount, 1);
}

TEST_F(InternetCommandsTest, TheChosenDriveChangesNothingForTheCacheCommands) {
    AddBothCaches();
    tree.AddAll({"drive/junk.tmp:7", "drive/empty.txt:0"});
    for (InternetCommand command : {InternetCommand::AllInternetFiles, InternetCommand::InternetPicsOnly}) {
        Run(command, 't');
        const std::vector<std::string> onT = Shown();
        const double bytesOnT = session.scan.ScanBytes;
        Run(command, 'q');
        EXPECT_THAT(Shown(), UnorderedElementsAreArray(onT));
        EXPECT_EQ(session.scan.ScanBytes, bytesOnT);
        EXPECT_THAT(Shown(), Not(testing::Contains("t:\\junk.tmp")));
    }
}

TEST_F(InternetCommandsTest, FetchAllAppendsTheDrivesGarbageAndZeroByteFilesAfterTheCaches) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoUrlCacheFiles;
#else
    AddUrlPageAndPicture();
    tree.AddAll({"home/cf/a.jpg:1000", "home/cf/b.dat:2000"});
    AddCacheFolder("u:\\cf");
    tree.AddAll({"drive/junk.tmp:7", "drive/empty.txt:0", "drive/keep.txt:9"});
    Run(InternetCommand::FetchAll);

    const std::vector<std::string> shown = Shown();
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_THAT(std::vector(shown.begin(), shown.begin() + 2), UnorderedElementsAre(kUrlPage, kUrlPicture));
    EXPECT_EQ(shown[2], "u:\\cf\\a.jpg");
    EXPECT_EQ(shown[3], "u:\\cf\\b.dat");
    EXPECT_THAT(std::vector(shown.begin() + 4, shown.end()),
                UnorderedElementsAre("t:\\junk.tmp", "t:\\empty.txt"));

    const ScanState& scan = session.scan;
    EXPECT_EQ(scan.GarbageCount, 1);
    EXPECT_EQ(scan.ZeroByteCount, 1);
    EXPECT_EQ(scan.InternetCount, 4);
    EXPECT_EQ(scan.InternetBytes, 3900);
    EXPECT_EQ(scan.ScanBytes, 900 + 1000 + 2000 + 7);  // the walk counts on
    EXPECT_EQ(view.entryCount, 6u);
    EXPECT_EQ(view.byteTotal, 3900 + 7);
    ASSERT_TRUE(prompts.summary.has_value());
    EXPECT_THAT(*prompts.summary,
                ElementsAre("Garbage Files      -> 1 files FOUND, consuming 7 bytes.",
                            "0 Byte Files       -> 1 files FOUND.",
                            "All Internet Files -> 4 files FOUND, consuming 3900 bytes.",
                            "Internet Pictures  -> 2 files FOUND, consuming 1400 bytes."));
#endif
}

TEST_F(InternetCommandsTest, WithNothingCachedTheListStaysEmptyWithoutASummary) {
    AddCacheFolder("t:\\missing");
    Run(InternetCommand::AllInternetFiles);
    EXPECT_THAT(Shown(), IsEmpty());
    EXPECT_FALSE(prompts.summary.has_value());
    EXPECT_EQ(cleanupOffers, 0);
    EXPECT_EQ(view.listState, "empty");
    EXPECT_EQ(view.entryCount, 0u);
    EXPECT_EQ(view.byteTotal, 0);
}

TEST_F(InternetCommandsTest, EachCommandShowsItsOwnInformationUnderItsOwnSwitch) {
    const fs::path switches = tree / "home/.config/Velmo/Binsettings.ini";
    test::WriteWholeFile(switches, "[Info]\nCweb=1\nCpic=1\nFall=1\n");
    prompts.tickDontShowAgain = true;
    Run(InternetCommand::AllInternetFiles);
    EXPECT_EQ(test::ReadWholeFile(switches), "[Info]\nCweb=0\nCpic=1\nFall=1\n");
    Run(InternetCommand::InternetPicsOnly);
    EXPECT_EQ(test::ReadWholeFile(switches), "[Info]\nCweb=0\nCpic=0\nFall=1\n");
    Run(InternetCommand::FetchAll);
    EXPECT_EQ(test::ReadWholeFile(switches), "[Info]\nCweb=0\nCpic=0\nFall=0\n");
    Run(InternetCommand::AllInternetFiles);

    const auto& shown = prompts.informationShown;
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_THAT(shown[0].first, HasSubstr("the webpages and graphics are stored"));
    EXPECT_THAT(shown[0].second, StartsWith("(Selecting a drive has no effect"));
    EXPECT_THAT(shown[0].second, EndsWith("a drive which is not selected."));
    EXPECT_THAT(shown[1].first, HasSubstr("remove all these stored graphics/pictures."));
    EXPECT_THAT(shown[1].second, HasSubstr("webpage pictures/graphics  for IE"));
    EXPECT_THAT(shown[2].first, StartsWith("This button will allow you to search and find"));
    EXPECT_THAT(shown[2].first, EndsWith("safely remove all these files. "));
    EXPECT_EQ(shown[2].second, "");
}

TEST_F(InternetCommandsTest, AFailedSwitchWriteEndsTheCommandBeforeAnythingIsListed) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoWriteLimit;
#else
    AddUrlCopy("0a1b_0", "https://a.test/", "text/html", 500);
    test::WriteWholeFile(tree / "home/.config/Velmo/Binsettings.ini", "[Info]\nCweb=1\n");
    prompts.tickDontShowAgain = true;
    {
        test::FileSizeLimit tooSmallForTheFile(4);
        Run(InternetCommand::AllInternetFiles);
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].first, MessageKind::Error);
    EXPECT_EQ(prompts.messages[0].second, "Unable to write to u:\\.config\\Velmo\\Binsettings.ini");
    EXPECT_THAT(Shown(), IsEmpty());
    EXPECT_FALSE(view.busy);
#endif
}

// A cache folder text may name a folder of the system's, where only what it does not own is listed.
class InternetCommandsOverASystemTest : public ::testing::Test, protected test::SearchRun {
protected:
    InternetCommandsOverASystemTest() : SearchRun("drive") { tree.AddFolder("home/.config/Velmo"); }
};

TEST_F(InternetCommandsOverASystemTest, ACacheFolderListsNothingTheSystemOwns) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoPackageLists;
#endif
    tree.AddAll({"drive/etc/cache/a.jpg", "drive/opt/vendor/theme.gif", "drive/opt/vendor/mine.gif"});
    test::WriteWholeFile(tree.AddFolder("drive/var/lib/dpkg/info") / "theme.list",
                         "/.\n/opt\n/opt/vendor\n/opt/vendor/theme.gif\n");
    session.browserCaches.cacheFolders.Add("t:\\etc\\cache");
    session.browserCaches.cacheFolders.Add("t:\\opt\\vendor");
    RunInternetCommand(context, InternetCommand::AllInternetFiles, 't');
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre("t:\\opt\\vendor\\mine.gif"));
}

}  // namespace
}  // namespace vellomar
