#include "browsers/CacheFolderList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browsers/ScanLog.h"
#include "support/Portability.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#ifndef _WIN32
#include "support/OpenCount.h"
#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kNetscapeCacheKey[] = "Software\\Netscape\\Netscape Navigator\\Cache";
constexpr char kUsersKey[] = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";
constexpr char kPref[] = "user_pref(\"browser.cache.directory\", ";

std::vector<std::string> Folders(const CacheFolderList& list) {
    std::vector<std::string> folders;
    for (std::size_t index = 0; index < list.Count(); ++index) folders.push_back(list[index]);
    return folders;
}

TEST(CacheFolderList, StoresEachFolderOnceAsItIsWritten) {
    CacheFolderList list;
    list.Add("t:\\Cache");
    list.Add("");
    list.Add("   ");
    list.Add("\t");
    list.Add("T:\\CACHE");        // the same folder
    list.Add("t:\\Cache\\");      // another text
    list.Add(" t:\\cache ");      // blanks count
    list.Add("T:\\cache\\");
    EXPECT_THAT(Folders(list), ElementsAre("t:\\Cache", "t:\\Cache\\", " t:\\cache "));
}

TEST(CacheFolderList, DropsEveryFolderBeyondItsSixHundredSlots) {
    CacheFolderList list;
    for (int number = 1; number <= 601; ++number) list.Add("t:\\c" + std::to_string(number));
    list.Add("t:\\C1");
    ASSERT_EQ(list.Count(), 600u);
    EXPECT_EQ(list[0], "t:\\c1");
    EXPECT_EQ(list[599], "t:\\c600");
    list.Clear();
    list.Add("t:\\c601");
    EXPECT_THAT(Folders(list), ElementsAre("t:\\c601"));
}

class CacheFolderTest : public ::testing::Test {
protected:
    CacheFolderTest() : platform(test::MakeTestPlatform(tree)) {}

    // Writes drive/<relative> and answers its prefs cache folder.
    std::string CacheDirOf(std::string_view relative, std::string_view text) {
        test::WriteWholeFile(tree / ("drive/" + std::string(relative)), text);
        return ReadPrefsCacheDir(platform->Files(), "t:\\" + std::string(relative));
    }
    std::string CacheDirOf(std::string_view text) { return CacheDirOf("prefs.js", text); }
    void WritePrefs(std::string_view relative, std::string_view value) {
        test::WriteWholeFile(tree / ("drive/" + std::string(relative)),
                             std::string(kPref) + "\"" + std::string(value) + "\");\n");
    }
    const RegistryStore& Registry() const { return platform->Registry(); }
    std::vector<std::string> Build(const ScanLogEntries& scanLog = {}) {
        CacheFolderList list;
        list.Add("t:\\left over");  // a rebuild starts empty
        BuildCacheFolderList(list, Registry(), platform->Files(), scanLog);
        return Folders(list);
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
};

TEST_F(CacheFolderTest, TheValueStartsThreeCharactersAfterTheKeyAndEndsBeforeTheQuote) {
    EXPECT_EQ(CacheDirOf(std::string(kPref) + "\"t:\\\\Profiles\\\\ann\\\\Cache\");\n"),
              "t:\\Profiles\\ann\\Cache\\");
    // Without the blank after the comma, the value still starts at position 39.
    EXPECT_EQ(CacheDirOf("user_pref(\"browser.cache.directory\",\"t:\\\\x\");\n"), ":\\x\\");
    EXPECT_EQ(CacheDirOf(std::string(kPref) + "\"t:\\\\\\\\a\\\\\\\\\\\\b\\\\\");"), "t:\\a\\b\\");
    EXPECT_EQ(CacheDirOf("USER_PREF(\"Browser.Cache.Directory\", \"t:\\\\x\");"), "t:\\x\\");
}

TEST_F(CacheFolderTest, OnlyTheFirstMatchingLineCounts) {
    EXPECT_EQ(CacheDirOf("// prefs\r\nuser_pref(\"browser.cache.disk.capacity\", 5);\r\n" +
                         std::string(kPref) + "\"t:\\\\first\");\r\n" + kPref + "\"t:\\\\second\");\r\n"),
              "t:\\first\\");
    EXPECT_EQ(CacheDirOf(std::string(kPref) + "\"t:\\\\unclosed\";\n" + kPref + "\"t:\\\\x\");\n"), " ");
    EXPECT_EQ(CacheDirOf(std::string(" ") + kPref + "\"t:\\\\indented\");\n"), " ");
    EXPECT_EQ(CacheDirOf("user_pref(\"browser.cache.directory\"\n"), " ");
}

TEST_F(CacheFolderTest, AValueHoldingAClosingParenthesisIsCutTwoCharactersBeforeIt) {
    EXPECT_EQ(CacheDirOf(std::string(kPref) + "\"t:\\\\a(1)b\");"), "t:\\a(\\");
}

TEST_F(CacheFolderTest, ALineThatNamesNoFolderGivesABlankNotABareSeparator) {
    EXPECT_EQ(CacheDirOf(std::string(kPref) + "\"\");"), " ");
    EXPECT_EQ(CacheDirOf(std::string(kPref) + "\"t:\\\\x\";"), " ");
    EXPECT_EQ(CacheDirOf("user_pref(\"browser.cache.directory\") \"t:\\\\x\");"), " ");
    EXPECT_EQ(CacheDirOf(""), " ");
}

TEST_F(CacheFolderTest, AMissingOrBinaryPrefsFileNamesNoFolder) {
    EXPECT_EQ(ReadPrefsCacheDir(platform->Files(), "t:\\missing\\prefs.js"), " ");
    EXPECT_EQ(ReadPrefsCacheDir(platform->Files(), "q:\\prefs.js"), " ");
    tree.AddFolder("drive/folder/prefs.js");
    EXPECT_EQ(ReadPrefsCacheDir(platform->Files(), "t:\\folder\\prefs.js"), " ");
    EXPECT_EQ(CacheDirOf(std::string("\x00\xff\xfe\x01)\x00", 6) + "\n\x89PNG\r\n\x1a"), " ");
    // The file system's letter case does not matter.
    WritePrefs("Profile/PREFS.JS", "t:\\\\x");
    EXPECT_EQ(ReadPrefsCacheDir(platform->Files(), "t:\\profile\\prefs.js"), "t:\\x\\");
}

TEST_F(CacheFolderTest, AnUnreadablePrefsFileNamesNoFolder) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    WritePrefs("locked/prefs.js", "t:\\\\x");
    std::filesystem::permissions(tree / "drive/locked/prefs.js", std::filesystem::perms::none);
    EXPECT_TRUE(test::RunAsUnprivilegedOwner(tree, [&] {
        return ReadPrefsCacheDir(platform->Files(), "t:\\locked\\prefs.js") == " ";
    }));
#endif
}

TEST_F(CacheFolderTest, WithoutBrowserSettingsTheListIsEmpty) {
    EXPECT_THAT(Build(), IsEmpty());
}

TEST_F(CacheFolderTest, TheNetscapeCacheEndsWithOneSeparator) {
    ASSERT_TRUE(Registry().WriteString(kNetscapeCacheKey, "Cache Dir", "t:\\Netscape\\Cache"));
    EXPECT_THAT(Build(), ElementsAre("t:\\Netscape\\Cache\\"));
    ASSERT_TRUE(Registry().WriteString(kNetscapeCacheKey, "Cache Dir", "t:\\Netscape\\Cache\\"));
    EXPECT_THAT(Build(), ElementsAre("t:\\Netscape\\Cache\\"));
    ASSERT_TRUE(Registry().WriteString(kNetscapeCacheKey, "Cache Dir", "  "));
    EXPECT_THAT(Build(), IsEmpty());
    ASSERT_TRUE(Registry().WriteInteger(kNetscapeCacheKey, "Cache Dir", 7));  // of the wrong type
    EXPECT_THAT(Build(), IsEmpty());
}

TEST_F(CacheFolderTest, EachNetscapeProfileAddsItsPrefsFolderAndItsOwnCacheFolder) {
    ASSERT_TRUE(Registry().WriteString(kNetscapeCacheKey, "Cache Dir", "t:\\Shared"));
    ASSERT_TRUE(Registry().WriteString(std::string(kUsersKey) + "\\ann", "DirRoot", "t:\\Users\\ann"));
    ASSERT_TRUE(Registry().WriteString(std::string(kUsersKey) + "\\bob", "DirRoot", "t:\\Users\\bob"));
    ASSERT_TRUE(Registry().WriteString(std::string(kUsersKey) + "\\cy", "DirRoot", "t:\\Users\\cy"));
    WritePrefs("Users/ann/prefs.js", "T:\\\\SHARED");  // the Netscape cache once more
    WritePrefs("Users/bob/prefs.js", "t:\\\\bobs cache");
    test::WriteWholeFile(tree / "drive/Users/cy/prefs.js", "// nothing about the cache\n");
    EXPECT_THAT(Build(), ElementsAre("t:\\Shared\\", "t:\\Users\\ann\\cache", "t:\\bobs cache\\",
                                     "t:\\Users\\bob\\cache", "t:\\Users\\cy\\cache"));
}

TEST_F(CacheFolderTest, TheRegistryIsReadOnceForEveryProfile) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOpenCount;
#else
    for (const char* user : {"ann", "bob", "cy"})
        ASSERT_TRUE(Registry().WriteString(std::string(kUsersKey) + "\\" + user, "DirRoot",
                                           std::string("t:\\Users\\") + user));
    const test::OpenCount count(tree / "home/.config/vellomar-registry.ini");
    EXPECT_THAT(Build(), ElementsAre("t:\\Users\\ann\\cache", "t:\\Users\\bob\\cache",
                                     "t:\\Users\\cy\\cache"));
    EXPECT_EQ(count.Opens(), 1);
#endif
}

TEST_F(CacheFolderTest, AProfileWithoutARootFolderAddsNothing) {
    ASSERT_TRUE(Registry().CreateKey(std::string(kUsersKey) + "\\ann"));
    ASSERT_TRUE(Registry().WriteInteger(std::string(kUsersKey) + "\\bob", "DirRoot", 3));
    ASSERT_TRUE(Registry().WriteString(std::string(kUsersKey) + "\\cy", "DirRoot", "t:\\cy"));
    EXPECT_THAT(Build(), ElementsAre("t:\\cy\\cache"));
}

TEST_F(CacheFolderTest, TheScanLogAddsItsCacheFoldersAndThenThePrefsFoldersAfterTheProfiles) {
    ASSERT_TRUE(Registry().WriteString(std::string(kUsersKey) + "\\ann", "DirRoot", "t:\\ann"));
    WritePrefs("Mozilla/a/prefs.js", "t:\\\\from a");
    WritePrefs("Mozilla/b/prefs.js", "t:\\\\ann\\\\cache");  // the profile's own, with '\'
    test::WriteWholeFile(tree / "drive/Mozilla/c/prefs.js", "");
    ScanLogEntries scanLog;
    scanLog.cacheFolders[3] = "t:\\Mozilla\\z\\cache";
    scanLog.cacheFolders[0] = "T:\\ANN\\CACHE";  // the profile's own once more
    scanLog.profileFiles[1] = "t:\\Mozilla\\a\\prefs.js";
    scanLog.profileFiles[0] = "t:\\Mozilla\\b\\prefs.js";
    scanLog.profileFiles[99] = "t:\\Mozilla\\c\\prefs.js";
    EXPECT_THAT(Build(scanLog), ElementsAre("t:\\ann\\cache", "t:\\Mozilla\\z\\cache",
                                            "t:\\ann\\cache\\", "t:\\from a\\"));
}

}  // namespace
}  // namespace vellomar
