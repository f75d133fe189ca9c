// vellomar-cli run for real on trees made by each test.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cstdlib>
#include <optional>
#include <sstream>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "support/BrowserCacheFiles.h"
#include "support/CliProgram.h"
#include "support/Portability.h"
#include "support/TempTree.h"
#ifndef _WIN32
#include "support/RacingProcess.h"
#include "support/ScopedVariable.h"
#endif

namespace vellomar {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using test::CliRun;

// A text of what comes before, a number (digits and dots) and what comes
// after: the patterns gtest's matchers take differ between its platforms.
MATCHER_P2(NumberBetween, before, after, "is \"" + std::string(before) + "<number>" + after + "\"") {
    const std::string text = arg;
    const std::string head = before, tail = after;
    if (text.size() <= head.size() + tail.size() || !text.starts_with(head) || !text.ends_with(tail))
        return false;
    const std::string number = text.substr(head.size(), text.size() - head.size() - tail.size());
    return std::isdigit(static_cast<unsigned char>(number[0])) &&
           number.find_first_not_of("0123456789.") == std::string::npos;
}

std::vector<std::string> Sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

class CliTest : public ::testing::Test {
protected:
    CliTest() { tree.AddFolder("drive"); tree.AddFolder("config"); }

    // The tests use only plain words as arguments.
    CliRun Run(const std::string& arguments) const {
        return test::RunCli({tree / "config", cacheHome}, arguments, tree.Root());
    }
    std::string DriveOption() const { return "--drive t=" + (tree / "drive").string(); }
    void Add(const std::vector<std::string>& lines) {
        for (const auto& line : lines) tree.AddAll({"drive/" + line});
    }

    test::TempTree tree;
    std::filesystem::path cacheHome = tree / "cache";
};

TEST_F(CliTest, GarbagePrintsTheEntriesThenTotalsAndTheSummary) {
    Add({"a.tmp:10", "sub/b.BAK:20", "sub/keep.txt", "Garbage Bin/c.tmp", "setup.~dp:0"});
    CliRun run = Run(DriveOption() + " garbage t:");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(Sorted(run.out), ElementsAre("t:\\a.tmp", "t:\\setup.~dp", "t:\\sub\\b.BAK"));
    EXPECT_THAT(run.err, ElementsAre("Total Files = 3", "Total Bytes = 30",
                                     "Garbage Files      -> 3 files FOUND, consuming 30 bytes.",
                                     "0 Byte Files       -> No files found (or you did not search).",
                                     "All Internet Files -> No files found (or you did not search).",
                                     "Internet Pictures  -> No files found (or you did not search)."));
}

TEST_F(CliTest, OptionsMayFollowTheCommandAndTheDrive) {
    Add({"x.log"});
    CliRun run = Run("logs T: " + DriveOption());
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, ElementsAre("t:\\x.log"));
    EXPECT_THAT(run.err, ElementsAre("Total Files = 1", "Total Bytes = 1"));  // no summary
}

TEST_F(CliTest, EveryCommandWordRunsItsCategory) {
    Add({"a.avi", "b.gif", "c.wav", "d.scr", "e.url", "f.pdf", "g.zip", "h.css", "i.ini", "j.log",
         "k.t05", "l.tmp", "m:0"});
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"videos", "t:\\a.avi"},     {"pictures", "t:\\b.gif"},  {"sounds", "t:\\c.wav"},
        {"screensavers", "t:\\d.scr"}, {"bookmarks", "t:\\e.url"}, {"documents", "t:\\f.pdf"},
        {"zips", "t:\\g.zip"},       {"webpages", "t:\\h.css"},  {"inidat", "t:\\i.ini"},
        {"logs", "t:\\j.log"},       {"tax", "t:\\k.t05"},       {"garbage", "t:\\l.tmp"},
        {"zero", "t:\\m"}};
    for (const auto& [command, entry] : expected)
        EXPECT_THAT(Run(DriveOption() + " " + command + " t:").out, ElementsAre(entry)) << command;
}

TEST_F(CliTest, ListsAZeroByteGarbageFileTwiceOnlyWhenBothRowsAreActive) {
    Add({"z.tmp:0"});
    EXPECT_THAT(Run(DriveOption() + " zero t:").out, ElementsAre("t:\\z.tmp"));
    EXPECT_THAT(Run(DriveOption() + " garbage t:").out, ElementsAre("t:\\z.tmp"));
}

TEST_F(CliTest, AnEmptyDriveGivesZeroTotalsAndNoSummary) {
    CliRun run = Run(DriveOption() + " garbage t:");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.empty());
    EXPECT_THAT(run.err, ElementsAre("Total Files = 0", "Total Bytes = 0"));
}

TEST_F(CliTest, NeverShowsTheInformationWindowNorTouchesItsSwitches) {
    const auto switches = tree / "config/Velmo/Binsettings.ini";
    test::WriteWholeFile(switches, "[Info]\nGarb=1\n");
    Add({"a.tmp"});
    CliRun run = Run(DriveOption() + " garbage t:");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, ElementsAre("t:\\a.tmp"));
    EXPECT_EQ(test::ReadWholeFile(switches), "[Info]\nGarb=1\n");
}

TEST_F(CliTest, MistakesEndWithOneLineOnStandardErrorAndStatusTwo) {
    const std::vector<std::pair<std::string, std::string>> mistakes = {
        {DriveOption() + " bogus t:", "unknown command: bogus"},
        {DriveOption() + " garbage q:", "unknown drive: q:"},
        {"--drive t=" + (tree / "missing").string() + " garbage t:", "no such folder"},
        {DriveOption() + " garbage", "expected a command and a drive"},
        {DriveOption() + " garbage t", "a drive is written as a letter and a colon"},
        {"--drive tt garbage t:", "--drive needs L=FOLDER"},
        {"--verbose garbage t:", "unknown option: --verbose"},
        {DriveOption() + " garbage t: --sort date", "unknown sort kind: date"},
        {DriveOption() + " garbage t: --sort", "--sort needs ext, name, path or size"},
        {DriveOption() + " --sort name --sort=size garbage t:", "--sort may be given once"},
        {DriveOption() + " --keep-case garbage t:", "--keep-case goes with --sort"},
        {DriveOption() + " garbage t: --filter", "--filter needs a text"},
    };
    for (const auto& [arguments, message] : mistakes) {
        CliRun run = Run(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
        ASSERT_EQ(run.err.size(), 1u) << arguments;
        EXPECT_THAT(run.err[0], HasSubstr(message)) << arguments;
    }
}

TEST_F(CliTest, SortLowersTheEntriesAsTheWindowStartsOrKeepsTheirCase) {
    Add({"B.log:5", "a.log:1", "Sub/c.LOG:3"});
    EXPECT_THAT(Run(DriveOption() + " logs t: --sort name").out,
                ElementsAre("t:\\a.log", "t:\\b.log", "t:\\sub\\c.log"));
    EXPECT_THAT(Run(DriveOption() + " --sort=path --keep-case logs t:").out,
                ElementsAre("t:\\a.log", "t:\\B.log", "t:\\Sub\\c.LOG"));
    CliRun run = Run(DriveOption() + " logs t: --sort size");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, ElementsAre("t:\\a.log", "t:\\sub\\c.log", "t:\\b.log"));
    EXPECT_THAT(run.err, ElementsAre("Total Files = 3", "Total Bytes = 9"));
}


TEST_F(CliTest, SortOrdersAsTheWindowDoesInTheUsersLocale) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoLocaleVariables;
#else
    Add({"a_b.log", "a1.log"});
    {
        test::ScopedVariable locale("LC_ALL", "C");  // by code point
        EXPECT_THAT(Run(DriveOption() + " logs t: --sort name").out,
                    ElementsAre("t:\\a1.log", "t:\\a_b.log"));
    }
    test::ScopedVariable locale("LC_ALL", "en_US.UTF-8");  // punctuation before digits
    EXPECT_THAT(Run(DriveOption() + " logs t: --sort name").out,
                ElementsAre("t:\\a_b.log", "t:\\a1.log"));
#endif
}

TEST_F(CliTest, SortTakesTheLocaleAsTheCLibraryDoesWithLettersBeyondAsciiAmongTheirKin) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoLocaleVariables;
#else
    // "\xc3\x84" is "Ä", "\xc3\xa9" "é", "\xc3\x89" "É", "\xc3\x9f" "ß"; only
    // ASCII letters come back lowered.
    const std::string apfel = "t:\\apfel.log", umlaut = "t:\\\xc3\x84" "pfel.log",
                      acute = "t:\\\xc3\xa9" "a.log", capitalAcute = "t:\\\xc3\x89" "b.log",
                      sharpS = "t:\\stra\xc3\x9f" "e.log", z = "t:\\z.log";
    Add({"z.log", "\xc3\x84" "pfel.log", "apfel.log", "\xc3\xa9" "a.log", "\xc3\x89" "b.log",
         "Stra\xc3\x9f" "e.log"});
    const auto sortedByName = [&] { return Run(DriveOption() + " --sort name logs t:").out; };
    test::ScopedVariable all("LC_ALL", ""), collate("LC_COLLATE", ""), lang("LANG", "de_DE.UTF-8");
    // German: "Ä" beside "a", "é" and "É" beside "e", "ß" as "ss", all before "z".
    const std::vector<std::string> german = {apfel, umlaut, acute, capitalAcute, sharpS, z};
    EXPECT_THAT(sortedByName(), ElementsAreArray(german));
    {
        // Swedish puts "Ä" after "z"; LC_COLLATE says more than LANG.
        test::ScopedVariable swedish("LC_COLLATE", "sv_SE.UTF-8");
        EXPECT_THAT(sortedByName(), ElementsAre(apfel, acute, capitalAcute, sharpS, z, umlaut));
        // LC_ALL says more than both.
        test::ScopedVariable allGerman("LC_ALL", "de_DE.UTF-8");
        EXPECT_THAT(sortedByName(), ElementsAreArray(german));
    }
    // The C locale: by code point, letter case folded, so "É" goes with "é".
    test::ScopedVariable c("LANG", "C.UTF-8");
    EXPECT_THAT(sortedByName(), ElementsAre(apfel, sharpS, z, umlaut, acute, capitalAcute));
#endif
}

TEST_F(CliTest, FiltersNarrowOneAfterAnotherAndLeaveTheTotalsAsTheSearchFound) {
    Add({"Docs/a.log:1", "mydocs/b.LOG:2", "c.log:4", "docsb.log:8"});
    CliRun run = Run(DriveOption() + " --filter docs --filter=B.L logs t:");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(Sorted(run.out), ElementsAre("t:\\docsb.log", "t:\\mydocs\\b.LOG"));
    EXPECT_THAT(run.err, ElementsAre("Total Files = 4", "Total Bytes = 15"));
}

TEST_F(CliTest, DeleteAsksAndRemovesNothingWithoutYes) {
    Add({"a.tmp:3", "sub/b.tmp:4"});
    CliRun run = Run(DriveOption() + " garbage t: --delete");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(Sorted(run.out), ElementsAre("t:\\a.tmp", "t:\\sub\\b.tmp"));
    ASSERT_FALSE(run.err.empty());
    EXPECT_THAT(run.err[0], HasSubstr("Delete 2 highlighted file(s) in your listbox?"));
    EXPECT_TRUE(std::filesystem::exists(tree / "drive/a.tmp"));
    EXPECT_TRUE(std::filesystem::exists(tree / "drive/sub/b.tmp"));
}

TEST_F(CliTest, DeleteWithYesRemovesEveryListedFileAndPrintsWhatIsLeft) {
    Add({"a.tmp:3", "sub/b.tmp:4", "keep.txt"});
    CliRun run = Run("--delete --yes " + DriveOption() + " garbage t:");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.empty());
    EXPECT_THAT(run.err, ::testing::Contains("All the files selected have been successfully removed."));
    EXPECT_THAT(run.err, ::testing::Contains("Total Files = 0"));
    EXPECT_THAT(run.err, ::testing::Contains("Total Bytes = 0"));
    EXPECT_FALSE(std::filesystem::exists(tree / "drive/a.tmp"));
    EXPECT_FALSE(std::filesystem::exists(tree / "drive/sub/b.tmp"));
    EXPECT_TRUE(std::filesystem::exists(tree / "drive/keep.txt"));
    EXPECT_EQ(Run(DriveOption() + " garbage t: --yes").status, 2);  // --yes alone is a mistake
}

TEST_F(CliTest, DeletingEmptyFilesThatComeAndGoNeverReachesTheirTwinsInAnotherCase) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    std::vector<std::string> racing;
    for (int folder = 0; folder < 50; ++folder) {
        const std::string name = "d" + std::to_string(folder);
        Add({name + "/A:5"});
        racing.push_back((tree / "drive" / name / "a").string());
    }
    {
        // Another process makes and removes an empty "a" in each folder.
        test::RacingProcess racer([&] {
            for (const std::string& path : racing) {
                const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
                if (fd >= 0) close(fd);
                unlink(path.c_str());
            }
        });
        for (int run = 0; run < 10; ++run) {
            const CliRun cleanup = Run("--delete --yes " + DriveOption() + " zero t:");
            EXPECT_THAT(cleanup.err, ::testing::Not(::testing::Contains(
                                         ::testing::StartsWith("Total Bytes = -"))));
        }
    }
    for (const std::string& path : racing)
        EXPECT_EQ(std::filesystem::file_size(std::filesystem::path(path).parent_path() / "A"), 5u)
            << path;
#endif
}

TEST_F(CliTest, NameFindsExactNamesIgnoringCaseUnlessToldOtherwise) {
    Add({"report.doc:4", "sub/REPORT.DOC:6", "old report.doc", "Garbage Bin/report.doc:1"});
    const CliRun exact = Run(DriveOption() + " name report.doc t:");
    EXPECT_EQ(exact.status, 0);
    EXPECT_THAT(Sorted(exact.out), ElementsAre("t:\\Garbage Bin\\report.doc", "t:\\report.doc",
                                               "t:\\sub\\REPORT.DOC"));
    EXPECT_THAT(exact.err, ElementsAre("Total Files = 3", "Total Bytes = 11"));

    const CliRun partCase = Run("name REPORT t: --partial --match-case " + DriveOption());
    EXPECT_THAT(partCase.out, ElementsAre("t:\\sub\\REPORT.DOC"));
}

TEST_F(CliTest, StoredQuickSearchFiltersApplyToEveryWalk) {
    Add({"a.tmp", "skip/b.tmp", "keep/c.tmp"});
    test::WriteWholeFile(tree / "config/Velmo/qsearch.ini",
                         "[Skip]\nF1=t:\\SKIP\n[Status]\nSearch=Bothwindows\n");
    EXPECT_THAT(Sorted(Run(DriveOption() + " garbage t:").out),
                ElementsAre("t:\\a.tmp", "t:\\keep\\c.tmp"));
    EXPECT_THAT(Sorted(Run(DriveOption() + " name .tmp t: --partial").out),
                ElementsAre("t:\\a.tmp", "t:\\keep\\c.tmp"));

    // Filters meant for the Quick Search window's own search leave the others alone.
    test::WriteWholeFile(tree / "config/Velmo/qsearch.ini",
                         "[Skip]\nF1=t:\\SKIP\n[Status]\nSearch=Onlythiswindow\n");
    EXPECT_EQ(Run(DriveOption() + " garbage t:").out.size(), 3u);
    EXPECT_EQ(Run(DriveOption() + " name .tmp t: --partial").out.size(), 2u);
}

TEST_F(CliTest, NameMistakesAreUsageErrors) {
    for (const std::string arguments : {"name t:", "name a b t:", "garbage t: --partial",
                                        "name ' ' t:"}) {
        const CliRun run = Run(DriveOption() + " " + arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
    }
    // No settings file is made by the command line.
    EXPECT_FALSE(std::filesystem::exists(tree / "config/Velmo/qsearch.ini"));
}

TEST_F(CliTest, ScanBrowsersLogsProfilesThatTheInternetCommandsThenList) {
    Add({"Mozilla/Firefox/x.default/prefs.js", "Mozilla/Firefox/x.default/Cache/page1:10",
         "Mozilla/Firefox/x.default/Cache/logo.gif:20", "a.tmp:5"});
    const CliRun scan = Run(DriveOption() + " scan-browsers t:");
    EXPECT_EQ(scan.status, 0);
    EXPECT_TRUE(scan.out.empty());
    EXPECT_THAT(scan.err, ElementsAre(HasSubstr("Scan has completed.")));
    EXPECT_THAT(test::ReadWholeFile(tree / "config/Velmo/vmscan4.ini"),
                HasSubstr("P1=t:\\Mozilla\\Firefox\\x.default\\\n"));

    const CliRun all = Run(DriveOption() + " internet");
    EXPECT_EQ(all.status, 0);
    // The log names the folder "cache"; the entries name it as stored, so
    // that each names its file exactly.
    EXPECT_THAT(Sorted(all.out),
                ElementsAre("t:\\Mozilla\\Firefox\\x.default\\Cache\\logo.gif",
                            "t:\\Mozilla\\Firefox\\x.default\\Cache\\page1"));
    EXPECT_THAT(all.err, ::testing::Contains("Total Bytes = 30"));

    EXPECT_THAT(Run(DriveOption() + " internet-pics").out,
                ElementsAre("t:\\Mozilla\\Firefox\\x.default\\Cache\\logo.gif"));
    // Fetch ALL walks the drive too; the garbage follows the cache entries.
    EXPECT_EQ(Run(DriveOption() + " fetch-all t:").out.back(), "t:\\a.tmp");
}

TEST_F(CliTest, TheCopiesOfALinkedCacheHomeAreListedWhereTheyLieAndDeleted) {
    const std::string copies = "disk2/cache/chromium/Default/Cache/Cache_Data/";
    tree.AddFolder("drive/" + copies);
    test::WriteWholeFile(tree / ("drive/" + copies + "1a_0"),
                         test::ChromiumEntryFile("https://a.test/photo", "image/jpeg", "jpeg"));
    test::WriteWholeFile(tree / ("drive/" + copies + "2b_0"),
                         test::ChromiumEntryFile("https://a.test/", "text/html", "<p>"));
    PLANT_OR_SKIP(test::PlantLink(tree / "drive/disk2/cache", tree / "drive/.cache"));
    cacheHome = tree / "drive/.cache";
    const std::string real = "t:\\disk2\\cache\\chromium\\Default\\Cache\\Cache_Data\\";

    EXPECT_THAT(Run(DriveOption() + " internet-pics").out, ElementsAre(real + "1a_0"));
    const CliRun all = Run("--delete --yes " + DriveOption() + " internet");
    EXPECT_EQ(all.status, 0);
    EXPECT_TRUE(all.out.empty());
    EXPECT_THAT(all.err, ::testing::Contains("All the files selected have been successfully removed."));
    EXPECT_TRUE(std::filesystem::is_empty(tree / ("drive/" + copies)));
}

TEST_F(CliTest, InternetCommandsTakeNoDriveAndTheOthersNeedOne) {
    EXPECT_EQ(Run(DriveOption() + " internet t:").status, 2);
    EXPECT_EQ(Run(DriveOption() + " fetch-all").status, 2);
    EXPECT_EQ(Run(DriveOption() + " scan-browsers").status, 2);
}

TEST_F(CliTest, TotalsPrintsTheStatisticsLinesOfAFreshRun) {
    const CliRun run = Run("totals");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.out.size(), 8u);
    EXPECT_EQ(run.out[0], "You have not cleaned up any files on your system yet.");
    EXPECT_EQ(run.out[1], "0 bytes of space have been reclaimed.");
    EXPECT_THAT(run.out[2], ::testing::StartsWith("Total RAM memory on your system = "));
    EXPECT_THAT(run.out[2], ::testing::Not(::testing::EndsWith("= 0")));  // live figures
    EXPECT_THAT(run.out[4], NumberBetween("Percentage of RAM memory available = ", "%"));
    EXPECT_THAT(run.out[7], NumberBetween("Percentage of swap file available  = ", "%"));
    EXPECT_EQ(Run("totals t:").status, 2);
}

TEST_F(CliTest, EntriesWithLineBreaksOrBadBytesPrintQuotedOnOneLine) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    Add({"plain.tmp"});
    test::WriteWholeFile(tree / "drive" / "two\nlines.tmp", "");
    test::WriteWholeFile(tree / "drive" / "latin1 \xe9.tmp", "");
    const CliRun run = Run(DriveOption() + " garbage t:");
    EXPECT_THAT(Sorted(run.out), ElementsAre("$'t:\\\\latin1 \\xE9.tmp'",
                                             "$'t:\\\\two\\nlines.tmp'", "t:\\plain.tmp"));
    EXPECT_THAT(run.err, ::testing::Contains("Total Files = 3"));
#endif
}

TEST_F(CliTest, HelpAndVersionGoToStandardOutputWithStatusZero) {
    const CliRun help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_GT(help.out.size(), 20u);
    EXPECT_TRUE(help.err.empty());
    EXPECT_THAT(help.out, ::testing::Contains(HasSubstr("bin restore ID...")));
    const CliRun version = Run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_THAT(version.out, ElementsAre(NumberBetween("vellomar-cli ", "")));
    const CliRun mistake = Run("bogus t:");
    EXPECT_THAT(mistake.err, ElementsAre("vellomar-cli: unknown command: bogus (see vellomar-cli --help)"));
}

TEST_F(CliTest, OlderThanListsAndRemovesOnlyFilesOlderThanTheAgeGiven) {
    Add({"new.tmp:4", "old.tmp:3", "edge.tmp:2"});
    const auto age = [&](const char* name, std::chrono::seconds by) {
        std::filesystem::last_write_time(tree / "drive" / name,
                                         std::filesystem::file_time_type::clock::now() - by);
    };
    age("old.tmp", std::chrono::hours(12) + std::chrono::minutes(1));
    age("edge.tmp", std::chrono::hours(12) - std::chrono::minutes(1));
    CliRun run = Run(DriveOption() + " garbage t: --older-than 12h");
    EXPECT_THAT(run.out, ElementsAre("t:\\old.tmp"));
    EXPECT_THAT(run.err, ::testing::IsSupersetOf({"Total Files = 1", "Total Bytes = 3"}));
    run = Run(DriveOption() + " garbage t: --older-than=721m --delete --yes");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(std::filesystem::exists(tree / "drive" / "new.tmp"));
    EXPECT_TRUE(std::filesystem::exists(tree / "drive" / "edge.tmp"));
    EXPECT_FALSE(std::filesystem::exists(tree / "drive" / "old.tmp"));
    EXPECT_EQ(Run(DriveOption() + " garbage t: --older-than 12").status, 2);
}

TEST_F(CliTest, AFileDatedAfter2262IsShownInItsYearAndIsOlderThanNoAge) {
    Add({"future.tmp:2"});
    test::TempTree::SetLastChange(tree / "drive" / "future.tmp", test::TempTree::kNoonOf2300);
    EXPECT_THAT(Run(DriveOption() + " garbage t: --format tsv").out,
                ElementsAre(::testing::StartsWith("t:\\\\future.tmp\t2\t2300-01-01T12:00:00Z\t")));
    EXPECT_THAT(Run(DriveOption() + " garbage t: --format json").out,
                ElementsAre(HasSubstr("\"modified\":\"2300-01-01T12:00:00Z\"")));
    const CliRun run = Run(DriveOption() + " garbage t: --older-than 30d --delete --yes");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(std::filesystem::exists(tree / "drive" / "future.tmp"));
}

TEST_F(CliTest, Print0GivesTheNativePathsEachEndedByNulForXargs) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    test::WriteWholeFile(tree / "drive" / "two\nlines \xe9.tmp", "");
    test::WriteWholeFile(tree / "drive" / "$'q'.tmp", "");
    const CliRun run = Run(DriveOption() + " garbage t: --print0 --sort name --keep-case");
    const std::string drive = (tree / "drive").string();
    EXPECT_EQ(run.rawOut, drive + "/$'q'.tmp" + '\0' + drive + "/two\nlines \xe9.tmp" + '\0');
    // What another tool makes of them: each path names the file itself.
    const std::string listed = (tree / "listed.txt").string();
    const std::string command = "cd / && XDG_CONFIG_HOME=" + (tree / "config").string() + " " +
                                VELLOMAR_CLI_PATH + " " + DriveOption() +
                                " --print0 garbage t: 2>/dev/null | xargs -0 ls -d >" + listed;
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_THAT(Sorted(test::OutputLines(test::ReadWholeFile(listed))),
                ElementsAre(drive + "/$'q'.tmp", drive + "/two", "lines \xe9.tmp"));  // ls prints them raw

#endif
}

TEST_F(CliTest, JsonNamesEachFileByItsNativePathAndItsExactBytes) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    test::WriteWholeFile(tree / "drive" / "a\"\xe9.tmp", "xy");
    const CliRun run = Run(DriveOption() + " garbage t: --format json");
    const std::string native = (tree / "drive").string() + R"(/a\"\ufffd.tmp)";
    ASSERT_EQ(run.out.size(), 1u);
    EXPECT_THAT(run.out[0], ::testing::StartsWith(R"({"path":"t:\\a\"\ufffd.tmp","native":")" +
                                                  native + "\",\"size\":2,\"modified\":\"20"));
    EXPECT_THAT(run.out[0], HasSubstr("\"native_base64\":\""));
#endif
}

TEST_F(CliTest, AFailedWriteToStandardOutputIsToldInOneLineAndEndsWithStatusOne) {
#ifdef _WIN32
    GTEST_SKIP() << "no /dev/full";
#else
    Add({"a.tmp:3", "b.tmp:4"});
    ASSERT_EQ(Run(DriveOption() + " --filter b. --to-bin --yes garbage t:").status, 0);
    for (const std::string command :
         {"garbage t:", "drives", "bin list", "--help", "--version", "totals", "name a.tmp t:"}) {
        const auto err = tree / "err.txt";
        const std::string line = "XDG_CONFIG_HOME=" + (tree / "config").string() + " " +
                                 VELLOMAR_CLI_PATH + " " + DriveOption() + " " + command +
                                 " >/dev/full 2>" + err.string();
        const int status = std::system(line.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << command;
        EXPECT_THAT(test::OutputLines(test::ReadWholeFile(err)), ::testing::Contains("vellomar-cli: the output could not be written: "
                                                 "No space left on device")) << command;
    }
#endif
}

TEST_F(CliTest, DrivesListsTheLettersOfTheRun) {
    const CliRun run = Run(DriveOption() + " drives");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, ::testing::Contains("t:\t" + (tree / "drive").generic_string() + "\t\t"));
}

TEST_F(CliTest, DrivesPrintsRecordsQuotedAsEntryRecordsAre) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    const std::filesystem::path folder = tree.AddFolder("odd\xe9");
    const std::string drive = " --drive u=" + folder.string() + " drives --format ";
    CliRun run = Run(DriveOption() + drive + "tsv");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, ::testing::Contains(::testing::MatchesRegex("c:\t/\t[^\t]*\t[^\t]+\t[a-z]+:.+")));
    EXPECT_THAT(run.out, ::testing::Contains("u:\t" + tree.Root().string() + "/odd\xe9\t\t\t"));
    run = Run(DriveOption() + drive + "json");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, ::testing::Contains(::testing::MatchesRegex(
                             R"(\{"letter":"c:","mount_point":"/",.*"identity":"[a-z]+:.+"\})")));
    EXPECT_THAT(run.out, ::testing::Contains(::testing::AllOf(
                             HasSubstr(R"({"letter":"u:","mount_point":")" + tree.Root().string() +
                                       R"(/odd\ufffd","label":"","type":"","identity":null,)"),
                             HasSubstr("\"mount_point_base64\":\""))));
    EXPECT_EQ(Run(DriveOption() + " drives --print0").status, 2);
#endif
}

class CliBinTest : public CliTest {
protected:
    // What "bin list" shows: key, then the path each item came from.
    std::vector<std::pair<std::string, std::string>> Listed() {
        const CliRun run = Run(DriveOption() + " bin list");
        EXPECT_EQ(run.status, 0);
        std::vector<std::pair<std::string, std::string>> items;
        for (const std::string& line : run.out) {
            const auto first = line.find('\t');
            items.emplace_back(line.substr(0, first),
                               line.substr(first + 1, line.find('\t', first + 1) - first - 1));
        }
        return items;
    }
};

TEST_F(CliBinTest, ToBinMovesEveryListedFileOnlyWhenAnsweredYes) {
    Add({"a.tmp:5", "sub/b.tmp:7"});
    CliRun run = Run(DriveOption() + " garbage t: --to-bin");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.err[0], HasSubstr("Move 2 highlighted file(s) to the Garbage Bin?"));
    EXPECT_THAT(run.err[0], ::testing::EndsWith(" No"));
    EXPECT_TRUE(Listed().empty());

    run = Run(DriveOption() + " garbage t: --to-bin --yes");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(std::filesystem::exists(tree / "drive" / "a.tmp"));
    const auto items = Listed();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].second, "t:\\a.tmp");
    EXPECT_EQ(items[1].second, "t:\\sub\\b.tmp");
    const CliRun list = Run(DriveOption() + " bin list");
    ASSERT_FALSE(list.out.empty());
    std::vector<std::string> fields;  // key, path, size, moment of the move, bin
    std::istringstream line(list.out[0]);
    for (std::string field; std::getline(line, field, '\t');) fields.push_back(field);
    EXPECT_THAT(fields, ElementsAre(items[0].first, "t:\\a.tmp", "5",
                                    ::testing::AllOf(::testing::SizeIs(20), ::testing::StartsWith("20"),
                                                     ::testing::EndsWith("Z")),
                                    "t:\\Garbage Bin"));
}

TEST_F(CliBinTest, ToBinMakesTheDataFolderForTheBinADriveWithoutOneNeeds) {
    Add({"a.tmp:5"});
    test::WriteWholeFile(tree / "drive" / "Garbage Bin", "");  // the drive can have no bin
    ASSERT_FALSE(std::filesystem::exists(tree / "config" / "Velmo"));
    const CliRun run = Run(DriveOption() + " garbage t: --to-bin --yes");
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(std::filesystem::exists(tree / "drive" / "a.tmp"));
    EXPECT_TRUE(std::filesystem::is_directory(tree / test::kDataBinFolder));
    const auto items = Listed();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].second, "t:\\a.tmp");
}

TEST_F(CliBinTest, RestoreRefusesUnknownItemsAndOccupiedPlacesAndDoesTheRest) {
    Add({"a.tmp:5", "b.tmp:7"});
    Run(DriveOption() + " garbage t: --to-bin --yes");
    const auto items = Listed();
    ASSERT_EQ(items.size(), 2u);
    Add({"A.TMP:1"});  // the place of a.tmp, taken in another letter case

    const CliRun run = Run(DriveOption() + " bin restore nosuch " + items[0].first + " " + items[1].first);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, ElementsAre("nosuch: no such item in the bin",
                                     items[0].first + ": A file already exists at t:\\a.tmp. The file "
                                                      "stays in the bin."));
    EXPECT_EQ(test::ReadWholeFile(tree / "drive" / "b.tmp").size(), 7u);
    EXPECT_EQ(test::ReadWholeFile(tree / "drive" / "A.TMP").size(), 1u);
    ASSERT_EQ(Listed().size(), 1u);
    EXPECT_EQ(Run(DriveOption() + " bin restore " + items[1].first).status, 1);  // gone now
}

TEST_F(CliBinTest, NamesAndIdsInMessagesAreQuotedAndForgeNoLine) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    test::WriteWholeFile(tree / "drive" / "esc\x1b[2J.tmp", "");
    ASSERT_EQ(Run(DriveOption() + " garbage t: --to-bin --yes").status, 0);
    const auto items = Listed();
    ASSERT_EQ(items.size(), 1u);
    test::WriteWholeFile(tree / "drive" / "esc\x1b[2J.tmp", "since");
    const CliRun run = Run(DriveOption() + " bin restore \"$(printf 'x\\nvellomar-cli: forged\\033[2J')\" " +
                           items[0].first);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, ElementsAre("$'x\\nvellomar-cli: forged\\x1B[2J': no such item in the bin",
                                     items[0].first + ": A file already exists at $'t:\\\\esc\\x1B[2J.tmp'. "
                                                      "The file stays in the bin."));
    EXPECT_THAT(Run("\"$(printf -- '--\\302\\233x')\" drives").err,
                ElementsAre("vellomar-cli: unknown option: $'--\\xC2\\x9Bx' (see vellomar-cli --help)"));
    // A name with a line break goes to the bin and is listed on one line, quoted.
    test::WriteWholeFile(tree / "drive" / "two\nlines.tmp", "");
    ASSERT_EQ(Run(DriveOption() + " garbage t: --to-bin --yes --filter two").status, 0);
    EXPECT_THAT(Run(DriveOption() + " bin list").out,
                ::testing::Contains(::testing::HasSubstr("\t$'t:\\\\two\\nlines.tmp'\t")));
#endif
}

TEST_F(CliBinTest, DeleteAndEmptyRemoveForGoodOnlyWhenAnsweredYes) {
    Add({"a.tmp:5", "b.tmp:7", "c.tmp:1"});
    Run(DriveOption() + " garbage t: --to-bin --yes");
    const auto items = Listed();
    ASSERT_EQ(items.size(), 3u);

    CliRun run = Run(DriveOption() + " bin delete " + items[0].first);
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.err, ElementsAre(::testing::EndsWith("to keep it in the bin. No")));
    EXPECT_EQ(Listed().size(), 3u);
    EXPECT_EQ(Run(DriveOption() + " bin delete --yes " + items[0].first).status, 0);
    EXPECT_EQ(Listed().size(), 2u);

    EXPECT_EQ(Run(DriveOption() + " bin empty").status, 0);
    EXPECT_EQ(Listed().size(), 2u);
    run = Run(DriveOption() + " bin empty --yes");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Listed().empty());
    EXPECT_THAT(Run(DriveOption() + " bin empty").err, ElementsAre("The bin is currently empty."));
}

TEST_F(CliBinTest, ABinMadeAtAFolderGivenAsADriveIsFoundWhateverDrivesAreGivenLater) {
    Add({"a.tmp:5"});
    Run(DriveOption() + " garbage t: --to-bin --yes");
    const std::string other = "--drive u=" + tree.Root().string();
    CliRun run = Run(other + " bin list");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.out.size(), 1u);
    EXPECT_THAT(run.out[0], HasSubstr("\tu:\\drive\\a.tmp\t5\t"));
    EXPECT_EQ(Run(other + " bin restore " + run.out[0].substr(0, run.out[0].find('\t'))).status, 0);
    EXPECT_EQ(test::ReadWholeFile(tree / "drive" / "a.tmp").size(), 5u);
#ifndef _WIN32
    // Once a link stands in its place, it is passed over and told of, and nothing in it is touched.
    Run(DriveOption() + " garbage t: --to-bin --yes");
    std::filesystem::rename(tree / "drive" / "Garbage Bin", tree / "elsewhere");
    std::filesystem::create_directory_symlink(tree / "elsewhere", tree / "drive" / "Garbage Bin");
    run = Run(other + " bin empty --yes");
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, ElementsAre(HasSubstr("The bin u:\\drive\\Garbage Bin was passed over"),
                                     "The bin is currently empty."));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree / "elsewhere"), {}), 2);
#endif
}

TEST_F(CliBinTest, EmptyOlderThanRemovesOnlyWhatWasMovedInLongerAgoAndListWritesJson) {
    Add({"old.tmp:5", "new.tmp:7"});
    Run(DriveOption() + " garbage t: --to-bin --yes");
    for (const auto& entry : std::filesystem::directory_iterator(tree / "drive" / "Garbage Bin")) {
        std::string record = test::ReadWholeFile(entry.path());
        if (entry.path().extension() != ".ini" || record.find("old.tmp") == std::string::npos) continue;
        const auto moved = record.find("Moved=") + 6;
        record.replace(moved, 20, "2020-01-01T00:00:00Z");
        test::WriteWholeFile(entry.path(), record);
    }
    EXPECT_EQ(Run(DriveOption() + " bin empty --older-than 30d --yes").status, 0);
    const auto items = Listed();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].second, "t:\\new.tmp");
    EXPECT_THAT(Run(DriveOption() + " bin empty --older-than 30d --yes").err,
                ElementsAre("No file in the bin was moved in before then."));
    EXPECT_THAT(Run(DriveOption() + " bin list --format json").out,
                ElementsAre(::testing::StartsWith("{\"key\":\"" + items[0].first +
                                                  "\",\"path\":\"t:\\\\new.tmp\",\"size\":7,\"moved\":\"20")));
    EXPECT_NE(Run(DriveOption() + " bin list --older-than 30d").status, 0);
}

}  // namespace
}  // namespace vellomar
