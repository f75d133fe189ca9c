#pragma once
// The cache folders of Netscape-family browsers (Netscape, Mozilla, Firefox),
// found once at start-up from the per-user registry, the browsers' prefs.js
// files and the scan log, and listed by the internet commands.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/RegistryStore.h"

namespace vellomar {

struct ScanLogEntries;

inline constexpr std::size_t kCacheFolderSlots = 600;

class CacheFolderList {
public:
    // Stores a folder text as it is (with or without a trailing '\') in the
    // first free slot: a blank text, a folder stored already (compared
    // upper-cased as whole texts) and a 601st folder are passed over.
    void Add(std::string_view folder);
    void Clear() { count_ = 0; }

    std::size_t Count() const { return count_; }
    const std::string& operator[](std::size_t index) const { return slots_[index]; }

private:
    std::array<std::string, kCacheFolderSlots> slots_;
    std::size_t count_ = 0;
};

// What the internet commands share for the whole run.
struct BrowserCaches {
    CacheFolderList cacheFolders;   // built once at start-up
    bool InternetPicsOnly = false;  // the URL cache lists its pictures only
};

// The cache folder a prefs.js names on its first line that starts with
// user_pref("browser.cache.directory" (letter case ignored), with one '\'
// after it and no doubled '\' in it; a single blank when the file is missing
// or unreadable or names none.
std::string ReadPrefsCacheDir(const FileSystem& files, std::string_view prefsPath);

// The list as the start builds it: the Netscape "Cache Dir", each Netscape
// user profile's prefs.js folder and its "cache" folder, the logged cache
// folders, then the folders the logged prefs.js files name. Values of the
// wrong type, unreadable files and profiles without a root folder contribute
// nothing.
void BuildCacheFolderList(CacheFolderList& list, const RegistryStore& registry,
                          const FileSystem& files, const ScanLogEntries& scanLog);

}  // namespace vellomar
