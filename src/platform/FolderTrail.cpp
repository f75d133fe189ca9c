#include "platform/FolderTrail.h"

#include "platform/DrivePath.h"

namespace vellomar {
namespace {

std::optional<std::uint64_t> DeviceOf(const Folder& folder) {
    const std::optional<EntryIdentity> identity = folder.Identity();
    if (!identity) return std::nullopt;
    return identity->device;
}

}  // namespace

bool FolderTrail::Enter(std::string_view name, std::optional<std::uint64_t> device) {
    const std::string& root = drives_.Find(letter_)->root;
    Folder folder = name.empty() ? Folder::OpenNative(root)
                                 : open_.back().folder.OpenSubfolder(name, Folder::Links::Refuse);
    const std::optional<std::uint64_t> on = folder ? DeviceOf(folder) : std::nullopt;
    if (!on) {
        failure_ = folder ? FileOutcome::Failed : folder.Failure();
        return false;
    }
    if (device && *on != *device) {
        // Another file system stands where the file's own stood when it was listed.
        failure_ = FileOutcome::Changed;
        return false;
    }
    SystemPlace place = name.empty() ? system_.PlaceOf(root) : open_.back().place.Below(name);
    open_.push_back({std::string(name), std::move(folder), *on, std::move(place)});
    if (open_.size() > kDeepestHeld + 1) open_[open_.size() - 1 - kDeepestHeld].folder = Folder();
    return true;
}

FolderTrail::Holder FolderTrail::HolderOf(std::string_view drivePath,
                                          std::optional<std::uint64_t> device) {
    const auto parts = SplitDrivePath(drivePath);
    if (!parts || parts->names.empty() || !drives_.Find(parts->letter)) return {};
    if (parts->letter != letter_) {
        open_.clear();
        letter_ = parts->letter;
    }
    // Keep the open folders the path shares, as long as they lie on the file's file system.
    const std::size_t folderNames = parts->names.size() - 1;
    std::size_t kept = 0;
    while (kept < open_.size() && OnDevice(open_[kept], device) &&
           (kept == 0 || (kept <= folderNames && open_[kept].name == parts->names[kept - 1])))
        ++kept;
    // Down again from the deepest folder still held (the root always is).
    while (kept > 0 && !open_[kept - 1].folder) --kept;
    open_.resize(kept);
    if (open_.empty() && !Enter({}, device)) return {nullptr, {}, failure_, {}};
    while (open_.size() <= folderNames)
        if (!Enter(parts->names[open_.size() - 1], device)) return {nullptr, {}, failure_, {}};
    return {&open_.back().folder, parts->names.back(), FileOutcome::Done, open_.back().place};
}

std::optional<EntryInfo> FolderTrail::StillListed(std::string_view drivePath,
                                                  const ListedFile& listed) {
    const Holder holder = HolderOf(drivePath, listed.identity.device);
    std::optional<EntryInfo> info = holder.folder ? holder.folder->LookUp(holder.name) : std::nullopt;
    if (!info || ListedAs(*info) != listed) return std::nullopt;
    if (holder.place.Owns(holder.name)) info->attributes = attribute::kSystem;
    return info;
}

RemovedFile FolderTrail::DeleteFile(std::string_view drivePath, const EntryCheck& check) {
    const Holder holder = HolderOf(drivePath, ListedDevice(check));
    if (!holder.folder) return {holder.failure};
    if (holder.place.Owns(holder.name)) return {FileOutcome::NotAFile};
    return holder.folder->RemoveFile(holder.name, check);
}

}  // namespace vellomar
