#pragma once
// vellomar-cli scan-browsers DRIVE: the Scan Drive window's "Scan Drive Now".

#include "cli/CliScanView.h"
#include "run/Session.h"

namespace vellomar::cli {

// Makes the data folder and the scan log when they are missing, scans the drive into it and says so
// on the view's message stream. The exit status: 0, or 1 when the log could
// not be written.
int ScanBrowsers(const Session& session, CliScanView& view, char driveLetter);

}  // namespace vellomar::cli
