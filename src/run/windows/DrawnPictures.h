#pragma once
// The main window's button and drive pictures, drawn rather than shipped as
// files, so the program needs nothing beside its executable to look complete.

#include <QIcon>

namespace vellomar {

// A red octagon with a white square: ends the running search.
QIcon StopPicture();
// Bars of falling length beside a downward arrow: orders the list.
QIcon SortPicture();
// A memory chip: a drive that lives in memory.
QIcon RamDiskPicture();

}  // namespace vellomar
