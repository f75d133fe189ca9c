#pragma once
// qsearch.ini, the stored copy of the Quick Search settings:
//   [Skip]    F1 ... F500   the BYPASS folders, gaps allowed
//   [Only]    F1 ... F500   the SEARCH ONLY folders, gaps allowed
//   [Status]  Search=Bothwindows|Onlythiswindow|Ignoreboth
//             Perform=Searchfolders|Skipfolders
// Values compare exactly, letter case included; anything else reads as
// "Ignoreboth" and "Skipfolders".

#include "platform/IniFile.h"
#include "run/QuickSearchSettings.h"

namespace vellomar {

struct FolderLists {
    std::vector<std::string> skipFolders;
    std::vector<std::string> onlyFolders;
};

// Keys F1 to F500 of each list; empty values are passed over.
FolderLists ReadFolderLists(const IniFile& file);
// Everything the window shows, as it reads it when it is made, from one
// reading of the file.
QuickSearchSettings ReadQuickSearchSettings(const IniFile& file);

// The window's save: every F key of both lists blanked, then the SEARCH ONLY
// folders, the BYPASS folders, the scope and the mode written, all in one
// atomic replacement of the file. Throws IniWriteError.
void SaveQuickSearchSettings(const IniFile& file, const QuickSearchSettings& settings);

// A new file: both lists' keys empty and the scope "Ignoreboth"; no mode, which
// reads as BYPASS. Throws IniWriteError.
void CreateQuickSearchFile(const IniFile& file);

}  // namespace vellomar
