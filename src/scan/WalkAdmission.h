#pragma once
// The rule a walk asks, folder by folder and in walk order, whether to list a
// folder. The walk owns this port; the program plugs in the Quick Search
// folder filters.

#include <functional>
#include <memory>
#include <string_view>

namespace vellomar {

enum class Admission {
    Refused,      // nothing in the folder is looked at
    PassThrough,  // only its subfolders are entered: it leads to a folder that is admitted
    Admitted,     // its files are examined and its subfolders entered
};

class WalkAdmission {
public:
    virtual ~WalkAdmission() = default;
    // Paths are in the walk's own form: "c:" for a root, else without a trailing '\'.
    virtual Admission Admit(std::string_view folderPath) const = 0;
};

// Makes the rule one walk obeys, as the settings stand when the walk starts.
using MakeWalkAdmission = std::function<std::unique_ptr<const WalkAdmission>()>;

}  // namespace vellomar
