#include "platform/posix/CheckedRemoval.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/FileErrors.h"
#include "platform/posix/Renames.h"
#include "platform/posix/StatTime.h"

namespace vellomar {

FileOutcome CheckEntry(const struct stat& info, const EntryCheck& check) {
    if (!S_ISREG(info.st_mode)) return FileOutcome::NotAFile;
    if (check.writable && !(info.st_mode & S_IWUSR)) return FileOutcome::ReadOnly;
    if (check.identity && *check.identity != IdentityOf(info)) return FileOutcome::Changed;
    if (check.listed && *check.listed != ListedFile{IdentityOf(info), info.st_size, StampOf(info.st_mtim)})
        return FileOutcome::Changed;
    if (check.modifiedBefore && TimeOf(info.st_mtim) >= *check.modifiedBefore) return FileOutcome::Changed;
    return FileOutcome::Done;
}

RemovedFile RemoveCheckedAt(int folderFd, const char* name,
                            const std::function<FileOutcome(const struct stat&)>& accept) {
    // A first look, not trusted, leaves what is refused already untouched.
    struct stat before;
    if (fstatat(folderFd, name, &before, AT_SYMLINK_NOFOLLOW) != 0) return {OutcomeOfError(errno)};
    if (const FileOutcome refusal = accept(before); refusal != FileOutcome::Done) return {refusal};

    const std::string aside = FreshName(kAsidePrefix);
    if (const int error = RenameToFreshName(folderFd, name, folderFd, aside.c_str()))
        return {OutcomeOfError(error)};
    struct stat info;
    FileOutcome outcome = fstatat(folderFd, aside.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0
                              ? accept(info)
                              : OutcomeOfError(errno);
    if (outcome == FileOutcome::Done) {
        if (unlinkat(folderFd, aside.c_str(), 0) == 0)
            return {FileOutcome::Done, static_cast<std::int64_t>(info.st_size)};
        outcome = OutcomeOfError(errno);
    }
    const int error = RenameNoReplace(folderFd, aside.c_str(), folderFd, name);
    if (error != 0 && error != ENOENT) return {FileOutcome::NotPutBack};
    return {outcome};
}

}  // namespace vellomar
