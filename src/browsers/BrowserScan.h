#pragma once
// "Scan Drive Now": walks a whole drive for browser profile folders and logs
// them in the scan log. It lists nothing and deletes nothing. It enters every
// folder, hidden ones included, but never through a link, never off the
// drive's file system and never deeper than a search's walk goes
// (kDeepestWalkedLevel), so neither a link loop nor a tree of any depth can
// keep it walking for ever or use up the process's handles.

#include <string_view>

#include "run/MessagePrompts.h"
#include "run/Session.h"

namespace vellomar {

// What the scan needs of the Scan Drive window.
class BrowserScanView {
public:
    virtual ~BrowserScanView() = default;
    // Lblfiles: the folder whose subfolders are being entered; empty once done.
    virtual void ShowScanFolder(std::string_view folderPath) = 0;
    // Called after every entry: the window handles pending input, as often
    // as keeps it prompt.
    virtual void Pump() = 0;
};

inline constexpr std::string_view kScanCompletedMessage =
    "Scan has completed.  The log you have just done will always be in effect when you run "
    "Vellomar, and will only need to be run once.";

// Logs, in the scan log, each folder below folderPath ("c:" for a root) that
// holds a browser's prefs.js (section "P45") or localstore.rdf ("L44"), and
// each Firefox profile folder that holds a Cache folder ("P45"). Read-only
// and system files are passed over. Throws IniWriteError.
void ScanFolderForBrowsers(const Session& session, BrowserScanView& view,
                           MessagePrompts& prompts, std::string_view folderPath);

// BitBtn1Click: scans the drive, then says so; a failed log write is shown
// instead and ends the scan.
void ScanDriveNow(const Session& session, BrowserScanView& view, MessagePrompts& prompts,
                  char driveLetter);

}  // namespace vellomar
