#include "platform/FileSystem.h"

#include <unistd.h>

#include <string>
#include <vector>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"

namespace vellomar {
namespace {

// The stored name for a name as written: itself when it exists, else, in any
// letter case, the one entry that differs only in letter case. Two such
// entries make it ambiguous, and an ambiguous name resolves to nothing rather
// than to a guess.
std::optional<std::string> ResolveName(const Folder& folder, std::string_view name,
                                       NameMatch match) {
    std::string exact(name);
    if (folder.LookUp(exact.c_str())) return exact;
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
        folder = folder.OpenSubfolder(stored->c_str(), links);
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
    return parent->folder.OpenSubfolder(stored->c_str(), Folder::Links::Follow);
}

std::optional<FoundEntry> FileSystem::Find(std::string_view drivePath, NameMatch match) const {
    auto parent = OpenParent(drivePath, match, Folder::Links::Follow);
    if (!parent || parent->name.empty()) return std::nullopt;
    auto stored = ResolveName(parent->folder, parent->name, match);
    if (!stored) return std::nullopt;
    auto info = parent->folder.LookUp(stored->c_str());
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
    auto parent = OpenParent(drivePath, NameMatch::AnyCase, Folder::Links::Follow);
    if (!parent || parent->name.empty() ||
        ResolveName(parent->folder, parent->name, NameMatch::AnyCase))
        return false;
    return parent->folder.CreateSubfolder(parent->name.c_str());
}

RemovedFile FileSystem::DeleteFile(std::string_view drivePath) const {
    auto parent = OpenParent(drivePath, NameMatch::Exact, Folder::Links::Refuse);
    if (!parent || parent->name.empty()) return {FileOutcome::NotFound};
    return parent->folder.RemoveFile(parent->name.c_str());
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

bool FileSystem::SetCurrentFolder(std::string_view drivePath) const {
    return OpenFolder(drivePath, NameMatch::AnyCase).MakeCurrent();
}

std::optional<std::string> FileSystem::CurrentFolder() const {
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return std::nullopt;
        buffer.resize(buffer.size() * 2);
    }
    return drives_.ToDriveForm(buffer.data());
}

std::optional<std::vector<std::string>> FileSystem::StoredNames(std::string_view drivePath,
                                                                NameMatch match) const {
    auto parts = SplitDrivePath(drivePath);
    if (!parts || !drives_.Find(parts->letter)) return std::nullopt;

    std::vector<std::string> names;
    Folder folder = Folder::OpenNative(drives_.Find(parts->letter)->root);
    for (std::string_view name : parts->names) {
        // Below the first name that does not exist, names are kept as written.
        std::optional<std::string> stored;
        if (folder) stored = ResolveName(folder, name, match);
        names.push_back(stored ? *stored : std::string(name));
        folder = stored ? folder.OpenSubfolder(stored->c_str(), Folder::Links::Follow) : Folder();
    }
    return names;
}

std::optional<std::string> FileSystem::NativePath(std::string_view drivePath,
                                                  NameMatch match) const {
    auto names = StoredNames(drivePath, match);
    if (!names) return std::nullopt;
    std::string native = drives_.Find(SplitDrivePath(drivePath)->letter)->root;
    for (const std::string& name : *names) {
        if (native.back() != '/') native.push_back('/');
        native += name;
    }
    return native;
}

std::optional<std::string> FileSystem::StoredPath(std::string_view drivePath,
                                                  NameMatch match) const {
    auto names = StoredNames(drivePath, match);
    if (!names) return std::nullopt;
    std::string path = DriveRootPath(SplitDrivePath(drivePath)->letter);
    for (const std::string& name : *names) path = JoinDrivePath(path, name);
    return path;
}

}  // namespace vellomar
