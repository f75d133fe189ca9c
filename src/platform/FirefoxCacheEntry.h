#pragma once
// The entry files of Firefox's disk cache ("cache2/entries"): the fetched
// body, then its metadata (a checksum, one hash per 256 KiB of body, a header,
// the key, and the stored elements, NUL-separated names and values among which
// "response-head" holds the response's headers), then the metadata's offset in
// a big-endian word, which newer versions precede with the format's version.
// The key is a list of ','-ended tags whose last, ':', holds the URL.

#include "platform/FetchedAs.h"
#include "platform/Folder.h"

namespace vellomar {

// What the file of that name in an entries folder tells; all empty for a file
// that is not in the format or whose metadata is encrypted.
FetchedAs ReadFirefoxCacheFile(const Folder& folder, const char* name);

}  // namespace vellomar
