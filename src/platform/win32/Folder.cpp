#include "platform/Folder.h"

#include "platform/FileMove.h"
#include "platform/FreshName.h"
#include "platform/OpenedFile.h"
#include "platform/win32/EntryHandle.h"
#include "platform/win32/EntryRemoval.h"
#include "platform/win32/PrivateFolder.h"
#include "platform/win32/VolumeOwners.h"

namespace vellomar {
namespace {

constexpr ACCESS_MASK kFolderAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES |
                                      READ_CONTROL;
constexpr ULONG kFileCreate = 2, kFileOpenIf = 3;  // dispositions

unsigned AttributesOf(const HeldInfo& info) {
    unsigned attributes = 0;
    if (info.attributes & FILE_ATTRIBUTE_READONLY) attributes |= attribute::kReadOnly;
    if (info.attributes & FILE_ATTRIBUTE_HIDDEN) attributes |= attribute::kHidden;
    if (info.attributes & FILE_ATTRIBUTE_ARCHIVE) attributes |= attribute::kArchive;
    switch (info.Kind()) {
        case EntryKind::Folder: attributes |= attribute::kDirectory; break;
        case EntryKind::Other: attributes |= attribute::kSystem; break;
        case EntryKind::File:
            if (info.attributes & FILE_ATTRIBUTE_SYSTEM) attributes |= attribute::kSystem;
            break;
    }
    return attributes;
}

std::optional<HeldInfo> InfoAt(HANDLE folder, std::string_view name) {
    const OpenedEntry entry = OpenEntry(folder, name, {FILE_READ_ATTRIBUTES});
    return entry ? InfoOf(entry.handle.Get()) : std::nullopt;
}

// Opens, or makes, a folder: one of a mode for its owner alone gets an access
// list of this user's alone as it is made; any other takes its parent's.
OpenedEntry OpenFolderEntry(HANDLE parent, std::string_view name, OpenRequest request,
                            unsigned mode) {
    if (request.disposition == 1 || !IsOwnerOnlyMode(mode)) return OpenEntry(parent, name, request);
    OwnerOnlySecurity security;
    request.security = security.Get();
    if (!request.security) return {OwnedHandle(), FileOutcome::Failed};
    return OpenEntry(parent, name, request);
}

}  // namespace

Folder Folder::OpenNative(const std::string& nativePath) {
    OwnedHandle handle(CreateFileW(SystemPath(nativePath).c_str(), kFolderAccess | SYNCHRONIZE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return Folder(kNoHandle, OutcomeOfError(GetLastError()));
    const auto info = InfoOf(handle.Get());
    if (!info || !(info->attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Folder(kNoHandle, FileOutcome::NotFound);
    return Folder(handle.Release(), FileOutcome::Done);
}

Folder Folder::OpenSubfolder(std::string_view name, Links links, Missing missing,
                             unsigned mode) const {
    if (handle_ == kNoHandle) return Folder(kNoHandle, FileOutcome::NotFound);
    OpenRequest request{kFolderAccess, FILE_DIRECTORY_FILE,
                        missing == Missing::Create ? kFileOpenIf : 1,
                        links == Links::Follow ? Reparse::Follow : Reparse::Open};
    OpenedEntry entry = OpenFolderEntry(handle_, name, request, mode);
    if (!entry) {
        // A symbolic link to a file met as "not a folder" is told as what it is.
        const auto info = InfoAt(handle_, name);
        return Folder(kNoHandle, info && info->IsLink() ? FileOutcome::LinkInPath : entry.failure);
    }
    // A junction or a link to a folder opens as itself: refused here, never entered.
    const auto info = InfoOf(entry.handle.Get());
    if (!info) return Folder(kNoHandle, FileOutcome::Failed);
    if (info->IsLink() && links == Links::Refuse) return Folder(kNoHandle, FileOutcome::LinkInPath);
    if (info->IsLink() && links == Links::FollowOwn) {
        // Any user may make a junction in a folder he may write: only the
        // user's own and the system's are followed. Windows opens no link's
        // target through the link's own handle, so the name is opened again.
        if (!OwnedByThisUserOrSystem(entry.handle.Get(), true))
            return Folder(kNoHandle, FileOutcome::LinkInPath);
        request.reparse = Reparse::Follow;
        OpenedEntry followed = OpenEntry(handle_, name, request);
        if (!followed) return Folder(kNoHandle, followed.failure);
        return Folder(followed.handle.Release(), FileOutcome::Done);
    }
    return Folder(entry.handle.Release(), FileOutcome::Done);
}

std::optional<MountIdentity> Folder::Mount() const {
    const auto identity = Identity();
    if (!identity) return std::nullopt;
    return MountIdentity{identity->device, 0};
}

std::optional<EntryIdentity> Folder::Identity() const {
    if (handle_ == kNoHandle) return std::nullopt;
    const auto info = InfoOf(handle_);
    if (!info) return std::nullopt;
    return info->identity;
}

bool Folder::OwnedByThisUser() const {
    const auto flags = handle_ != kNoHandle ? FileSystemFlagsOf(handle_) : std::nullopt;
    return flags && PassesAsOwn(*flags, OwnedByThisUserOrSystem(handle_, false));
}

bool Folder::MakeCurrent() const {
    const auto path = handle_ != kNoHandle ? PathOf(handle_) : std::nullopt;
    return path && SetCurrentDirectoryW(path->c_str());
}

std::optional<std::string> Folder::CurrentNativePath() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring path(size, L'\0');
    const DWORD written = GetCurrentDirectoryW(size, path.data());
    if (written == 0 || written >= size) return std::nullopt;
    path.resize(written);
    return NativePathOf(path);
}

std::optional<EntryInfo> Folder::LookUp(std::string_view name) const {
    const auto info = handle_ != kNoHandle ? InfoAt(handle_, name) : std::nullopt;
    if (!info) return std::nullopt;
    return EntryInfo{info->Kind(), AttributesOf(*info), info->size, info->modified,
                     info->identity};
}

std::optional<std::string> Folder::StoredName(std::string_view name) const {
    if (handle_ == kNoHandle) return std::nullopt;
    const OpenedEntry entry = OpenEntry(handle_, name, {FILE_READ_ATTRIBUTES});
    if (!entry) return std::nullopt;
    // The entry's own path, as the file system stores it, ends in its name.
    const auto path = PathOf(entry.handle.Get());
    if (!path) return std::nullopt;
    return Narrowed(std::wstring_view(*path).substr(path->rfind(L'\\') + 1));
}

std::optional<Folder::EntryStatus> Folder::Status(std::string_view name) const {
    const auto info = handle_ != kNoHandle ? InfoAt(handle_, name) : std::nullopt;
    if (!info) return std::nullopt;
    return EntryStatus{info->Kind(), !(info->attributes & FILE_ATTRIBUTE_READONLY), info->size,
                       info->identity, info->changed};
}

bool Folder::IsStillNamed(const Folder& parent, std::string_view name) const {
    const auto self = Identity();
    const auto named = parent.handle_ != kNoHandle ? InfoAt(parent.handle_, name) : std::nullopt;
    return self && named && named->Kind() == EntryKind::Folder && named->identity == *self;
}

OpenedFile Folder::OpenFile(std::string_view name) const {
    if (handle_ == kNoHandle) return OpenedFile();
    const OpenRequest request{GENERIC_READ, FILE_NON_DIRECTORY_FILE};
    OpenedEntry entry = OpenEntry(handle_, name, request);
    const auto info = entry ? InfoOf(entry.handle.Get()) : std::nullopt;
    if (!info || info->Kind() != EntryKind::File) return OpenedFile();
    const auto size = static_cast<std::uint64_t>(info->size);
    if (info->attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        OpenedEntry contents = OpenContents(handle_, name, *info, request);
        return contents ? OpenedFile(contents.handle.Release(), size) : OpenedFile();
    }
    return OpenedFile(entry.handle.Release(), size);
}

std::optional<std::string> Folder::ReadSmallFile(std::string_view name, std::size_t limit) const {
    const OpenedFile file = OpenFile(name);
    if (!file || file.Size() > limit) return std::nullopt;
    return file.Read(0, static_cast<std::size_t>(file.Size()));
}

FileOutcome Folder::ReplaceFile(std::string_view name, std::string_view text) const {
    if (handle_ == kNoHandle || !IsPlainName(name)) return FileOutcome::NotFound;
    const std::string temporary = FreshName(kPartialCopyPrefix);
    OpenedEntry written = OpenEntry(handle_, temporary,
                                    {GENERIC_WRITE | DELETE, FILE_NON_DIRECTORY_FILE, kFileCreate});
    if (!written) return written.failure;
    DWORD count = 0;
    const bool whole = WriteFile(written.handle.Get(), text.data(), static_cast<DWORD>(text.size()),
                                 &count, nullptr) &&
                       count == text.size() && FlushFileBuffers(written.handle.Get());
    // The name is replaced by the rename, whatever stood there: a link is
    // replaced as an entry, never written through.
    const LONG status = whole ? RenameEntry(written.handle.Get(), handle_, name, true) : -1;
    if (status == 0) return FileOutcome::Done;
    MarkForDeletion(written.handle.Get());
    return whole ? OutcomeOfStatus(status) : OutcomeOfError(GetLastError());
}

FileOutcome Folder::AppendToFile(std::string_view name, std::string_view text) const {
    if (handle_ == kNoHandle || !IsPlainName(name)) return FileOutcome::NotFound;
    // Append access alone writes at the end of the file, one write at a time;
    // a reparse point is opened as itself and refused. The folder's own
    // access rules keep the file the user's.
    const OpenedEntry file = OpenEntry(handle_, name,
                                       {FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                        FILE_NON_DIRECTORY_FILE, kFileOpenIf});
    if (!file) return file.failure;
    const auto info = InfoOf(file.handle.Get());
    if (!info || (info->attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return FileOutcome::NotAFile;
    DWORD count = 0;
    if (!WriteFile(file.handle.Get(), text.data(), static_cast<DWORD>(text.size()), &count, nullptr))
        return OutcomeOfError(GetLastError());
    return count == text.size() ? FileOutcome::Done : FileOutcome::NoRoom;
}

RemovedFile Folder::RemoveFile(std::string_view name, const EntryCheck& check) const {
    if (handle_ == kNoHandle) return {FileOutcome::NotFound};
    // What is removed is the entry this handle holds: a link is opened as
    // itself and refused, never followed.
    OpenedEntry entry = OpenEntry(handle_, name, {DELETE | FILE_READ_ATTRIBUTES});
    if (!entry) return {entry.failure};
    const auto info = InfoOf(entry.handle.Get());
    if (!info) return {FileOutcome::Failed};
    if (const FileOutcome refusal = CheckEntry(*info, check); refusal != FileOutcome::Done)
        return {refusal};
    // A file the check lets through read-only is one the caller means to
    // remove as it is. The old way of removal leaves a file another program
    // holds open standing, marked, until that program closes it: such a
    // file is left alone.
    const RemovalMark marked = MarkForRemoval(entry.handle.Get(), !check.writable, true);
    if (marked.outcome != FileOutcome::Done) return {marked.outcome};
    CloseHandle(entry.handle.Release());  // the file goes as its handle closes
    // Only the old way can leave the name behind, for another holder to close.
    if (marked.nameMayStay)
        if (const FileOutcome left = NameLeft(handle_, name, info->identity); left != FileOutcome::Done)
            return {left};
    return {FileOutcome::Done, info->size};
}

FileOutcome Folder::PutAsideBack(std::string_view /*asideName*/) const {
    // Windows removes the file this handle holds: nothing is ever put aside
    // here, so an entry of such a name is no removal's and stays as it is.
    return FileOutcome::NotFound;
}

bool Folder::CreateSubfolder(std::string_view name, unsigned mode) const {
    return handle_ != kNoHandle &&
           OpenFolderEntry(handle_, name, {FILE_READ_ATTRIBUTES, FILE_DIRECTORY_FILE, kFileCreate},
                           mode);
}

bool Folder::RemoveEmptySubfolder(std::string_view name) const {
    if (handle_ == kNoHandle) return false;
    const OpenedEntry entry =
        OpenEntry(handle_, name, {DELETE | FILE_READ_ATTRIBUTES, FILE_DIRECTORY_FILE});
    const auto info = entry ? InfoOf(entry.handle.Get()) : std::nullopt;
    return info && info->Kind() == EntryKind::Folder && MarkForDeletion(entry.handle.Get());
}

}  // namespace vellomar
