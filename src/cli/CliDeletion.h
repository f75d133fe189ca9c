#pragma once
// --delete: the cleanup offer run on every entry, with its question and its
// report on stderr and the answer given on the command line.

#include <cstdio>

#include "results/Deletion.h"
#include "run/Session.h"
#include "scan/ScanView.h"

namespace vellomar::cli {

// Highlights every entry and runs the removal; true when every file the
// answer chose was removed.
// The counters go to labels as the window's would read.
bool DeleteEveryEntry(Session& session, ScanView& labels, bool answerYes, std::FILE* messages);

}  // namespace vellomar::cli
