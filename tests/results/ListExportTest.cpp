// "Save List As…": the CSV text of the result list, its quoting of awkward
// names, and the file written whole or not at all.

#include "results/ListExport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/FolderSnapshot.h"
#include "support/ListedEntries.h"
#include "support/Portability.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using Message = std::pair<MessageKind, std::string>;

constexpr std::time_t kMay2024 = 1714563910;  // 2024-05-01T11:45:10Z

class ScriptedExportPrompts final : public ListExportPrompts {
public:
    std::optional<std::string> AskListFilePath() override {
        ++asked;
        return answer;
    }
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
    }

    std::optional<std::string> answer;
    int asked = 0;
    std::vector<Message> messages;
};

class ListExportTest : public ::testing::Test {
protected:
    ListExportTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("out");
    }

    // A file on drive t: changed at the given moment, listed by its drive-form path.
    void List(std::string_view name, std::size_t size, std::time_t changed = kMay2024) {
        const fs::path path = tree.AddFile("drive/" + std::string(name), size);
        test::TempTree::SetLastChange(path, changed);
        test::AppendListed(session.results, session.platform.Files(), "t:\\" + std::string(name));
    }
    std::string Csv() const { return ResultListCsv(session.results, platform->Files()); }
    void SaveTo(std::string drivePath) {
        prompts.answer = std::move(drivePath);
        SaveListAs(session, prompts);
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    ScriptedExportPrompts prompts;
};

TEST(CsvFieldTest, QuotesOnlyFieldsWithACommaQuoteOrLineBreakAndDoublesTheQuotes) {
    EXPECT_EQ(CsvField("t:\\a b\\x.tmp"), "t:\\a b\\x.tmp");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField(" ;'\t"), " ;'\t");  // neither blanks, semicolons nor tabs need quotes
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("\""), "\"\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField("cr\r"), "\"cr\r\"");
    EXPECT_EQ(CsvField("\xff\xfe,"), "\"\xff\xfe,\"");  // bytes that are not UTF-8 pass as they are
}

TEST_F(ListExportTest, EachEntryIsOneRecordWithItsSizeAndTimeAwkwardNamesQuoted) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoAwkwardNames;
#else
    List("plain.tmp", 3);
    List("a,b.tmp", 0);
    List("say \"hi\".tmp", 12);
    List("two\nlines.tmp", 5, 0);
    EXPECT_EQ(Csv(),
              "path,size,modified\r\n"
              "t:\\plain.tmp,3,2024-05-01T11:45:10Z\r\n"
              "\"t:\\a,b.tmp\",0,2024-05-01T11:45:10Z\r\n"
              "\"t:\\say \"\"hi\"\".tmp\",12,2024-05-01T11:45:10Z\r\n"
              "\"t:\\two\nlines.tmp\",5,1970-01-01T00:00:00Z\r\n");
#endif
}

TEST_F(ListExportTest, AnEntryWhoseFileIsGoneKeepsItsRecordWithoutSizeOrTime) {
    List("gone.tmp", 7);
    fs::remove(tree / "drive/gone.tmp");
    EXPECT_EQ(Csv(), "path,size,modified\r\nt:\\gone.tmp,,\r\n");
}

TEST_F(ListExportTest, AFileDatedAfter2262KeepsItsYear) {
    List("future.tmp", 1, test::TempTree::kNoonOf2300);
    EXPECT_EQ(Csv(), "path,size,modified\r\nt:\\future.tmp,1,2300-01-01T12:00:00Z\r\n");
}

TEST_F(ListExportTest, EntriesAreNamedAsFoundNotAsALowerCasedListShowsThem) {
    List("Big.TMP", 2);
    session.results.ShowLowerCased(0);
    EXPECT_EQ(Csv(), "path,size,modified\r\nt:\\Big.TMP,2,2024-05-01T11:45:10Z\r\n");
}

TEST_F(ListExportTest, SavingWritesTheListAndReplacesAFileThatWasThere) {
    List("a.tmp", 1);
    test::WriteWholeFile(tree / "out/list.csv", "an older list, much longer than the new one\n");
    SaveTo("t:\\..\\out\\list.csv");  // not a drive path: ".." never climbs
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(test::ReadWholeFile(tree / "out/list.csv"),
              "an older list, much longer than the new one\n");

    prompts.messages.clear();
    tree.AddFolder("drive/out");
    test::WriteWholeFile(tree / "drive/out/list.csv", "an older list, much longer\n");
    SaveTo("t:\\out\\list.csv");
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(test::ReadWholeFile(tree / "drive/out/list.csv"),
              "path,size,modified\r\nt:\\a.tmp,1,2024-05-01T11:45:10Z\r\n");
}

TEST_F(ListExportTest, AListSavedOverAnotherUsersFileIsTheSaversOwnWithTheModeTheUmaskGives) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    if (::geteuid() != 0) GTEST_SKIP() << "a file of another user needs root";
    List("a.tmp", 1);
    const fs::path shared = tree.AddFolder("drive/shared");
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    test::WriteWholeFile(shared / "list.csv", "hers\n");
    ASSERT_EQ(::chown((shared / "list.csv").c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod((shared / "list.csv").c_str(), 0666), 0);
    const mode_t umask = ::umask(027);
    SaveTo("t:\\shared\\list.csv");
    ::umask(umask);
    EXPECT_TRUE(prompts.messages.empty());
    struct stat saved {};
    ASSERT_EQ(::lstat((shared / "list.csv").c_str(), &saved), 0);
    EXPECT_EQ(saved.st_uid, ::geteuid());
    EXPECT_EQ(saved.st_mode & 07777, 0640u);
    EXPECT_EQ(test::ReadWholeFile(shared / "list.csv").rfind("path,size,modified\r\n", 0), 0u);
#endif
}

TEST_F(ListExportTest, NoListIsSavedThroughALinkAnotherUserOwnsAtAnyNameOfThePath) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
    List("a.tmp", 1);
    const fs::path elsewhere = tree.AddFolder("elsewhere");
    const auto plant = [&](const fs::path& target, const fs::path& link) {
        fs::create_symlink(target, link);
        ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);
    };
    plant(elsewhere, tree / "drive/shared");      // a folder on the way
    plant(elsewhere / "list.csv", tree / "drive/list.csv");  // the file's own name
    for (const std::string path : {"t:\\shared\\list.csv", "t:\\list.csv"}) {
        prompts.messages.clear();
        SaveTo(path);
        ASSERT_EQ(prompts.messages.size(), 1u) << path;
        EXPECT_EQ(prompts.messages[0].second,
                  "The list could not be saved to " + path +
                      ": a name on its path is a symbolic link that another user owns. A file "
                      "already there is as it was.");
    }
    EXPECT_TRUE(test::FolderSnapshot(elsewhere).empty());
#endif
}

TEST_F(ListExportTest, AFailedWriteLeavesTheOldFileWholeAndNoPartBesideIt) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoWriteLimit;
#else
    for (int i = 0; i < 50; ++i) List("file" + std::to_string(i) + ".tmp", 1);
    tree.AddFolder("drive/out");
    const std::string old = "the list saved last time\n";
    test::WriteWholeFile(tree / "drive/out/list.csv", old);
    {
        test::FileSizeLimit tooSmallForTheList(256);
        SaveTo("t:\\out\\list.csv");
    }
    EXPECT_EQ(test::ReadWholeFile(tree / "drive/out/list.csv"), old);
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(tree / "drive/out")) left.push_back(entry.path());
    EXPECT_EQ(left, std::vector<fs::path>{tree / "drive/out/list.csv"});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].first, MessageKind::Error);
    EXPECT_EQ(prompts.messages[0].second.rfind("The list could not be saved to t:\\out\\list.csv: ", 0), 0u)
        << prompts.messages[0].second;
#endif
}

TEST_F(ListExportTest, CancellingOrAnEmptyListWritesNothing) {
    SaveTo("t:\\list.csv");
    EXPECT_EQ(prompts.asked, 0);
    EXPECT_EQ(prompts.messages, (std::vector<Message>{
                                    {MessageKind::Plain, "The list above is currently empty."}}));

    prompts.messages.clear();
    List("a.tmp", 1);
    prompts.answer = std::nullopt;
    SaveListAs(session, prompts);
    EXPECT_EQ(prompts.asked, 1);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(fs::exists(tree / "drive/list.csv"));
}

TEST_F(ListExportTest, AFileDriveFormCannotNameIsReportedNotSaved) {
    List("a.tmp", 1);
    SaveTo("");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].first, MessageKind::Error);
}

}  // namespace
}  // namespace vellomar
