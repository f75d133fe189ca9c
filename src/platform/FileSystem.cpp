#include "platform/FileSystem.h"

#include <string>
#include <vector>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "platform/FolderTrail.h"

namespace vellomar {
namespace {

// The stored name for a name as written: the entry it reaches itself, else,
// in any letter case, the one entry that differs only in letter case. Two such
// entries make it ambiguous, and an ambiguous name resolves to nothing rather
// than to a guess.
std::optional<std::string> ResolveName(const Folder& folder, std::string_view name,
                                       NameMatch match) {
    if (auto stored = folder.StoredName(name)) return stored;
    if (match == NameMatch::Exact) return std::nullopt;

    std::optional<std::string> found;
    FolderListing listing(folder);
    while (auto entry = listing.Next()) {
        if (!EqualsIgnoringAsciiCase(entry->name, name)) continue;
        if (found) return std::nullopt;
        found = entry->name;
    }
    return found;
}

// The native path of names below a drive's root folder.
template <typename Names>
std::string BelowRoot(const Drive& drive, const Names& names) {
    std::string native = drive.root;
    for (const auto& name : names) {
        if (native.back() != '/') native.push_back('/');
        native += name;
    }
    return native;
}

}  // namespace

std::optional<FileSystem::Parent> FileSystem::OpenParent(std::string_view drivePath,
                                                         NameMatch match,
                                                         Folder::Links links) const {
    auto parts = SplitDrivePath(drivePath);
    if (!parts) return std::nullopt;
    const Drive* drive = drives_.Find(parts->letter);
    if (!drive) return std::nullopt;

    Folder folder = Folder::OpenNative(drive->root);
    if (parts->names.empty()) return Parent{std::move(folder), std::string()};
    for (std::size_t i = 0; i + 1 < parts->names.size() && folder; ++i) {
        auto stored = ResolveName(folder, parts->names[i], match);
        if (!stored) return std::nullopt;
        folder = folder.OpenSubfolder(*stored, links);
    }
    if (!folder) return std::nullopt;
    return Parent{std::move(folder), std::string(parts->names.back())};
}

Folder FileSystem::OpenFolder(std::string_view drivePath, NameMatch match) const {
    auto parent = OpenParent(drivePath, match, Folder::Links::Follow);
    if (!parent) return Folder();
    if (parent->name.empty()) return std::move(parent->folder);
    auto stored = ResolveName(parent->folder, parent->name, match);
    if (!stored) return Folder();
    return parent->folder.OpenSubfolder(*stored, Folder::Links::Follow);
}

Folder FileSystem::EnterFolder(std::string_view drivePath, NameMatch match, Folder::Links links,
                               Folder::Missing missing) const {
    auto parts = SplitDrivePath(drivePath);
    const Drive* drive = parts ? drives_.Find(parts->letter) : nullptr;
    if (!drive) return Folder();
    // Each name as the file system stores it, matched as asked, or as written
    // when there is none yet to make.
    Folder folder = Folder::OpenNative(drive->root);
    for (std::size_t i = 0; i < parts->names.size() && folder; ++i) {
        const std::optional<std::string> stored = ResolveName(folder, parts->names[i], match);
        folder = folder.OpenSubfolder(stored ? *stored : parts->names[i], links, missing);
    }
    return folder;
}

std::optional<FoundEntry> FileSystem::Find(std::string_view drivePath, NameMatch match) const {
    auto parent = OpenParent(drivePath, match, Folder::Links::Follow);
    if (!parent || parent->name.empty()) return std::nullopt;
    auto stored = ResolveName(parent->folder, parent->name, match);
    if (!stored) return std::nullopt;
    auto info = parent->folder.LookUp(*stored);
    if (!info) return std::nullopt;
    return FoundEntry{std::move(*stored), *info};
}

bool FileSystem::FileExists(std::string_view drivePath, NameMatch match) const {
    auto found = Find(drivePath, match);
    return found && found->info.kind != EntryKind::Folder;
}

bool FileSystem::FolderExists(std::string_view drivePath, NameMatch match) const {
    return static_cast<bool>(OpenFolder(drivePath, match));
}

bool FileSystem::CreateFolder(std::string_view drivePath) const {
    auto parent = OpenParent(drivePath, NameMatch::AnyCase, Folder::Links::FollowOwn);
    if (!parent || parent->name.empty() ||
        ResolveName(parent->folder, parent->name, NameMatch::AnyCase))
        return false;
    return parent->folder.CreateSubfolder(parent->name);
}

RemovedFile FileSystem::DeleteFile(std::string_view drivePath, const EntryCheck& check) const {
    return Trail().DeleteFile(drivePath, check);
}

std::optional<DriveIdentity> FileSystem::IdentifyDrive(char letter) const {
    const Drive* drive = drives_.Find(letter);
    std::optional<std::string> fileSystem = drive ? FileSystemOf(drive->root) : std::nullopt;
    if (!fileSystem) return std::nullopt;
    return DriveIdentity{drive->root, std::move(*fileSystem)};
}

std::optional<char> FileSystem::LetterOfDrive(const DriveIdentity& identity) const {
    for (const Drive& drive : drives_.Drives())
        if (drive.root == identity.mountPoint && FileSystemOf(drive.root) == identity.fileSystem)
            return drive.letter;
    return std::nullopt;
}

std::optional<std::string> FileSystem::DrivePathOfDrive(const DriveIdentity& identity) const {
    std::optional<std::string> path = drives_.ToDriveForm(identity.mountPoint);
    if (!path || FileSystemOf(identity.mountPoint) != identity.fileSystem) return std::nullopt;
    return path;
}

bool FileSystem::SetCurrentFolder(std::string_view drivePath) const {
    return OpenFolder(drivePath, NameMatch::AnyCase).MakeCurrent();
}

std::optional<std::string> FileSystem::CurrentFolder() const {
    const std::optional<std::string> current = Folder::CurrentNativePath();
    return current ? drives_.ToDriveForm(*current) : std::nullopt;
}

std::optional<FileSystem::StoredNames> FileSystem::ResolveNames(std::string_view drivePath,
                                                                NameMatch match) const {
    auto parts = SplitDrivePath(drivePath);
    const Drive* drive = parts ? drives_.Find(parts->letter) : nullptr;
    if (!drive) return std::nullopt;

    StoredNames stored{drive, {}, Folder::OpenNative(drive->root)};
    for (std::string_view name : parts->names) {
        // Below the first name that does not exist, names are kept as written.
        std::optional<std::string> found;
        if (stored.folder) found = ResolveName(stored.folder, name, match);
        stored.names.push_back(found ? *found : std::string(name));
        stored.folder =
            found ? stored.folder.OpenSubfolder(*found, Folder::Links::Follow) : Folder();
    }
    return stored;
}

std::optional<std::string> FileSystem::NativePath(std::string_view drivePath,
                                                  NameMatch match) const {
    auto stored = ResolveNames(drivePath, match);
    if (!stored) return std::nullopt;
    return BelowRoot(*stored->drive, stored->names);
}

std::optional<std::string> FileSystem::JoinedNativePath(std::string_view drivePath) const {
    auto parts = SplitDrivePath(drivePath);
    const Drive* drive = parts ? drives_.Find(parts->letter) : nullptr;
    if (!drive) return std::nullopt;
    return BelowRoot(*drive, parts->names);
}

SystemPlace FileSystem::SystemPlaceOf(std::string_view folderPath) const {
    const std::optional<std::string> native = JoinedNativePath(folderPath);
    return native ? systemFiles_.PlaceOf(*native) : SystemPlace();
}

bool FileSystem::OwnedBySystem(std::string_view drivePath) const {
    const std::string_view name = LastName(drivePath);
    if (name.size() == drivePath.size()) return false;  // a drive root is no entry
    return SystemPlaceOf(drivePath.substr(0, drivePath.size() - name.size() - 1)).Owns(name);
}

WrittenFolder FileSystem::OpenWrittenFolder(std::string_view drivePath) const {
    auto stored = ResolveNames(drivePath, NameMatch::AnyCase);
    if (!stored) return {};
    std::string path = DriveRootPath(stored->drive->letter);
    for (const std::string& name : stored->names) path = JoinDrivePath(path, name);
    return {std::move(stored->folder), std::move(path)};
}

}  // namespace vellomar
