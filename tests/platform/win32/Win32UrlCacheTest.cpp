// The URL cache through WinINet, filled the way a browser built on it fills
// it (CreateUrlCacheEntry, then CommitUrlCacheEntry), and read back by the
// program's enumeration: each copy by its local file in drive form, with the
// name it was fetched as and the type it was served as.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/win32/SystemApi.h"
#include <wininet.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/DriveTable.h"
#include "platform/RegistryStore.h"
#include "platform/RandomWord.h"
#include "platform/UrlCache.h"

namespace vellomar {
namespace {

using ::testing::Contains;

class Win32UrlCacheTest : public ::testing::Test {
protected:
    ~Win32UrlCacheTest() override {
        for (const std::string& url : committed_) DeleteUrlCacheEntryA(url.c_str());
    }

    // Caches body as fetched from url with the response headers given; false
    // when the system keeps no URL cache.
    bool Cache(const std::string& url, const std::string& headers, const std::string& body) {
        char localFile[MAX_PATH] = {};
        if (!CreateUrlCacheEntryA(url.c_str(), static_cast<DWORD>(body.size()), "", localFile, 0))
            return false;
        std::ofstream(localFile, std::ios::binary) << body;
        const FILETIME never{};
        if (!CommitUrlCacheEntryA(url.c_str(), localFile, never, never, NORMAL_CACHE_ENTRY,
                                  reinterpret_cast<BYTE*>(const_cast<char*>(headers.data())),
                                  static_cast<DWORD>(headers.size()), nullptr, nullptr))
            return false;
        committed_.push_back(url);
        return true;
    }

    std::vector<CachedCopy> Copies() const {
        std::vector<CachedCopy> copies;
        UrlCache(drives_, UrlCache::CacheHomeOfThisUser()).ForEachEntry([&](const CachedCopy& copy) {
            copies.push_back(copy);
        });
        return copies;
    }

    // A page of this test's own, so that no earlier run's entries count.
    const std::string site_ = "http://vellomar-" + std::to_string(RandomWord()) + ".test/";

private:
    const DriveTable drives_ = DriveTable::OfThisMachine(RegistryStore(""));
    std::vector<std::string> committed_;
};

MATCHER_P2(FetchedAsNameAndType, name, type, "") {
    return arg.fetchedAs.name == name && arg.fetchedAs.mediaType == type;
}

TEST_F(Win32UrlCacheTest, ListsEachCopyByItsLocalFileWithTheNameAndTypeItWasFetchedAs) {
    // More entries than one first guess at an entry's size holds, long URLs among them.
    const std::string longName = std::string(600, 'p') + ".png";
    if (!Cache(site_ + "news.html", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n", "<p>") ||
        !Cache(site_ + "avatar?u=1", "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n", "GIF89a") ||
        !Cache(site_ + "img/" + longName, "HTTP/1.1 200 OK\r\n\r\n", "png"))
        GTEST_SKIP() << "this system keeps no URL cache (error " << GetLastError() << ")";

    const std::vector<CachedCopy> copies = Copies();
    EXPECT_THAT(copies, Contains(FetchedAsNameAndType("news.html", "text/html")));
    EXPECT_THAT(copies, Contains(FetchedAsNameAndType("avatar", "image/gif")));
    EXPECT_THAT(copies, Contains(FetchedAsNameAndType(longName, "")));
    // Each named in drive form, on the drive the cache lies on.
    for (const CachedCopy& copy : copies) {
        const std::string& file = copy.localFile;
        EXPECT_TRUE(file.size() > 3 && file[0] >= 'a' && file[0] <= 'z' && file.substr(1, 2) == ":\\")
            << file;
    }
}

}  // namespace
}  // namespace vellomar
