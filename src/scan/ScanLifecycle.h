#pragma once
// The steps every search runs around its own finding of files.

#include <string_view>

#include "run/ScanState.h"
#include "scan/ScanPrompts.h"
#include "scan/SearchContext.h"

namespace vellomar {

inline constexpr std::string_view kFilesCaption = "Total Files = ";
inline constexpr std::string_view kBytesCaption = "Total Bytes = ";
inline constexpr std::string_view kScanCompleteStatus = "Disk analyze complete. Details shown.";

// Shows the information window when the command's switch in section "Info" of
// Binsettings.ini is on, and turns the switch off when the user asks for that.
// Throws IniWriteError when the switch cannot be written.
void ShowCommandInfo(SearchContext& context, std::string_view infoKey, std::string_view text1,
                     std::string_view text2);

// Zeroes the counters and totals, empties the list, enters the busy state and
// clears every category flag.
void ResetScan(SearchContext& context);

// Leaves the busy state, shows the cleanup summary (and the cleanup offer) when
// a "Remove Garbage" category found files, unless the program is ending, and
// sets the list's state.
void FinishScan(SearchContext& context);

// The four lines of the cleanup summary for a finished search.
CleanupSummary CleanupSummaryLines(const ScanState& scan);

}  // namespace vellomar
