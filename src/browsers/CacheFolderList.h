#pragma once
// Finding the cache folders of Netscape-family browsers at start-up: from the
// per-user registry, the browsers' prefs.js files and the scan log.

#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/RegistryStore.h"
#include "run/BrowserCaches.h"

namespace vellomar {

struct ScanLogEntries;

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
