// A browser cache entry of any content, read as a Chromium "_0" file, a
// Chromium "_s" file and a Firefox cache2 entry: each is handed out once, under
// its own name, and what it tells is a single name (no '/') and a media type
// in lower case on one line, neither longer than the file.

#include "FuzzSupport.h"
#include "platform/UrlCache.h"

using namespace vellomar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder scratch;
    static const DriveTable drives = fuzz::DriveTOver(scratch);
    static const UrlCache cache(drives, (scratch / "drive/cache").string());

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    scratch.Write("drive/cache/chromium/Default/Cache/Cache_Data/0123456789abcdef_0", bytes);
    scratch.Write("drive/cache/chromium/Default/Cache/Cache_Data/0123456789abcdef_s", bytes);
    scratch.Write("drive/cache/mozilla/firefox/p.default/cache2/entries/0123ABCD", bytes);
    int copies = 0;
    cache.ForEachEntry([&](const CachedCopy& copy) {
        ++copies;
        FUZZ_REQUIRE(copy.localFile.starts_with("t:\\cache\\"));
        const FetchedAs& fetched = copy.fetchedAs;
        FUZZ_REQUIRE(fetched.name.find('/') == std::string::npos);
        FUZZ_REQUIRE(fetched.name.size() <= size && fetched.mediaType.size() <= size);
        for (const char c : fetched.mediaType)
            FUZZ_REQUIRE(c != '\r' && c != '\n' && c != '\0' && !(c >= 'A' && c <= 'Z'));
    });
    FUZZ_REQUIRE(copies == 3);
    return 0;
}
