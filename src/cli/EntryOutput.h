#pragma once
// A search's entries on stdout, in list order, in the format asked for.

#include <cstdio>

#include "cli/CliOptions.h"
#include "platform/FileSystem.h"
#include "run/ResultList.h"

namespace vellomar::cli {

void PrintEntries(const ResultList& list, const FileSystem& files, OutputFormat format,
                  std::FILE* out);

}  // namespace vellomar::cli
