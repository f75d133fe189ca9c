#pragma once
// --delete and --to-bin: the cleanup offer, or "Delete to Bin", run on every
// entry, with the question and the report on stderr and the answer given on
// the command line.

#include <cstdio>

#include "run/Session.h"
#include "scan/ScanView.h"

namespace vellomar::cli {

// Highlights every entry and runs the removal; true when every file the
// answer chose was removed.
// The counters go to labels as the window's would read.
bool DeleteEveryEntry(Session& session, ScanView& labels, bool answerYes, std::FILE* messages);

// Highlights every entry and moves the files to the bin; true when every file
// the answer chose was moved. Each file that was not is named with its reason.
bool MoveEveryEntryToBin(Session& session, ScanView& labels, bool answerYes, std::FILE* messages);

}  // namespace vellomar::cli
