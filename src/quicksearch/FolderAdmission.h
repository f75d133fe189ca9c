#pragma once
// Whether a walk may list a folder: the rule the Quick Search folder filters set.

#include <string_view>

namespace vellomar {

class FolderAdmission {
public:
    virtual ~FolderAdmission() = default;
    // folderPath in the walk's own form: "c:" for a root, else without a trailing '\'.
    virtual bool AdmitsFolder(std::string_view folderPath) const = 0;
};

// No folder filter in force: every folder is admitted.
class AdmitEveryFolder final : public FolderAdmission {
public:
    bool AdmitsFolder(std::string_view) const override { return true; }
};

}  // namespace vellomar
