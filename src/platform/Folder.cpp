#include "platform/Folder.h"

#include "platform/FreshName.h"

namespace vellomar {

std::vector<std::string> Folder::Names() const {
    std::vector<std::string> names;
    if (!*this) return names;
    FolderListing listing(*this);
    while (auto entry = listing.Next())
        if (!IsDotEntry(entry->name)) names.emplace_back(entry->name);
    return names;
}

std::optional<std::string> Folder::CreateFreshSubfolder(std::string_view prefix,
                                                        unsigned mode) const {
    std::string name = FreshName(prefix);
    if (!CreateSubfolder(name, mode)) return std::nullopt;
    return name;
}

}  // namespace vellomar
