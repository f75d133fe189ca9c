#pragma once
// The two viewers of the result list's current entry: "View This File" (also a
// double click on an entry) opens it with the application the desktop
// associates with its type; "Preview SS" runs a screensaver full screen. Both
// hand the file to the platform and return at once, without waiting for it.

#include <string_view>

#include "run/MessagePrompts.h"
#include "run/Session.h"

namespace vellomar {

// "View This File": a warning when no application is associated with the
// file's type; any other failure (the file gone, access denied) shows nothing.
void ViewCurrentFile(const Session& session, MessagePrompts& prompts);

// "Preview SS": starts a screensaver file with the argument "/S"; any other
// file, or one that cannot be started, is refused with an information box.
void PreviewCurrentScreensaver(const Session& session, MessagePrompts& prompts);

// Whether a path names a screensaver file: its name's extension, from the last
// full stop on, is ".SCR" in any letter case.
bool IsScreensaverPath(std::string_view path);

}  // namespace vellomar
