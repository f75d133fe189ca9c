#pragma once
// The search for files by name: "Quick Search" opens the Quick Search window,
// applies its settings when it closes, and, when it was closed by "Search Disk
// Now", walks the chosen drive for files whose name matches the text.

#include <string>
#include <string_view>

#include "quicksearch/QuickSearchCommands.h"
#include "run/Session.h"
#include "scan/ScanView.h"
#include "scan/SearchContext.h"

namespace vellomar {

// What the name search looks for: the name box's text exactly as typed.
struct NameQuery {
    std::string text;
    bool exact = true;       // the whole name, not a part of it
    bool matchCase = false;  // letter case (ASCII letters) must match
};

// Literal text: no character is a wildcard.
bool NameMatches(std::string_view fileName, const NameQuery& query);

// Every folder below folderPath is entered, "Garbage Bin" ones included, but
// the desktop's trash; every regular file whose name matches is listed,
// whatever its attributes, unless the operating system owns it. The Quick
// Search rule applies to each folder.
void FindFilesByName(Session& session, ScanView& view, std::string_view folderPath,
                     const NameQuery& query);

// The search itself, as "Search Disk Now" starts it: the list emptied, the
// chosen drive walked for the query, the search finished without a cleanup
// summary (no garbage category is active) and the list fitted.
void RunNameSearch(SearchContext& context, const NameQuery& query, char driveLetter);

// The Quick Search window as the command needs it.
class QuickSearchWindow {
public:
    virtual ~QuickSearchWindow() = default;
    // Shows the window modally over session.quickSearch.window; returns once it
    // has closed, by "Ok", by "Search Disk Now" or through its title bar.
    virtual void ShowQuickSearchWindow() = 0;
    // The name box and the name options as the window holds them.
    virtual NameQuery QueryOfWindow() const = 0;
};

inline constexpr std::string_view kDiskInfoKey = "Disk";
inline constexpr std::string_view kDiskInfoText =
    "This provides a quick and easy disk search of your entire pc for any file or partial file "
    "name you are looking for.";
inline constexpr std::string_view kDiskInfoAdvice =
    "To perform automatic cleanups of garbage files on your system, choose a button under "
    "category box \"Remove Garbage\". These file types include many leftover webpages and "
    "graphics/pictures, 0 byte files, temp files, and many other garbage files which this "
    "software will safely remove.";

// CmdDiskClick. With the scope "Onlythiswindow" the filters are switched off
// again once the name search has ended, and the status lines say so.
void CmdDiskClick(SearchContext& context, QuickSearchWindow& window,
                  QuickSearchStatusView& statusView, char driveLetter);

}  // namespace vellomar
