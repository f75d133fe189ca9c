#include "platform/FileSystem.h"

#include <unistd.h>

#include <string>
#include <vector>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"

namespace vellomar {
namespace {

// The stored name for a name as written: itself when it exists, else the one
// entry that differs only in letter case. Two such entries make it ambiguous,
// and an ambiguous name resolves to nothing rather than to a guess.
std::optional<std::string> ResolveName(const Folder& folder, std::string_view name) {
    std::string exact(name);
    if (folder.LookUp(exact.c_str())) return exact;

    std::optional<std::string> match;
    FolderListing listing(folder);
    while (auto entry = listing.Next()) {
        if (!EqualsIgnoringAsciiCase(entry->name, name)) continue;
        if (match) return std::nullopt;
        match = entry->name;
    }
    return match;
}

}  // namespace

std::optional<FileSystem::Parent> FileSystem::OpenParent(std::string_view drivePath,
                                                         Folder::Links links) const {
    auto parts = SplitDrivePath(drivePath);
    if (!parts) return std::nullopt;
    const Drive* drive = drives_.Find(parts->letter);
    if (!drive) return std::nullopt;

    Folder folder = Folder::OpenNative(drive->root);
    if (parts->names.empty()) return Parent{std::move(folder), std::string()};
    for (std::size_t i = 0; i + 1 < parts->names.size() && folder; ++i) {
        auto stored = ResolveName(folder, parts->names[i]);
        if (!stored) return std::nullopt;
        folder = folder.OpenSubfolder(stored->c_str(), links);
    }
    if (!folder) return std::nullopt;
    return Parent{std::move(folder), std::string(parts->names.back())};
}

Folder FileSystem::OpenFolder(std::string_view drivePath) const {
    auto parent = OpenParent(drivePath, Folder::Links::Follow);
    if (!parent) return Folder();
    if (parent->name.empty()) return std::move(parent->folder);
    auto stored = ResolveName(parent->folder, parent->name);
    if (!stored) return Folder();
    return parent->folder.OpenSubfolder(stored->c_str(), Folder::Links::Follow);
}

std::optional<FoundEntry> FileSystem::Find(std::string_view drivePath) const {
    auto parent = OpenParent(drivePath, Folder::Links::Follow);
    if (!parent || parent->name.empty()) return std::nullopt;
    auto stored = ResolveName(parent->folder, parent->name);
    if (!stored) return std::nullopt;
    auto info = parent->folder.LookUp(stored->c_str());
    if (!info) return std::nullopt;
    return FoundEntry{std::move(*stored), *info};
}

bool FileSystem::FileExists(std::string_view drivePath) const {
    auto found = Find(drivePath);
    return found && found->info.kind != EntryKind::Folder;
}

bool FileSystem::FolderExists(std::string_view drivePath) const {
    return static_cast<bool>(OpenFolder(drivePath));
}

bool FileSystem::CreateFolder(std::string_view drivePath) const {
    auto parent = OpenParent(drivePath, Folder::Links::Follow);
    if (!parent || parent->name.empty() || ResolveName(parent->folder, parent->name))
        return false;
    return parent->folder.CreateSubfolder(parent->name.c_str());
}

DeleteOutcome FileSystem::DeleteFile(std::string_view drivePath) const {
    auto parent = OpenParent(drivePath, Folder::Links::Refuse);
    if (!parent || parent->name.empty()) return DeleteOutcome::NotFound;
    auto stored = ResolveName(parent->folder, parent->name);
    if (!stored) return DeleteOutcome::NotFound;
    auto info = parent->folder.LookUp(stored->c_str());
    if (!info) return DeleteOutcome::NotFound;
    if (info->kind != EntryKind::File) return DeleteOutcome::NotAFile;
    if (info->attributes & attribute::kReadOnly) return DeleteOutcome::ReadOnly;
    // Removing by name in the opened folder: should the entry have been swapped
    // for a link meanwhile, the link goes, never what it points to.
    return parent->folder.RemoveEntry(stored->c_str()) ? DeleteOutcome::Deleted
                                                       : DeleteOutcome::Failed;
}

bool FileSystem::SetCurrentFolder(std::string_view drivePath) const {
    return OpenFolder(drivePath).MakeCurrent();
}

std::optional<std::string> FileSystem::CurrentFolder() const {
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return std::nullopt;
        buffer.resize(buffer.size() * 2);
    }
    return drives_.ToDriveForm(buffer.data());
}

std::optional<std::string> FileSystem::NativePath(std::string_view drivePath) const {
    auto parts = SplitDrivePath(drivePath);
    if (!parts) return std::nullopt;
    const Drive* drive = drives_.Find(parts->letter);
    if (!drive) return std::nullopt;

    std::string native = drive->root;
    Folder folder = Folder::OpenNative(drive->root);
    for (std::string_view name : parts->names) {
        // Below the first name that does not exist, names are kept as written.
        std::optional<std::string> stored;
        if (folder) stored = ResolveName(folder, name);
        const std::string& part = stored ? *stored : std::string(name);
        if (native.back() != '/') native.push_back('/');
        native += part;
        folder = stored ? folder.OpenSubfolder(stored->c_str(), Folder::Links::Follow) : Folder();
    }
    return native;
}

}  // namespace vellomar
