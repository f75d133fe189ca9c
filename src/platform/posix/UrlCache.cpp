#include "platform/UrlCache.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/ChromiumCacheEntry.h"
#include "platform/DrivePath.h"
#include "platform/FirefoxCacheEntry.h"
#include "platform/Folder.h"

namespace vellomar {
namespace {

// Below the cache folder: one folder per browser, one subfolder per profile.
constexpr std::string_view kChromiumFamily[] = {
    "google-chrome", "google-chrome-beta", "google-chrome-unstable", "chromium",
    "BraveSoftware/Brave-Browser", "microsoft-edge", "microsoft-edge-beta", "vivaldi", "opera",
};
constexpr std::string_view kFirefoxProfiles = "mozilla/firefox";

// The folder at a '/'-separated path below an open folder. A link on the way
// makes it unopened: a link in a browser's cache would hand out files that
// are no cached copies.
Folder OpenBelow(const Folder& folder, std::string_view relative) {
    const std::size_t slash = relative.find('/');
    Folder next = folder.OpenSubfolder(std::string(relative.substr(0, slash)).c_str());
    if (slash == std::string_view::npos || !next) return next;
    return OpenBelow(next, relative.substr(slash + 1));
}

std::optional<std::string> RealPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr),
                                                           &std::free);
    if (!real) return std::nullopt;
    return std::string(real.get());
}

std::vector<std::string> SubfolderNames(const Folder& folder) {
    std::vector<std::string> names;
    if (!folder) return names;
    FolderListing listing(folder);
    while (auto entry = listing.Next())
        if (entry->kind == EntryKind::Folder && !IsDotEntry(entry->name)) names.emplace_back(entry->name);
    return names;
}

}  // namespace

UrlCache::UrlCache(const DriveTable& drives, std::string cacheHome)
    : drives_(drives), cacheHome_(std::move(cacheHome)) {}

std::string UrlCache::CacheHomeOfThisUser() {
    if (const char* cacheHome = std::getenv("XDG_CACHE_HOME"); cacheHome && *cacheHome == '/')
        return cacheHome;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "") + "/.cache";
}

void UrlCache::ForEachEntry(const std::function<void(const CachedCopy& copy)>& visit) const {
    // The cache home itself may be a link, as users move it elsewhere; its
    // copies are named by where they really lie, or deleting them through a
    // path that never follows a link would fail.
    const std::optional<std::string> cacheHome = RealPath(cacheHome_);
    const Folder home = cacheHome ? Folder::OpenNative(*cacheHome) : Folder();
    if (!home) return;
    using EntryReader = FetchedAs (*)(const Folder&, const char*);
    // Each file of one folder of copies ("chromium/Default/Cache").
    const auto visitCopies = [&](const std::string& relative, const Folder& folder,
                                 EntryReader read) {
        // The folder's drive form once; its copies are named below it.
        const auto folderPath = folder ? drives_.ToDriveForm(*cacheHome + "/" + relative)
                                       : std::nullopt;
        if (!folderPath) return;
        FolderListing listing(folder);
        while (auto entry = listing.Next()) {
            const std::string_view name = entry->name;
            // "index" is a Chromium cache's table of its copies, not a copy;
            // a name holding '\' has no drive form.
            if (entry->kind != EntryKind::File || name == "index" ||
                name.find(kPathSeparator) != std::string_view::npos)
                continue;
            visit(CachedCopy{JoinDrivePath(*folderPath, name), read(folder, entry->name)});
        }
    };
    for (std::string_view browser : kChromiumFamily) {
        const Folder browserFolder = OpenBelow(home, browser);
        for (const std::string& profile : SubfolderNames(browserFolder)) {
            const std::string cache = std::string(browser) + "/" + profile + "/Cache";
            const Folder cacheFolder = OpenBelow(browserFolder, profile + "/Cache");
            // Newer versions keep the copies one level further down.
            if (const Folder copies = OpenBelow(cacheFolder, "Cache_Data"))
                visitCopies(cache + "/Cache_Data", copies, ReadChromiumCacheFile);
            else
                visitCopies(cache, cacheFolder, ReadChromiumCacheFile);
        }
    }
    const Folder firefox = OpenBelow(home, kFirefoxProfiles);
    for (const std::string& profile : SubfolderNames(firefox)) {
        visitCopies(std::string(kFirefoxProfiles) + "/" + profile + "/cache2/entries",
                    OpenBelow(firefox, profile + "/cache2/entries"), ReadFirefoxCacheFile);
    }
}

}  // namespace vellomar
