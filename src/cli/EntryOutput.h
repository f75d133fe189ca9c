#pragma once
// A search's entries on stdout, in list order, in the format asked for:
// --print0 gives each file's native path, which other tools can open; an
// entry without one is named on messages instead.

#include <cstdio>

#include "cli/CliOptions.h"
#include "platform/FileSystem.h"
#include "run/ResultList.h"

namespace vellomar::cli {

void PrintEntries(const ResultList& list, const FileSystem& files, OutputFormat format,
                  std::FILE* out, std::FILE* messages);

}  // namespace vellomar::cli
