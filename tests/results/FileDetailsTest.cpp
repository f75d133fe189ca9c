#include "results/FileDetails.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/ListedEntries.h"
#include "support/Portability.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;
using std::chrono::system_clock;

class RecordingDetailsView : public FileDetailsView {
public:
    void ShowFileDetailLines(const FileDetailLines& written) override {
        lines = written;
        ++writes;
    }
    std::optional<FileDetailLines> lines;
    int writes = 0;
};

class RecordingPrompts : public MessagePrompts {
public:
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
    }
    std::vector<std::pair<MessageKind, std::string>> messages;
};

// A date format of our own, so the texts do not depend on the machine's locale.
std::string SecondsSinceEpoch(FileTime time) { return "day of " + std::to_string(time.seconds); }

class FileDetailsTest : public ::testing::Test {
protected:
    FileDetailsTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {}

    // A file on drive t: of a given size, last changed at second 1600000000.
    fs::path AddFile(std::string_view relative, std::size_t size) {
        fs::path path = tree.AddFile("drive/" + std::string(relative), size);
        test::TempTree::SetLastChange(path, 1'600'000'000);
        return path;
    }
    // Appends an entry and makes it the current one, as a click would.
    void Select(std::string entry) {
        test::AppendListed(session.results, session.platform.Files(), std::move(entry));
        session.results.SetCurrent(session.results.Count() - 1);
    }
    void Describe() { ShowFileDetails(session, view, prompts, SecondsSinceEpoch); }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    RecordingDetailsView view;
    RecordingPrompts prompts;
};

TEST_F(FileDetailsTest, DescribesTheCurrentEntryOnEveryLine) {
    AddFile("Docs/Report.txt", 1234);
    Select("t:\\Docs\\Report.txt");
    Describe();

    ASSERT_TRUE(view.lines);
    EXPECT_EQ(view.lines->name, "File Name: Report.txt");
    EXPECT_EQ(view.lines->location, "File Location: t:\\Docs\\");
    EXPECT_EQ(view.lines->size, "File Size: 1234");
    EXPECT_EQ(view.lines->changedOn, "File Last Changed On : day of 1600000000");
    EXPECT_EQ(view.lines->fileDate, "File Date   = day of 1600000000");
    EXPECT_EQ(view.lines->byteSize, "Byte Size   = 1234");
    EXPECT_EQ(view.lines->attribute, "File Attribute: Archive");
    EXPECT_TRUE(prompts.messages.empty());

    test::TempTree::SetLastChange(tree / "drive/Docs/Report.txt", test::TempTree::kNoonOf2300);
    Select("t:\\Docs\\Report.txt");  // listed again as it is now
    Describe();
    EXPECT_EQ(view.lines->changedOn, "File Last Changed On : day of 10413835200");
}

TEST_F(FileDetailsTest, DescribesOnlyTheFileOfTheEntrysExactNameNeverATwinInAnotherCase) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    AddFile("Docs/Report.txt", 1);
    Select("t:\\Docs\\report.txt");
    Describe();
    EXPECT_FALSE(view.lines);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].second,
              "This file was not found. It appears to have been deleted.");
    EXPECT_EQ(FileSize64(session.platform.Files(), "t:\\docs\\Report.txt"), -1);
#endif
}

TEST_F(FileDetailsTest, AFileInADrivesRootLiesInTheDriveLetterColonAndBackslash) {
    AddFile("x.tmp", 1);
    Select("t:\\x.tmp");
    Describe();

    ASSERT_TRUE(view.lines);
    EXPECT_EQ(view.lines->location, "File Location: t:\\");
}

TEST_F(FileDetailsTest, DescribesTheFileTheEntryWasFoundAsAfterItsTextChanged) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    AddFile("A.txt", 11);
    AddFile("a.txt", 22);
    Select("t:\\A.txt");
    session.results.ShowLowerCased(0);  // as a case-folding sort leaves it
    Describe();

    ASSERT_TRUE(view.lines);
    EXPECT_EQ(view.lines->name, "File Name: A.txt");
    EXPECT_EQ(view.lines->size, "File Size: 11");
    EXPECT_EQ(view.lines->location, "File Location: t:\\");
#endif
}

TEST_F(FileDetailsTest, AVanishedFileIsReportedAndEveryLineKeepsThePreviousEntry) {
    AddFile("kept.tmp", 5);
    fs::path gone = AddFile("gone.tmp", 6);
    Select("t:\\kept.tmp");
    Describe();
    fs::remove(gone);
    Select("t:\\gone.tmp");
    Describe();

    EXPECT_EQ(view.writes, 1);
    EXPECT_EQ(view.lines->name, "File Name: kept.tmp");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].first, MessageKind::Information);
    EXPECT_EQ(prompts.messages[0].second,
              "This file was not found. It appears to have been deleted.");
}

TEST(FileDetails, TheWholeAttributeValueNamesTheAttribute) {
    EXPECT_EQ(AttributeText(1), "File Attribute: Read Only");
    EXPECT_EQ(AttributeText(2), "File Attribute: Hidden");
    EXPECT_EQ(AttributeText(8), "File Attribute: Volume ID");
    for (unsigned combined : {0u, 3u, 17u, 32u, 33u, 34u})
        EXPECT_EQ(AttributeText(combined), "File Attribute: Archive") << combined;
}

TEST_F(FileDetailsTest, AReadOnlyFileIsAnArchiveWhileAFolderAndALinkAreNamedAsSuch) {
    AddFile("ro.txt", 1);
    tree.MakeReadOnly("drive/ro.txt");  // 33: read-only and archive
    tree.AddFolder("drive/sub");
    PLANT_OR_SKIP(test::PlantLink(tree / "drive/ro.txt", tree / "drive/link"));
    struct Case {
        const char* entry;
        const char* text;
    };
    for (Case c : {Case{"t:\\ro.txt", "File Attribute: Archive"},
                   Case{"t:\\sub", "File Attribute: Directory"},
                   Case{"t:\\link", "File Attribute: System"}}) {
        Select(c.entry);
        Describe();
        ASSERT_TRUE(view.lines);
        EXPECT_EQ(view.lines->attribute, c.text) << c.entry;
    }
}

TEST_F(FileDetailsTest, SizesBeyondFourGibibytesAreWhole) {
    constexpr long long kSize = 5LL * 1024 * 1024 * 1024 + 3;
    fs::path big = AddFile("big.iso", 0);
    fs::resize_file(big, kSize);  // sparse: no disk space taken
    EXPECT_EQ(FileSize64(session.platform.Files(), "t:\\big.iso"), kSize);

    Select("t:\\big.iso");
    Describe();
    ASSERT_TRUE(view.lines);
    EXPECT_EQ(view.lines->size, "File Size: 5368709123");
    EXPECT_EQ(view.lines->byteSize, "Byte Size   = 5368709123");
}

TEST_F(FileDetailsTest, FileSize64IsMinusOneWhenNothingIsThere) {
    AddFile("empty.tmp", 0);
    EXPECT_EQ(FileSize64(session.platform.Files(), "t:\\empty.tmp"), 0);
    EXPECT_EQ(FileSize64(session.platform.Files(), "t:\\absent.tmp"), -1);
    EXPECT_EQ(FileSize64(session.platform.Files(), "x:\\empty.tmp"), -1);
}

TEST_F(FileDetailsTest, AFolderEntryIsEmptyInItsSizeAndDetailsAsInItsListing) {
    AddFile("cache/Cache_Data/f_000001", 30);  // a cache folder lists its subfolders too
    EXPECT_EQ(FileSize64(session.platform.Files(), "t:\\cache\\Cache_Data"), 0);
    Select("t:\\cache\\Cache_Data");
    Describe();
    ASSERT_TRUE(view.lines);
    EXPECT_EQ(view.lines->size, "File Size: 0");
    EXPECT_EQ(view.lines->attribute, "File Attribute: Directory");
}

}  // namespace
}  // namespace vellomar
