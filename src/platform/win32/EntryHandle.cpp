#include "platform/win32/EntryHandle.h"

#include <aclapi.h>
#include <winternl.h>

#include <vector>

#include "platform/win32/ProcessUser.h"

namespace vellomar {
namespace {

constexpr ULONG kSynchronousIo = 0x20;  // FILE_SYNCHRONOUS_IO_NONALERT
constexpr ULONG kBackupIntent = 0x4000;  // FILE_OPEN_FOR_BACKUP_INTENT: folders as the walks need them
constexpr ULONG kCaseInsensitive = 0x40;  // OBJ_CASE_INSENSITIVE, as the system's own opens ask

FileTime TimeOf(std::int64_t ticksSince1601) {
    // From 1601 in tenths of microseconds to 1970 in seconds, floored: a
    // file's ticks reach the year 30828, far beyond the clock's nanoseconds.
    constexpr std::int64_t kTicksPerSecond = 10000000;
    constexpr std::int64_t kUnixEpochSeconds = 11644473600;
    std::int64_t seconds = ticksSince1601 / kTicksPerSecond;
    std::int64_t ticks = ticksSince1601 % kTicksPerSecond;
    if (ticks < 0) {
        --seconds;
        ticks += kTicksPerSecond;
    }
    return {seconds - kUnixEpochSeconds, static_cast<std::int32_t>(ticks * 100)};
}

std::int64_t TicksOf(const FILETIME& time) {
    return static_cast<std::int64_t>((std::uint64_t(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

}  // namespace

OpenedEntry OpenEntry(HANDLE folder, std::string_view name, const OpenRequest& request) {
    if (!IsPlainName(name) || name.find('\\') != std::string_view::npos)
        return {OwnedHandle(), FileOutcome::NotFound};
    std::wstring wide = Widened(name);
    UNICODE_STRING objectName{static_cast<USHORT>(wide.size() * sizeof(wchar_t)),
                              static_cast<USHORT>(wide.size() * sizeof(wchar_t)), wide.data()};
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &objectName, kCaseInsensitive, folder, request.security);
    IO_STATUS_BLOCK io;
    HANDLE handle = nullptr;
    const ULONG options = request.options | kSynchronousIo | kBackupIntent |
                          (request.reparse == Reparse::Open ? FILE_OPEN_REPARSE_POINT : 0);
    const NTSTATUS status =
        NtCreateFile(&handle, request.access | SYNCHRONIZE, &attributes, &io, nullptr,
                     FILE_ATTRIBUTE_NORMAL, request.share, request.disposition, options, nullptr, 0);
    if (status < 0) return {OwnedHandle(), OutcomeOfStatus(status)};
    return {OwnedHandle(handle), FileOutcome::Done};
}

OpenedEntry OpenContents(HANDLE folder, std::string_view name, const HeldInfo& seen,
                         OpenRequest request) {
    request.reparse = Reparse::Follow;
    OpenedEntry followed = OpenEntry(folder, name, request);
    if (!followed) return {OwnedHandle(), followed.failure};
    const auto now = InfoOf(followed.handle.Get());
    if (!now || now->Kind() != EntryKind::File || now->identity != seen.identity)
        return {OwnedHandle(), FileOutcome::Changed};
    return {OwnedHandle(followed.handle.Release()), FileOutcome::Done};
}

bool IsNameSurrogate(DWORD attributes, DWORD reparseTag) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(reparseTag);
}

EntryKind KindOf(DWORD attributes, DWORD reparseTag) {
    if (IsNameSurrogate(attributes, reparseTag)) return EntryKind::Other;
    // Sockets (tag 0x80000023), and the fifos and character and block devices
    // a Linux subsystem makes (0x80000024 to 26), are system entries as they
    // are on POSIX systems.
    constexpr DWORD kSocketTag = 0x80000023, kBlockDeviceTag = 0x80000026;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) && reparseTag >= kSocketTag &&
        reparseTag <= kBlockDeviceTag)
        return EntryKind::Other;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Other;
    return EntryKind::File;
}

std::optional<HeldInfo> InfoOf(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info;
    FILE_BASIC_INFO basic;
    if (!GetFileInformationByHandle(handle, &info) ||
        !GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic))
        return std::nullopt;
    HeldInfo held{info.dwFileAttributes,
                  (std::int64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow,
                  {info.dwVolumeSerialNumber,
                   (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow},
                  TimeOf(TicksOf(info.ftLastWriteTime)),
                  TimeOf(basic.ChangeTime.QuadPart).ClockTime()};
    if (held.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A reparse point whose tag cannot be read is no entry to act on.
        FILE_ATTRIBUTE_TAG_INFO tag;
        if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag))
            return std::nullopt;
        held.reparseTag = tag.ReparseTag;
    }
    if (held.Kind() != EntryKind::File) held.size = 0;  // as a folder's listing reports them
    return held;
}

FileOutcome CheckEntry(const HeldInfo& info, const EntryCheck& check) {
    if (info.Kind() != EntryKind::File) return FileOutcome::NotAFile;
    if (check.writable && (info.attributes & FILE_ATTRIBUTE_READONLY)) return FileOutcome::ReadOnly;
    if (check.identity && *check.identity != info.identity) return FileOutcome::Changed;
    if (check.listed && *check.listed != ListedFile{info.identity, info.size, info.modified})
        return FileOutcome::Changed;
    if (check.modifiedBefore && info.modified >= *check.modifiedBefore) return FileOutcome::Changed;
    return FileOutcome::Done;
}

FileOutcome OutcomeOfStatus(LONG status) {
    switch (static_cast<ULONG>(status)) {
        case 0xC0000034:  // STATUS_OBJECT_NAME_NOT_FOUND
        case 0xC000003A:  // STATUS_OBJECT_PATH_NOT_FOUND
        case 0xC0000033:  // STATUS_OBJECT_NAME_INVALID
        case 0xC0000103:  // STATUS_NOT_A_DIRECTORY
            return FileOutcome::NotFound;
        case 0xC00000BA:  // STATUS_FILE_IS_A_DIRECTORY
            return FileOutcome::NotAFile;
        case 0xC0000035:  // STATUS_OBJECT_NAME_COLLISION
        case 0xC0000101:  // STATUS_DIRECTORY_NOT_EMPTY
            return FileOutcome::TargetExists;
        case 0xC000007F:  // STATUS_DISK_FULL
            return FileOutcome::NoRoom;
        case 0xC0000022:  // STATUS_ACCESS_DENIED
        case 0xC0000121:  // STATUS_CANNOT_DELETE
        case 0xC00000A2:  // STATUS_MEDIA_WRITE_PROTECTED
            return FileOutcome::NotPermitted;
        case 0xC0000043:  // STATUS_SHARING_VIOLATION
        case 0xC0000056:  // STATUS_DELETE_PENDING: gone once its last holder closes it
            return FileOutcome::InUse;
        default: return FileOutcome::Failed;
    }
}

FileOutcome OutcomeOfError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME: return FileOutcome::NotFound;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
        case ERROR_DIR_NOT_EMPTY: return FileOutcome::TargetExists;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return FileOutcome::NoRoom;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT: return FileOutcome::NotPermitted;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return FileOutcome::InUse;
        default: return FileOutcome::Failed;
    }
}

bool MarkForDeletion(HANDLE handle) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                      sizeof disposition);
}

LONG RenameEntry(HANDLE entry, HANDLE toFolder, std::string_view newName, bool replace) {
    if (!IsPlainName(newName) || newName.find('\\') != std::string_view::npos)
        return static_cast<LONG>(0xC0000033);  // STATUS_OBJECT_NAME_INVALID
    // The new name is taken relative to the target folder's handle, which the
    // system's own rename call leaves to the kernel's form of it.
    const std::wstring wide = Widened(newName);
    const std::size_t bytes = sizeof(FILE_RENAME_INFORMATION) + wide.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(bytes, 0);
    auto* rename = reinterpret_cast<FILE_RENAME_INFORMATION*>(buffer.data());
    rename->ReplaceIfExists = replace;
    rename->RootDirectory = toFolder;
    rename->FileNameLength = static_cast<ULONG>(wide.size() * sizeof(wchar_t));
    std::copy(wide.begin(), wide.end(), rename->FileName);
    IO_STATUS_BLOCK io;
    return NtSetInformationFile(entry, &io, rename, static_cast<ULONG>(bytes),
                                static_cast<FILE_INFORMATION_CLASS>(10));  // FileRenameInformation
}

// An open entry's own path, for the calls that take nothing but a path.
std::optional<std::wstring> PathOf(HANDLE entry) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = GetFinalPathNameByHandleW(entry, path.data(),
                                                     static_cast<DWORD>(path.size()), 0);
        if (size == 0) return std::nullopt;
        if (size < path.size()) {
            path.resize(size);
            return path;
        }
        path.resize(size);
    }
}

// Whether the entry's owner is this process's user or, when the system counts,
// the system's own accounts (LocalSystem, the Administrators group), which
// stand here where root does on POSIX systems.
bool OwnedByThisUserOrSystem(HANDLE entry, bool systemCounts) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(entry, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    bool owned = systemCounts && (IsWellKnownSid(owner, WinLocalSystemSid) ||
                                  IsWellKnownSid(owner, WinBuiltinAdministratorsSid));
    if (!owned) {
        const ProcessUser user;
        owned = user.Sid() && EqualSid(owner, user.Sid());
    }
    LocalFree(descriptor);
    return owned;
}

}  // namespace vellomar
