#pragma once
// "vellomar-cli drives": one drive a line, tab-separated: its letter and
// colon, its mount point, its file-system type and its label, each empty when
// not known; a mount point or label with control characters or bytes that
// are not UTF-8 is quoted as PrintedEntry quotes an entry.

#include <cstdio>

#include "platform/DriveTable.h"

namespace vellomar::cli {

void PrintDrives(const DriveTable& drives, std::FILE* out);

}  // namespace vellomar::cli
