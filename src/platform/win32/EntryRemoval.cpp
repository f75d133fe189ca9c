#include "platform/win32/EntryRemoval.h"

#include <winternl.h>

#include "platform/win32/EntryHandle.h"

namespace vellomar {
namespace {

// Sets the open entry (opened with DELETE access) to be removed with POSIX
// semantics as its handle closes, read-only or not as asked: 0, or the status.
LONG MarkForPosixRemoval(HANDLE entry, bool ignoreReadOnly) {
    ULONG flags = FILE_DISPOSITION_FLAG_DELETE | FILE_DISPOSITION_FLAG_POSIX_SEMANTICS;
    if (ignoreReadOnly) flags |= FILE_DISPOSITION_FLAG_IGNORE_READONLY_ATTRIBUTE;
    IO_STATUS_BLOCK io;
    return NtSetInformationFile(entry, &io, &flags, sizeof flags,
                                static_cast<FILE_INFORMATION_CLASS>(64));  // FileDispositionInformationEx
}

// Whether a handle other than this one (opened with no more than DELETE and
// attribute access) holds its file open to read or write it.
bool HeldByAnother(HANDLE entry) {
    // Reading while sharing nothing but removal is refused exactly then.
    const HANDLE reading = ReOpenFile(entry, FILE_READ_DATA, FILE_SHARE_DELETE, 0);
    if (reading != INVALID_HANDLE_VALUE) CloseHandle(reading);
    return reading == INVALID_HANDLE_VALUE && OutcomeOfError(GetLastError()) == FileOutcome::InUse;
}

}  // namespace

RemovalMark MarkForRemoval(HANDLE entry, bool ignoreReadOnly, bool leaveWhenHeld) {
    const LONG status = MarkForPosixRemoval(entry, ignoreReadOnly);
    if (status == 0) return {FileOutcome::Done};
    if (!RefusesPosixRemoval(status)) return {OutcomeOfStatus(status)};
    if (leaveWhenHeld && HeldByAnother(entry)) return {FileOutcome::InUse};
    if (!MarkForDeletion(entry)) return {OutcomeOfError(GetLastError())};
    return {FileOutcome::Done, true};
}

FileOutcome NameLeft(HANDLE folder, std::string_view name, const EntryIdentity& removed) {
    const OpenedEntry standing = OpenEntry(folder, name, {FILE_READ_ATTRIBUTES});
    if (!standing)
        return standing.failure == FileOutcome::NotFound ? FileOutcome::Done : standing.failure;
    // A new entry made under the name since is another file.
    const auto info = InfoOf(standing.handle.Get());
    return info && info->identity == removed ? FileOutcome::InUse : FileOutcome::Done;
}

}  // namespace vellomar
