#pragma once
// Whether a walk may list a folder: the rule the Quick Search folder filters set.
//
// With the filters off every folder is admitted. In SEARCH ONLY mode a folder
// is admitted when its path holds a SEARCH ONLY entry, or when it is a drive
// root (a path shorter than 4 characters); in BYPASS mode it is refused when
// its path holds a BYPASS entry. "Holds" ignores the case of ASCII letters and
// finds the entry anywhere in the path. Paths are in the walk's own form: "c:"
// for a root, else without a trailing '\'.

#include <string>
#include <string_view>
#include <vector>

#include "quicksearch/SubstringSet.h"
#include "run/QuickSearchSettings.h"
#include "scan/WalkAdmission.h"

namespace vellomar {

// The rule as one walk applies it: the settings do not change during a walk,
// so the lists are upper-cased once, not at every folder.
class FolderAdmission final : public WalkAdmission {
public:
    explicit FolderAdmission(const QuickSearchState& state);

    bool Admits(std::string_view folderPath) const;
    // Admits(), and in SEARCH ONLY mode a folder it refuses is passed through
    // when a SEARCH ONLY folder lies below it, so that a walk from the root can
    // reach "c:\Program Files\Tools" although "c:\Program Files" is not listed.
    Admission Admit(std::string_view folderPath) const override;

private:
    bool on_;
    bool onlyMode_;
    SubstringSet upperEntries_;  // of the list that applies
};

// The rule for each walk the state's run starts, made from the filters as
// they stand at its start.
MakeWalkAdmission QuickSearchWalkAdmission(const QuickSearchState& state);

bool FolderListContains(const std::vector<std::string>& list, std::string_view folderPath);
bool QuickSearchAdmitsFolder(const QuickSearchState& state, std::string_view folderPath);

}  // namespace vellomar
