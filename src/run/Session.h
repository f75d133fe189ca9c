#pragma once
// The state of one run of the program: one per process in the program and the
// command-line companion, a fresh one per test.

#include <string>

#include "platform/Platform.h"
#include "run/BrowserCaches.h"
#include "run/CleanupTotals.h"
#include "run/QuickSearchSettings.h"
#include "run/ResultList.h"
#include "run/ScanState.h"

namespace vellomar {

// The program's files in the per-user application-data folder, in drive form.
struct DataFolder {
    std::string DataFolderPath;   // <application data>\Velmo
    std::string ScanLogPath;      // ...\vmscan4.ini
    std::string QuickSearchPath;  // ...\qsearch.ini
    std::string InfoSwitchesPath; // ...\Binsettings.ini

    static DataFolder Under(const std::string& appDataFolder);
};

struct Session {
    explicit Session(const Platform& platform);

    const Platform& platform;
    DataFolder dataFolder;
    ScanState scan;
    ResultList results;
    CleanupTotals cleanup;  // zero at every start: nothing stores it
    QuickSearchState quickSearch;
    BrowserCaches browserCaches;
    // The user asked the program to end while a command ran: the modal windows
    // the command still opens close at once as if cancelled, and nothing is deleted.
    bool endRequested = false;
    // Asked before each file an act (a deletion, a move to the bin) takes on:
    // once true the act stops there, keeps what it did and says how far it
    // came. The window's acts run to their end; the command line's Ctrl-C stops them.
    bool (*stopRequested)() = [] { return false; };
};

}  // namespace vellomar
