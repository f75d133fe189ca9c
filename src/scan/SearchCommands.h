#pragma once
// The searches that walk the chosen drive for one category each.

#include <array>
#include <string_view>

#include "run/ScanState.h"
#include "scan/SearchContext.h"

namespace vellomar {

struct DriveSearchCommand {
    std::string_view caption;   // the button's caption
    std::string_view cliName;   // the command word of vellomar-cli
    std::string_view infoKey;   // its switch in section "Info" of Binsettings.ini
    bool ScanState::*flag;      // the category it collects
    std::string_view infoText;  // the information window's two texts
    std::string_view infoAdvice;
};

const std::array<DriveSearchCommand, 13>& DriveSearchCommands();
// Nothing for an unknown command word.
const DriveSearchCommand* FindDriveSearchCommand(std::string_view cliName);

// The whole search: information window, reset, walk of the drive's root, finish.
// driveLetter as the drive chooser holds it, lower case.
void RunDriveSearch(SearchContext& context, const DriveSearchCommand& command, char driveLetter);

}  // namespace vellomar
