#pragma once
// Every modal window that a command of the main window opens.

#include "quicksearch/NameSearch.h"
#include "results/DeleteToBin.h"
#include "results/Deletion.h"
#include "results/ListExport.h"
#include "scan/ScanPrompts.h"

namespace vellomar {

class MainWindowPrompts : public ScanPrompts,
                          public DeletionPrompts,
                          public DeleteToBinPrompts,
                          public ListExportPrompts,
                          public QuickSearchWindow {};

}  // namespace vellomar
