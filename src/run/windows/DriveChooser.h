#pragma once
// The items of the windows' drive choosers.

#include "platform/DriveTable.h"
#include "platform/FileSystem.h"

class QComboBox;

namespace vellomar {

// One item per drive in letter order: "c: [label]" for a fixed drive, a
// CD-ROM drive or a RAM disk, "x:" alone for removable media, "x: " and the
// connection's name for a network drive; each with a picture of its kind and
// its lower-case letter as data. Where drives are mounted folders, a drive
// without a label shows its folder in the brackets ("c: [/]"), and removable
// media show their label or folder too.
void AddDriveItems(QComboBox& chooser, const DriveTable& drives);

// Every drive's item, the chooser starting at the drive of the current folder,
// else at the first drive.
void FillDriveChooser(QComboBox& chooser, const DriveTable& drives, const FileSystem& files);

}  // namespace vellomar
