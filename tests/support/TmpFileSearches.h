#pragma once
// The two walks of a drive, the search by categories and the search by name,
// each set to list every file whose name ends in ".tmp", for tests that put
// both through the same faults.

#include <ostream>

#include "quicksearch/FolderAdmission.h"
#include "quicksearch/NameSearch.h"
#include "run/Session.h"
#include "scan/ScanView.h"
#include "scan/WalkFolder.h"

namespace vellomar::test {

struct TmpFileSearch {
    const char* name;
    void (*run)(Session& session, ScanView& view);
};

inline const TmpFileSearch kTmpFileSearches[] = {
    {"ByCategory",
     [](Session& session, ScanView& view) {
         session.scan.FindGarbage = true;
         WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:");
     }},
    {"ByName",
     [](Session& session, ScanView& view) {
         session.scan.NameSearchActive = true;
         FindFilesByName(session, view, "t:", NameQuery{".tmp", false, false});
     }},
};

inline void PrintTo(const TmpFileSearch& search, std::ostream* out) { *out << search.name; }

}  // namespace vellomar::test
