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

}  // namespace

FileOutcome MarkForRemoval(HANDLE entry, bool ignoreReadOnly,
                           const std::function<bool()>& heldByAnother) {
    const LONG status = MarkForPosixRemoval(entry, ignoreReadOnly);
    if (status == 0) return FileOutcome::Done;
    if (!RefusesPosixRemoval(status)) return OutcomeOfStatus(status);
    if (heldByAnother && heldByAnother()) return FileOutcome::InUse;
    return MarkForDeletion(entry) ? FileOutcome::Done : OutcomeOfError(GetLastError());
}

bool HeldByAnother(HANDLE folder, std::string_view name) {
    // Reading the file while sharing nothing but its removal is refused when
    // any other handle on it reads or writes; the remover's own handle holds
    // no more than DELETE and attribute access, which this does not meet.
    OpenRequest request{FILE_READ_DATA, FILE_NON_DIRECTORY_FILE};
    request.share = FILE_SHARE_DELETE;
    return OpenEntry(folder, name, request).failure == FileOutcome::InUse;
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
