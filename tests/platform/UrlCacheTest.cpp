#include "platform/UrlCache.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/BrowserCacheFiles.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

using ::testing::AnyOf;
using ::testing::Each;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

const fs::path kRealCaches = fs::path(VELLOMAR_FIXTURES_PATH) / "browser-caches";

// The cache home lies on drive t:, as t:\cachehome.
class UrlCacheTest : public ::testing::Test {
protected:
    UrlCacheTest() : platform(test::MakeTestPlatform(tree)) {}

    void Add(const std::vector<std::string>& lines) {
        for (const auto& line : lines) tree.AddAll({"drive/cachehome/" + line});
    }
    void Write(const std::string& relative, std::string_view bytes) {
        test::WriteWholeFile(tree.AddFile("drive/cachehome/" + relative), bytes);
    }
    std::vector<CachedCopy> Copies(const std::string& cacheHome) const {
        std::vector<CachedCopy> copies;
        UrlCache(platform->Drives(), cacheHome).ForEachEntry([&](const CachedCopy& copy) {
            copies.push_back(copy);
        });
        return copies;
    }
    std::vector<std::string> Entries(std::string_view cacheHome = "drive/cachehome") const {
        std::vector<std::string> entries;
        for (const CachedCopy& copy : Copies((tree / cacheHome).string())) entries.push_back(copy.localFile);
        return entries;
    }
    // Each copy as "local file | fetched-as name | media type", without the
    // folders above its own.
    std::vector<std::string> Fetched() const {
        std::vector<std::string> fetched;
        for (const CachedCopy& copy : Copies((tree / "drive/cachehome").string())) {
            fetched.push_back(copy.localFile.substr(copy.localFile.rfind('\\') + 1) + " | " +
                              copy.fetchedAs.name + " | " + copy.fetchedAs.mediaType);
        }
        return fetched;
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

TEST_F(UrlCacheTest, TellsWhatEachCopyWasFetchedAsInTheFilesRealBrowsersWrote) {
    fs::copy(kRealCaches, tree.AddFolder("drive/cachehome"), fs::copy_options::recursive);
    EXPECT_THAT(Fetched(), UnorderedElementsAre(
        // Chromium 156: the key's last part is the URL; the type is the stored response's.
        "5966137633354b68_0 | photo.jpg | image/jpeg",
        "ae71cc9130ff5506_0 | u1 | image/png",
        "36f092c1b47fbb9a_0 | render.php | image/gif",
        "02c097f8ddcd747e_0 | style.css | text/css",
        "0b2ba647b73dde3e_0 | favicon.ico | text/html",  // a "not found" page
        // Firefox 153, its trailer versioned.
        "EB28D444EAEDA447D3F848CE9E3781A4556525CA | photo.jpg | image/jpeg",
        "B7F355FADBF3F3D044C3D6CCEFA7C17D66A74D3E | u1 | image/png",
        "D575831128F62D042A0AEF01E3BBB18E737AD45F | render.php | image/gif",
        "3914B9C605F4D5535138F83FB189BC75ACF013AD | a b | image/png",
        "24483DE2DCED8F4D9641D7EB794BF991D60CD517 | style.css | text/css"));
}

TEST_F(UrlCacheTest, TakesTheNameFromTheUrlAtTheEndOfEveryKindOfChromiumKey) {
    const std::string copies = "chromium/Default/Cache/Cache_Data/";
    Write(copies + "a_0", test::ChromiumEntryFile("https://a.test/img/x.JPG", "image/jpeg", "body"));
    Write(copies + "b_0", test::ChromiumEntryFile(
        "1/0/_dk_https://a.test https://a.test https://b.test/p/na%6De.png?size=2#top", "", "body"));
    Write(copies + "c_0", test::ChromiumEntryFile("https://a.test/view/", "Image/WebP; q=1", "b"));
    Write(copies + "d_0", test::ChromiumEntryFile("https://a.test/dir%2Fname%00", "text/plain", ""));
    // Ranges of a body keep the key but no response; "_1" holds no fetched content.
    std::string ranges = test::ChromiumEntryFile("https://a.test/clip.gif", "image/gif", "");
    Write(copies + "e_s", ranges.substr(0, 24 + 23) + "ranges");
    Write(copies + "e_1", test::ChromiumEntryFile("https://a.test/clip.gif", "image/gif", "meta"));
    // The older blockfile cache keeps its keys elsewhere.
    Write(copies + "f_000001", std::string(300, 'x'));
    Write(copies + "data_1", std::string(300, '\0'));
    EXPECT_THAT(Fetched(), UnorderedElementsAre("a_0 | x.JPG | image/jpeg",
                                                "b_0 | name.png | ",
                                                "c_0 |  | image/webp",
                                                "d_0 | dir%2Fname%00 | text/plain",
                                                "e_s | clip.gif | ",
                                                "e_1 |  | ",
                                                "f_000001 |  | ",
                                                "data_1 |  | "));
}

TEST_F(UrlCacheTest, ReadsFirefoxEntriesOfEitherTrailerAndAnyTags) {
    const std::string entries = "mozilla/firefox/p.default/cache2/entries/";
    Write(entries + "A", test::FirefoxEntryFile("a,:https://a.test/x.gif", "image/gif", "GIF89a"));
    Write(entries + "B", test::FirefoxEntryFile("O^partitionKey=%28https%2Ca.test%29,a,~17,,3:x,:"
                                                "http://b.test/see:this.png", "image/png", "",
                                                test::FirefoxTrailer::OffsetOnly));
    // A body over 256 KiB has a hash per chunk before the header.
    Write(entries + "C", test::FirefoxEntryFile(":https://c.test/big", "IMAGE/JPEG",
                                                std::string(600 * 1024, 'j')));
    Write(entries + "D", test::FirefoxEntryFile("a,https://no-url-tag.test/x.png", "text/html", "x"));
    EXPECT_THAT(Fetched(), UnorderedElementsAre("A | x.gif | image/gif",
                                                "B | see:this.png | image/png",
                                                "C | big | image/jpeg",
                                                "D |  | text/html"));
}

TEST_F(UrlCacheTest, CopiesWhoseEntriesCannotBeReadAreHandedOutUnnamed) {
    const std::string chromium = "chromium/Default/Cache/Cache_Data/";
    const std::string firefox = "mozilla/firefox/p.default/cache2/entries/";
    const std::string entry = test::ChromiumEntryFile("https://a.test/x.png", "image/png", "body");
    std::string hugeKey = entry;
    hugeKey[12] = hugeKey[13] = hugeKey[14] = '\xff';  // a key length beyond the file
    Write(chromium + "a_0", hugeKey);
    std::string wrongMagic = entry;
    wrongMagic[0] = 'x';
    Write(chromium + "b_0", wrongMagic);
    Write(chromium + "c_0", "");
    std::string encrypted = test::FirefoxEntryFile(":https://a.test/x.png", "image/png", "body");
    encrypted[encrypted.size() - 4] = '\x80';
    Write(firefox + "A", encrypted);
    std::string farOffset = test::FirefoxEntryFile(":https://a.test/x.png", "image/png", "body");
    farOffset.replace(farOffset.size() - 4, 4, "\xff\xff\xff\xf0");
    Write(firefox + "B", farOffset);
    std::string unknownVersion = test::FirefoxEntryFile(":https://a.test/x.png", "image/png", "body");
    unknownVersion[4 + 4 + 2 + 3] = 9;  // the header's version, after body, checksum and hash
    Write(firefox + "C", unknownVersion);
    Write(firefox + "D", "\0\0\0\4");
    EXPECT_THAT(Fetched(), UnorderedElementsAre("a_0 |  | ", "b_0 |  | ", "c_0 |  | ", "A |  | ",
                                                "B |  | ", "C |  | ", "D |  | "));
}

// A copy cut short anywhere (a browser killed while writing, a full disk)
// is still handed out, with nothing said of it but what it really holds.
TEST_F(UrlCacheTest, EveryCutOfARealEntryTellsTheTruthOrNothing) {
    const fs::path chromium = kRealCaches / "chromium/Default/Cache/Cache_Data/5966137633354b68_0";
    const fs::path firefox =
        kRealCaches / "mozilla/firefox/r8co6ia1.bench/cache2/entries/B7F355FADBF3F3D044C3D6CCEFA7C17D66A74D3E";
    const std::string chromiumBytes = test::ReadWholeFile(chromium);
    const std::string firefoxBytes = test::ReadWholeFile(firefox);
    for (std::size_t size = 0; size < chromiumBytes.size(); ++size)
        Write("chromium/Default/Cache/" + std::to_string(size) + "_0", chromiumBytes.substr(0, size));
    for (std::size_t size = 0; size < firefoxBytes.size(); ++size)
        Write("mozilla/firefox/p/cache2/entries/" + std::to_string(size), firefoxBytes.substr(0, size));
    const std::vector<CachedCopy> copies = Copies((tree / "drive/cachehome").string());
    ASSERT_EQ(copies.size(), chromiumBytes.size() + firefoxBytes.size());
    std::vector<std::string> names, types;
    for (const CachedCopy& copy : copies) {
        names.push_back(copy.fetchedAs.name);
        types.push_back(copy.fetchedAs.mediaType);
    }
    EXPECT_THAT(names, Each(AnyOf("", "photo.jpg", "u1")));
    EXPECT_THAT(types, Each(AnyOf("", "image/jpeg", "image/png")));
}

TEST_F(UrlCacheTest, ALinkedCacheHomeNamesItsCopiesWhereTheyReallyLie) {
    tree.AddAll({"drive/disk2/caches/chromium/Default/Cache/Cache_Data/a_0"});
    fs::create_directory_symlink(tree / "drive/disk2/caches", tree / "drive/linked");
    const std::string real = "t:\\disk2\\caches\\chromium\\Default\\Cache\\Cache_Data\\a_0";
    EXPECT_THAT(Entries("drive/linked"), UnorderedElementsAre(real));
    // A path that climbs is resolved, not refused.
    EXPECT_THAT(Entries("drive/disk2/../disk2/./caches"), UnorderedElementsAre(real));
    EXPECT_THAT(Entries("drive/missing/../disk2/caches"), IsEmpty());
}

}  // namespace
}  // namespace vellomar
