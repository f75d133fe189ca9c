#pragma once
// The web browsers' own disk caches, as one cache of local files: each cached
// copy of a page or picture is one file, handed out in drive form one at a
// time with what its cache entry tells of it. On Linux these are the caches of
// the Chromium-family browsers and of Firefox under the user's cache folder;
// which folders those are, which of their files are bookkeeping rather than
// copies, and how their entries are read, stays in here.

#include <functional>
#include <string>

#include "platform/DriveTable.h"
#include "platform/FetchedAs.h"

namespace vellomar {

struct CachedCopy {
    std::string localFile;  // in drive form
    FetchedAs fetchedAs;    // all empty where the entry does not tell
};

class UrlCache {
public:
    // cacheHome: the user's native cache folder; empty for none.
    UrlCache(const DriveTable& drives, std::string cacheHome);

    // $XDG_CACHE_HOME, else ~/.cache.
    static std::string CacheHomeOfThisUser();

    // Each cached copy. The cache home is taken by its real path, links and
    // ".." resolved, so that each copy is named by the folders it lies in;
    // files on no drive, and anything reached through a link below the cache
    // home, are passed over.
    void ForEachEntry(const std::function<void(const CachedCopy& copy)>& visit) const;

private:
    const DriveTable& drives_;
    std::string cacheHome_;
};

}  // namespace vellomar
