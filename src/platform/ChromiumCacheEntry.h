#pragma once
// The entry files of a Chromium-family browser's disk cache (the "simple"
// cache of current versions). Each file of an entry starts with a header and
// the entry's key, whose last blank-separated part is the URL fetched; the
// "_0" file holds the fetched body and, at its end, the stored response with
// its headers; "_s" holds parts of the body fetched by ranges; "_1" holds data
// the browser attached to the entry later, no fetched content. The older
// "blockfile" cache (data_N, f_NNNNNN) keeps its keys apart from the copies
// and tells nothing here.

#include "platform/FetchedAs.h"
#include "platform/Folder.h"

namespace vellomar {

// What the file of that name in a cache folder tells; all empty for a file
// that holds no fetched content or is not in the format.
FetchedAs ReadChromiumCacheFile(const Folder& folder, const char* name);

}  // namespace vellomar
