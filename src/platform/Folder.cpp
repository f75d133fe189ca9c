#include "platform/Folder.h"

#include <utility>

#include "platform/FreshName.h"

namespace vellomar {

Folder::~Folder() { CloseNativeHandle(handle_); }

Folder::Folder(Folder&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)),
      failure_(other.failure_),
      listed_(other.listed_) {}

Folder& Folder::operator=(Folder&& other) noexcept {
    if (this != &other) {
        CloseNativeHandle(std::exchange(handle_, std::exchange(other.handle_, kNoHandle)));
        failure_ = other.failure_;
        listed_ = other.listed_;
    }
    return *this;
}

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
