#pragma once
// "vellomar-cli drives": one drive a line.
//
// plain: letter and colon <tab> mount point <tab> file-system type <tab> label,
//   each empty when not known; a mount point or label with control
//   characters or bytes that are not UTF-8 is quoted as PrintedEntry quotes
//   an entry.
// tsv:  LETTER <tab> MOUNT POINT <tab> LABEL <tab> TYPE <tab> IDENTITY,
//   each field quoted as an entry record's (EntryRecord.h).
// json: {"letter":"c:","mount_point":...,"label":...,"type":...,"identity":...}
//   with "mount_point_base64" holding the mount point's exact bytes when they
//   are not UTF-8, as an entry record's "native_base64" does. The identity
//   is what the letter is remembered by; empty (null in json) when none.

#include <cstdio>

#include "cli/CliOptions.h"
#include "platform/DriveTable.h"

namespace vellomar::cli {

void PrintDrives(const DriveTable& drives, OutputFormat format, std::FILE* out);

}  // namespace vellomar::cli
