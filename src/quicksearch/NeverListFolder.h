#pragma once
// "Never List This Folder" on a result entry: its folder joins the BYPASS list
// of qsearch.ini, as "Add Folder" under "BYPASS" adds one, and the filters are
// put in force for every walk in BYPASS mode, so no later search lists it.

#include <string_view>

#include "quicksearch/QuickSearchCommands.h"
#include "run/MessagePrompts.h"
#include "run/Session.h"

namespace vellomar {

// The stored settings with the folder of the entry bypassed are saved and
// applied, the window's working copy takes them and the status lines show
// them. A file in a drive's root is refused: bypassing the root would keep
// every walk out of the whole drive. A failed save changes nothing and is shown.
void NeverListFolderOf(Session& session, std::string_view entryPath, MessagePrompts& prompts,
                       QuickSearchStatusView& view);

}  // namespace vellomar
