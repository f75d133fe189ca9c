#pragma once
// The Quick Search folder filters: the SEARCH ONLY and BYPASS folder lists, the
// scope and the mode, as the Quick Search window holds them, and the flags
// that decide whether walks obey them.

#include <cstddef>
#include <string>
#include <vector>

namespace vellomar {

// Where the filters apply.
enum class QuickSearchScope {
    BothWindows,     // "Bothwindows": every walk
    OnlyThisWindow,  // "Onlythiswindow": the name search started from the window
    Ignore,          // "Ignoreboth": no walk
};

// Which list applies.
enum class QuickSearchMode {
    SearchOnly,  // "Searchfolders": walks enter only the SEARCH ONLY folders
    Bypass,      // "Skipfolders": walks enter every folder but the BYPASS ones
};

// A list holds at most this many folders: the settings file keeps no more.
inline constexpr std::size_t kMaxFoldersPerList = 500;

// What the Quick Search window shows and edits; the walks read the lists from
// here, the settings file is their stored copy.
struct QuickSearchSettings {
    std::vector<std::string> skipFolders;  // ListSkip, in the order added
    std::vector<std::string> onlyFolders;  // ListOnly, in the order added
    QuickSearchScope scope = QuickSearchScope::Ignore;
    QuickSearchMode mode = QuickSearchMode::Bypass;
};

// The Quick Search state of one run of the program.
struct QuickSearchState {
    QuickSearchSettings window;
    bool QuickSearchOn = false;        // the filters apply to walks
    bool QuickSearchOnlyMode = false;  // the SEARCH ONLY list applies, not the BYPASS one
    bool DiskSearchRequested = false;  // the window last closed by "Search Disk Now"
};

}  // namespace vellomar
