#include "platform/Folder.h"

namespace vellomar {

std::vector<std::string> Folder::Names() const {
    std::vector<std::string> names;
    if (!*this) return names;
    FolderListing listing(*this);
    while (auto entry = listing.Next())
        if (!IsDotEntry(entry->name)) names.emplace_back(entry->name);
    return names;
}

}  // namespace vellomar
