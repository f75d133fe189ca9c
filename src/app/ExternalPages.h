#pragma once
// The help and downloads pages: HTML files beside the program's executable,
// opened with the user's default viewer for them.

#include "platform/Platform.h"
#include "run/MessagePrompts.h"

namespace vellomar {

// Opens Help.htm; a missing page is reported, other failures are not.
void OpenHelpPage(const Platform& platform, MessagePrompts& prompts);
// Opens download.htm; any failure is reported with where else to find the page.
void OpenDownloadsPage(const Platform& platform, MessagePrompts& prompts);

}  // namespace vellomar
