#include "platform/UrlCache.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

// The cache home lies on drive t:, as t:\cachehome.
class UrlCacheTest : public ::testing::Test {
protected:
    UrlCacheTest() : platform(test::MakeTestPlatform(tree)) {}

    void Add(const std::vector<std::string>& lines) {
        for (const auto& line : lines) tree.AddAll({"drive/cachehome/" + line});
    }
    std::vector<std::string> Entries(std::string_view cacheHome = "drive/cachehome") const {
        std::vector<std::string> entries;
        UrlCache(platform->Drives(), (tree / cacheHome).string())
            .ForEachEntry([&](const std::string& file) { entries.push_back(file); });
        return entries;
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
};

TEST_F(UrlCacheTest, HandsOutTheCopiesOfEveryChromiumAndFirefoxProfile) {
    Add({"google-chrome/Default/Cache/Cache_Data/index", "google-chrome/Default/Cache/Cache_Data/f_000001",
         "google-chrome/Default/Cache/Cache_Data/data_0", "google-chrome/Default/Cache/Cache_Data/index-dir/the-real-index",
         "chromium/Profile 1/Cache/3f2a_0", "chromium/Profile 1/Cache/index",
         "BraveSoftware/Brave-Browser/Default/Cache/Cache_Data/b_0",
         "mozilla/firefox/abc.default-release/cache2/entries/0A1B2C",
         "mozilla/firefox/abc.default-release/cache2/index",
         "mozilla/firefox/abc.default-release/cache2/doomed/1", "mozilla/firefox/abc.default-release/prefs.js",
         "unknown-browser/Default/Cache/x"});
    EXPECT_THAT(Entries(),
                UnorderedElementsAre("t:\\cachehome\\google-chrome\\Default\\Cache\\Cache_Data\\f_000001",
                                     "t:\\cachehome\\google-chrome\\Default\\Cache\\Cache_Data\\data_0",
                                     "t:\\cachehome\\chromium\\Profile 1\\Cache\\3f2a_0",
                                     "t:\\cachehome\\BraveSoftware\\Brave-Browser\\Default\\Cache\\Cache_Data\\b_0",
                                     "t:\\cachehome\\mozilla\\firefox\\abc.default-release\\cache2\\entries\\0A1B2C"));
}

TEST_F(UrlCacheTest, TheNewerCacheDataFolderTakesThePlaceOfItsCacheFolder) {
    Add({"chromium/Default/Cache/stray", "chromium/Default/Cache/Cache_Data/copy"});
    EXPECT_THAT(Entries(), UnorderedElementsAre("t:\\cachehome\\chromium\\Default\\Cache\\Cache_Data\\copy"));
}

TEST_F(UrlCacheTest, PassesOverLinksAndDevicesAmongTheCopies) {
    Add({"chromium/Default/Cache/Cache_Data/copy", "outside/secret"});
    const fs::path copies = tree / "drive/cachehome/chromium/Default/Cache/Cache_Data";
    fs::create_symlink(tree / "drive/cachehome/outside/secret", copies / "link");
    ASSERT_EQ(mkfifo((copies / "pipe").c_str(), 0600), 0);
    EXPECT_THAT(Entries(), UnorderedElementsAre("t:\\cachehome\\chromium\\Default\\Cache\\Cache_Data\\copy"));
}

TEST_F(UrlCacheTest, NeverReachesTheCopiesThroughALink) {
    tree.AddAll({"drive/Documents/letter.doc", "drive/elsewhere/Default/Cache/c"});
    const fs::path home = tree.AddFolder("drive/cachehome");
    fs::create_directories(home / "chromium/Default/Cache");
    fs::create_directory_symlink(tree / "drive/Documents", home / "chromium/Default/Cache/Cache_Data");
    fs::create_directories(home / "google-chrome/Default");
    fs::create_directory_symlink(tree / "drive/Documents", home / "google-chrome/Default/Cache");
    fs::create_directories(home / "vivaldi");
    fs::create_directory_symlink(tree / "drive/elsewhere/Default", home / "vivaldi/Default");
    fs::create_directories(home / "mozilla/firefox/p/cache2");
    fs::create_directory_symlink(tree / "drive/Documents", home / "mozilla/firefox/p/cache2/entries");
    EXPECT_THAT(Entries(), IsEmpty());
}

TEST_F(UrlCacheTest, HandsOutNothingWithoutACacheHomeOrADriveForIt) {
    EXPECT_THAT(Entries(), IsEmpty());
    tree.AddAll({"nodrive/chromium/Default/Cache/copy"});
    EXPECT_THAT(Entries("nodrive"), IsEmpty());
    tree.AddAll({"drive/cachehome/chromium/Default/Cache/"});
    EXPECT_THAT(Entries(), IsEmpty());
}

TEST_F(UrlCacheTest, PassesOverNamesThatDriveFormCannotCarry) {
    Add({"chromium/Default/Cache/a\\b", "chromium/Default/Cache/ok"});
    EXPECT_THAT(Entries(), UnorderedElementsAre("t:\\cachehome\\chromium\\Default\\Cache\\ok"));
}

}  // namespace
}  // namespace vellomar
