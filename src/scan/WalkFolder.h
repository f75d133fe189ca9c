#pragma once

#include <string_view>

#include "run/Session.h"
#include "scan/ScanView.h"
#include "scan/WalkAdmission.h"

namespace vellomar {

// A folder of this name holds the files the user put aside; walks never enter it.
inline constexpr std::string_view kGarbageBinFolderName = "Garbage Bin";

// Walks folderPath and every folder below it, depth first in the file system's
// own order, appending to the result list each file that fits an active
// category. Passes over folders the admission refuses, folders named
// exactly "Garbage Bin", the desktop's trash, links, other file systems,
// read-only or system files and what the operating system owns. Returns early once ContinueScan is cleared. Never throws: a folder
// that cannot be read simply yields nothing.
void WalkFolder(Session& session, ScanView& view, const WalkAdmission& admission,
                std::string_view folderPath);

}  // namespace vellomar
