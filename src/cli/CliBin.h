#pragma once
// "vellomar-cli bin ...": the bin window's commands from the shell, on the
// same bin, by the same rules and with the same messages.
//   bin list [--format tsv|json]
//                          one item a line: key, where it came from, size,
//                          when it was moved, the bin it lies in (tab-separated);
//                          or a JSON array of objects with those fields
//   bin restore KEY...     "Restore File" on each
//   bin delete KEY...      "Delete File" on each, its question answered by --yes
//   bin empty [--older-than AGE]
//                          "Empty Entire Bin", or of the items moved in longer ago

#include <cstdio>

#include "cli/CliOptions.h"
#include "run/Session.h"

namespace vellomar::cli {

// 0, or 1 when anything could not be done; each reason on messages.
int RunBinCommand(Session& session, const CliOptions& options, std::FILE* out, std::FILE* messages);

}  // namespace vellomar::cli
