#pragma once
// "Never List This Folder" on a result entry: it only ever narrows the
// searches. With the filters off or in BYPASS mode, the entry's folder joins
// the BYPASS list of qsearch.ini, as "Add Folder" under "BYPASS" adds one, and
// the filters are put in force for every walk in BYPASS mode. In SEARCH ONLY
// mode the folder is taken off the SEARCH ONLY list where its own entry puts
// it there; where a broader entry takes it in, or none does, a message says
// so and nothing changes.

#include <string_view>

#include "quicksearch/QuickSearchCommands.h"
#include "run/MessagePrompts.h"
#include "run/Session.h"

namespace vellomar {

// The stored settings so narrowed are saved and applied, the window's working
// copy takes them and the status lines show them. A file in a drive's root is
// refused: bypassing the root would keep every walk out of the whole drive. A
// failed save changes nothing and is shown.
void NeverListFolderOf(Session& session, std::string_view entryPath, MessagePrompts& prompts,
                       QuickSearchStatusView& view);

}  // namespace vellomar
