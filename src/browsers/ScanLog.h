#pragma once
// vmscan4.ini, the scan log: the browser profile folders a drive scan found,
// so that the cache locator finds their caches at every start.
//   [P45]  P1 ... P100   folders holding a browser's prefs.js, or a Firefox
//                        profile's Cache folder, each ending with '\'
//   [L44]  P1 ... P100   folders holding localstore.rdf (kept, never read)
// Slots fill from P1 and are never emptied.

#include <array>
#include <string>
#include <string_view>

#include "run/MessagePrompts.h"
#include "run/Session.h"

namespace vellomar {

inline constexpr std::string_view kProfileSection = "P45";
inline constexpr std::string_view kLocalStoreSection = "L44";
inline constexpr std::size_t kScanLogSlots = 100;

inline constexpr std::string_view kScanLogFullMessage =
    "K47 Error. You may continue as normal, but some files may be left behind and not cleaned "
    "up. Please send an email to support@vellomar.example and list K47 as the error.";

// A path whose upper-cased text holds "NETSCAPE", "MOZILLA" or "\REAL".
bool IsBrowserPath(std::string_view path);

// Both sections with every slot empty, unless the log exists. Throws IniWriteError.
void CreateEmptyScanLog(const Session& session);

// Records a folder ("t:\profiles\x\") in a section: nothing when any slot holds
// it already (letter case and surrounding blanks ignored) or when its path holds
// a line break, else the first free slot. A full section shows the K47 message.
// Throws IniWriteError.
void LogBrowserFolder(const Session& session, std::string_view folderPath,
                      std::string_view section, MessagePrompts& prompts);

// Slot for slot from section "P45": the slot's folder followed by "prefs.js"
// when that file exists, and followed by "cache" when that folder exists
// (either name in any letter case); empty otherwise.
struct ScanLogEntries {
    std::array<std::string, kScanLogSlots> profileFiles;
    std::array<std::string, kScanLogSlots> cacheFolders;
};
ScanLogEntries ReadScanLog(const Session& session);

}  // namespace vellomar
