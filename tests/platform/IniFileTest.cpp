#include "platform/IniFile.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>

#include "platform/TextFile.h"
#include "support/Portability.h"
#include "support/TempTree.h"
#ifndef _WIN32
#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::TempTree;
using test::WriteWholeFile;

TEST(IniTextFindValue, MatchesSectionAndKeyIgnoringCaseFirstOneWinning) {
    std::string text = "[Main]\nColor=red\ncolor=blue\n[MAIN]\nColor=green\nSize=2\n";
    EXPECT_EQ(ini_text::FindValue(text, "mAIN", "COLOR"), "red");
    EXPECT_EQ(ini_text::FindValue(text, "main", "size"), std::nullopt);
    EXPECT_EQ(ini_text::FindValue(text, "Other", "Color"), std::nullopt);
}

TEST(IniTextFindValue, IgnoresOuterBlanksAndOnePairOfMatchingQuotes) {
    std::string text =
        "  [ Main ]  \n  key  =  two words \t\nd=\" padded \"\ns='single'\nm=\"mixed'\n";
    EXPECT_EQ(ini_text::FindValue(text, "Main", "key"), "two words");
    EXPECT_EQ(ini_text::FindValue(text, "Main", "d"), " padded ");
    EXPECT_EQ(ini_text::FindValue(text, "Main", "s"), "single");
    EXPECT_EQ(ini_text::FindValue(text, "Main", "m"), "\"mixed'");
}

TEST(IniTextFindValue, ReadsCrLfLinesAndSkipsWhatIsNotAKeyOfTheSection) {
    std::string text = "k=outside\r\n[s]\r\n;k=comment\r\nk words\r\nk=inside\r\nempty=\r\n";
    EXPECT_EQ(ini_text::FindValue(text, "s", "k"), "inside");
    EXPECT_EQ(ini_text::FindValue(text, "s", "empty"), "");
}

TEST(IniTextFindValue, ALoneCarriageReturnEndsALine) {
    const std::string text = "[s]\rk=one\rtwo\r\r[t]\rk=three";
    EXPECT_EQ(ini_text::FindValue(text, "s", "k"), "one");
    EXPECT_EQ(ini_text::FindValue(text, "t", "k"), "three");
    EXPECT_EQ(ini_text::WithValue(text, "s", "new", "v"), "[s]\rk=one\rnew=v\ntwo\r\r[t]\rk=three");
}

TEST(IniTextWithValue, RewritesAnExistingKeyInPlaceKeepingEveryOtherByte) {
    std::string text = "; top\r\n[Main]\r\n  COLOR = red \r\nsize=1\r\n";
    EXPECT_EQ(ini_text::WithValue(text, "main", "Color", "blue"),
              "; top\r\n[Main]\r\nColor=blue\r\nsize=1\r\n");
}

TEST(IniTextWithValue, AddsANewKeyAfterTheLastKeyOfItsSection) {
    EXPECT_EQ(ini_text::WithValue("[a]\nx=1\n; x=0\n\n\n[b]\ny=2\n", "A", "new", "3"),
              "[a]\nx=1\nnew=3\n; x=0\n\n\n[b]\ny=2\n");
    EXPECT_EQ(ini_text::WithValue("[a]\n\n[b]\n", "a", "k", "v"), "[a]\nk=v\n\n[b]\n");
    EXPECT_EQ(ini_text::WithValue("[a]\r\nx=1", "a", "y", "2"), "[a]\r\nx=1\ny=2\n");
}

TEST(IniTextWithValue, AppendsAMissingSectionAtTheEnd) {
    EXPECT_EQ(ini_text::WithValue("", "New", "k", "v"), "[New]\nk=v\n");
    EXPECT_EQ(ini_text::WithValue("[a]\nx=1\n\n", "New", "k", "v"), "[a]\nx=1\n\n[New]\nk=v\n");
    EXPECT_EQ(ini_text::WithValue("[a]\nx=1", "New", "k", "v"), "[a]\nx=1\n[New]\nk=v\n");
}

TEST(IniTextWithValue, RefusesWhatWouldReadBackDifferently) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    for (const Case& c : {Case{"a]b", "k", "v"}, Case{"a\nb", "k", "v"}, Case{" a", "k", "v"},
                          Case{"s", "k=x", "v"}, Case{"s", "[k", "v"}, Case{"s", ";k", "v"},
                          Case{"s", "k\r", "v"}, Case{"s", "k ", "v"}, Case{"s", "k", "two\nlines"},
                          Case{"s", "k", "cr\r"}}) {
        SCOPED_TRACE(std::string(c.section) + "|" + c.key + "|" + c.value);
        EXPECT_THROW(ini_text::WithValue("", c.section, c.key, c.value), std::invalid_argument);
    }
    EXPECT_THROW(ini_text::WithSection("", "a]"), std::invalid_argument);
}

TEST(IniTextWithValue, ValuesKeepTheBlanksAndQuotesAtTheirEnds) {
    for (const char* value : {" lead", "trail\t", " ", "\"quoted\"", "'single'", "\"\"", "'mixed\""}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(ini_text::FindValue(ini_text::WithValue("[s]\nk=old\n", "s", "k", value), "s", "k"),
                  value);
    }
    // Quotes are added only where reading would otherwise change the value.
    EXPECT_EQ(ini_text::WithValue("", "s", "k", " padded "), "[s]\nk=\" padded \"\n");
    EXPECT_EQ(ini_text::WithValue("", "s", "k", "two words"), "[s]\nk=two words\n");
}

TEST(IniTextSections, ListsNamesInFileOrderAndAddsOnlyMissingOnes) {
    EXPECT_EQ(ini_text::SectionNames("x=1\n[b]\n[ A ]\nk=v\n[b]\n"),
              (std::vector<std::string>{"b", "A", "b"}));
    EXPECT_EQ(ini_text::WithSection("[Main]\n", "MAIN"), "[Main]\n");
    EXPECT_EQ(ini_text::WithSection("[Main]", "Other"), "[Main]\n[Other]\n");
}

class IniFileTest : public ::testing::Test {
protected:
    TempTree tree;
    fs::path folder = tree.AddFolder("data");
    fs::path path = folder / "settings.ini";
    IniFile file{path.generic_string(), "c:\\data\\settings.ini"};

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    void ExpectWriteRefused(const IniFile& target) const {
        try {
            target.WriteString("Main", "Color", "blue");
            ADD_FAILURE() << "the write succeeded";
        } catch (const IniWriteError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + target.ShownPath());
        }
    }
};

TEST_F(IniFileTest, MissingFileReadsAsTheFallbacks) {
    EXPECT_EQ(file.ReadString("Main", "Color", "none"), "none");
    EXPECT_EQ(file.ReadInteger("Main", "Size", 7), 7);
    EXPECT_TRUE(file.ReadBool("Main", "On", true));
    EXPECT_EQ(IniFile("", "x:\\a.ini").ReadString("s", "k", "none"), "none");
}

TEST_F(IniFileTest, WritesCreateTheFileThenFollowThePlacementRules) {
    file.WriteString("Main", "Color", "red");
    file.WriteInteger("MAIN", "Size", -3);
    file.WriteBool("Flags", "On", true);
    file.WriteBool("flags", "on", false);
    EXPECT_EQ(ReadWholeFile(path), "[Main]\nColor=red\nSize=-3\n[Flags]\non=0\n");
    EXPECT_EQ(file.ReadInteger("main", "size", 0), -3);
    EXPECT_FALSE(file.ReadBool("Flags", "On", true));
}

TEST_F(IniFileTest, ReadsAtMost2047BytesWithoutSplittingACharacter) {
    WriteWholeFile(path, "[s]\nlong=" + std::string(3000, 'x') + "\nwide=" +
                             std::string(2046, 'x') + "\xC3\xA9" + "\n");
    EXPECT_EQ(file.ReadString("s", "long", ""), std::string(2047, 'x'));
    EXPECT_EQ(file.ReadString("s", "wide", ""), std::string(2046, 'x'));
}

TEST_F(IniFileTest, AFileOverTheSizeLimitReadsAsMissingAndAWriteStartsItAfresh) {
    WriteWholeFile(path, "[Main]\nColor=red\n[Other]\nk=v\n");
    fs::resize_file(path, kMaxTextFileSize);  // sparse: the rest is one line of NULs
    EXPECT_EQ(file.ReadString("Other", "k", "none"), "v");
    file.WriteString("Main", "Color", "tan");  // readable: every other line stays
    EXPECT_EQ(file.ReadString("Other", "k", "none"), "v");

    fs::resize_file(path, kMaxTextFileSize + 1);
    EXPECT_EQ(file.ReadString("Main", "Color", "none"), "none");
    file.WriteString("Main", "Size", "2");
    EXPECT_EQ(ReadWholeFile(path), "[Main]\nSize=2\n");
}

// A write that would take the file past the limit would leave it unreadable,
// every key in it lost at the next write: it is refused and the file kept.
TEST_F(IniFileTest, AWriteThatWouldTakeTheFileOverTheSizeLimitKeepsTheFile) {
    WriteWholeFile(path, "[Main]\nColor=red\n");
    fs::resize_file(path, kMaxTextFileSize);  // sparse: the rest is one line of NULs
    ExpectWriteRefused(file);
    EXPECT_EQ(fs::file_size(path), kMaxTextFileSize);
    EXPECT_EQ(file.ReadString("Main", "Color", "none"), "red");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"settings.ini"});
}

TEST_F(IniFileTest, ReadIntegerTakesOnlyWhole32BitDecimals) {
    struct Case {
        const char* stored;
        std::int32_t expected;
    };
    for (const Case& c : {Case{"42", 42}, Case{" -17 ", -17}, Case{"+5", 5}, Case{"\"12\"", 12},
                          Case{"2147483647", 2147483647}, Case{"-2147483648", INT32_MIN},
                          Case{"", -99}, Case{"12abc", -99}, Case{"2147483648", -99},
                          Case{"-2147483649", -99}, Case{"+-1", -99}, Case{"1.5", -99}}) {
        SCOPED_TRACE(c.stored);
        WriteWholeFile(path, std::string("[n]\nv=") + c.stored + "\n");
        EXPECT_EQ(file.ReadInteger("n", "v", -99), c.expected);
    }
    WriteWholeFile(path, "[n]\nzero=0\ntwo=2\nword=yes\n");
    EXPECT_FALSE(file.ReadBool("n", "zero", true));
    EXPECT_TRUE(file.ReadBool("n", "two", false));
    EXPECT_TRUE(file.ReadBool("n", "word", true));
}

TEST_F(IniFileTest, SuccessfulWritesKeepPermissionsAndLeaveNoTemporaryFile) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoModeBits;
#else
    WriteWholeFile(path, "[Main]\nColor=red\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    file.WriteString("Main", "Color", "blue");
    file.WriteString("Main", "Size", "2");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"settings.ini"});
#endif
}

TEST_F(IniFileTest, ReadingAndWritingThroughALinkReachTheFileItNames) {
    fs::path real = tree.AddFolder("real") / "real.ini";
    WriteWholeFile(real, "[Main]\nSize=2\n");
    PLANT_OR_SKIP(test::PlantLink(real, path));
    EXPECT_EQ(file.ReadInteger("Main", "Size", 0), 2);
    file.WriteString("Main", "Color", "red");
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(ReadWholeFile(real), "[Main]\nSize=2\nColor=red\n");
    EXPECT_EQ(file.ReadString("Main", "Color", "none"), "red");
}

#ifndef _WIN32
// The nobody user: an owner that is neither root nor this process.
constexpr uid_t kOtherUser = 65534;
constexpr gid_t kOtherGroup = 65534;
#endif

TEST_F(IniFileTest, ReadsAndWritesFollowOnlyLinksOfThisUserOrRoot) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
    const fs::path elsewhere = tree.AddFolder("elsewhere");
    const fs::path target = elsewhere / "target.ini";
    WriteWholeFile(target, "[Main]\nSize=2\n");
    // A chain of two links, the second planted by another user.
    PLANT_OR_SKIP(test::PlantLink(elsewhere / "planted", path));
    PLANT_OR_SKIP(test::PlantLink(target, elsewhere / "planted"));
    ASSERT_EQ(::lchown((elsewhere / "planted").c_str(), kOtherUser, kOtherGroup), 0);

    ExpectWriteRefused(file);
    EXPECT_EQ(ReadWholeFile(target), "[Main]\nSize=2\n");
    EXPECT_TRUE(fs::is_symlink(elsewhere / "planted"));
    EXPECT_EQ(file.ReadInteger("Main", "Size", 7), 7);  // read as a file that cannot be read

    ASSERT_EQ(::lchown((elsewhere / "planted").c_str(), 0, 0), 0);
    EXPECT_EQ(file.ReadInteger("Main", "Size", 7), 2);
    file.WriteString("Main", "Color", "red");
    EXPECT_EQ(ReadWholeFile(target), "[Main]\nSize=2\nColor=red\n");
    EXPECT_TRUE(fs::is_symlink(path));
#endif
}

TEST_F(IniFileTest, LinksInALoopOrLeadingNowhereRefuseTheWrite) {
    PLANT_OR_SKIP(test::PlantLink("loop.ini", path));
    PLANT_OR_SKIP(test::PlantLink("settings.ini", folder / "loop.ini"));
    ExpectWriteRefused(file);
    const IniFile toFolder((folder / "up.ini").generic_string(), "c:\\data\\up.ini");
    PLANT_OR_SKIP(test::PlantLink("..", folder / "up.ini"));
    ExpectWriteRefused(toFolder);
    EXPECT_TRUE(fs::is_symlink(path) && fs::is_symlink(folder / "loop.ini"));
}

TEST_F(IniFileTest, AReplacedFileKeepsItsOwnerGroupAndMode) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    if (::geteuid() != 0) GTEST_SKIP() << "a file of another user needs root";
    WriteWholeFile(path, "[Main]\nColor=red\n");
    ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    file.WriteString("Main", "Color", "blue");
    struct stat replaced {};
    ASSERT_EQ(::stat(path.c_str(), &replaced), 0);
    EXPECT_EQ(replaced.st_uid, kOtherUser);
    EXPECT_EQ(replaced.st_gid, kOtherGroup);
    EXPECT_EQ(replaced.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadWholeFile(path), "[Main]\nColor=blue\n");
#endif
}

TEST_F(IniFileTest, UnwritablePlacesThrowTheMessageAndCreateNothing) {
    ExpectWriteRefused(
        IniFile((folder / "missing/settings.ini").generic_string(), "c:\\missing.ini"));
    WriteWholeFile(folder / "plain", "");
    ExpectWriteRefused(
        IniFile((folder / "plain/settings.ini").generic_string(), "c:\\plain\\s.ini"));
    ExpectWriteRefused(IniFile("", "x:\\unknown.ini"));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"plain"});
}

TEST_F(IniFileTest, RefusedWritesLeaveTheFileAsItWas) {
    const std::string original = "[Main]\r\nColor=red\r\n";
    WriteWholeFile(path, original);
    EXPECT_THROW(file.WriteString("Main", "bad=key", "x"), IniWriteError);
    EXPECT_THROW(file.WriteString("Main", "Color", "two\nlines"), IniWriteError);

    fs::permissions(path, fs::perms::owner_read);
    ExpectWriteRefused(file);
    EXPECT_EQ(ReadWholeFile(path), original);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"settings.ini"});
}

TEST_F(IniFileTest, AWriteFailingHalfwayKeepsTheOriginalAndRemovesTheTemporaryFile) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoWriteLimit;
#else
    const std::string original = "[Main]\nColor=red\n";
    WriteWholeFile(path, original);
    {
        test::FileSizeLimit cap(64);
        try {
            file.WriteString("Main", "Color", std::string(1000, 'x'));
            ADD_FAILURE() << "the write succeeded";
        } catch (const IniWriteError&) {
        }
    }
    EXPECT_EQ(ReadWholeFile(path), original);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"settings.ini"});
#endif
}

TEST_F(IniFileTest, ReadOnlyFolderLeavesTheFileAsItWas) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    const std::string original = "[Main]\nColor=red\n";
    WriteWholeFile(path, original);
    tree.MakeReadOnly("data");
    EXPECT_TRUE(test::RunAsUnprivilegedOwner(tree, [&] {
        try {
            file.WriteString("Main", "Color", "blue");
            return false;
        } catch (const IniWriteError&) {
            return true;
        }
    }));
    EXPECT_EQ(ReadWholeFile(path), original);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"settings.ini"});
#endif
}

}  // namespace
}  // namespace vellomar
