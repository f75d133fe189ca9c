#include "platform/FileMove.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/posix/FileDescriptor.h"
#include "platform/posix/FileErrors.h"
#include "platform/posix/TemporaryFile.h"

namespace vellomar {
namespace {

// 0, or the errno of a rename that never replaces an entry at the target.
int RenameNoReplace(int fromFd, const char* name, int toFd, const char* newName) {
    if (renameat2(fromFd, name, toFd, newName, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // File systems without the flag (network ones among them): a hard link is
    // never made over an existing entry, and the old name then goes.
    if (linkat(fromFd, name, toFd, newName, 0) != 0) return errno;
    if (unlinkat(fromFd, name, 0) != 0) {
        const int error = errno;
        unlinkat(toFd, newName, 0);
        return error;
    }
    return 0;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Unchanged(const struct stat& before, const struct stat& now) {
    return SameFile(before, now) && before.st_size == now.st_size &&
           before.st_mtim.tv_sec == now.st_mtim.tv_sec &&
           before.st_mtim.tv_nsec == now.st_mtim.tv_nsec;
}

// 0, or the errno of the first failing read or write.
int CopyContents(int in, int out) {
    constexpr std::size_t kBufferSize = 1 << 20;
    auto buffer = std::make_unique<char[]>(kBufferSize);
    for (;;) {
        const ssize_t got = read(in, buffer.get(), kBufferSize);
        if (got == 0) return 0;
        if (got < 0 && errno != EINTR) return errno;
        if (got > 0 && !WriteAll(out, {buffer.get(), static_cast<std::size_t>(got)})) return errno;
    }
}

// The copy of a file of another file system, as MoveFile describes it.
FileOutcome CopyThenRemove(int fromFd, const char* name, int toFd, const char* newName) {
    FileDescriptor in(openat(fromFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (in.Get() < 0) return errno == ELOOP ? FileOutcome::NotAFile : OutcomeOfError(errno);
    struct stat source;
    if (fstat(in.Get(), &source) != 0) return OutcomeOfError(errno);
    if (!S_ISREG(source.st_mode)) return FileOutcome::NotAFile;
    if (!(source.st_mode & S_IWUSR)) return FileOutcome::ReadOnly;
    // A file that could not be removed afterwards is not worth copying.
    if (faccessat(fromFd, ".", W_OK | X_OK, AT_EACCESS) != 0) return OutcomeOfError(errno);

    TemporaryFile copy(toFd);
    if (copy.Fd() < 0) return OutcomeOfError(copy.Error());
    if (const int error = CopyContents(in.Get(), copy.Fd())) return OutcomeOfError(error);
    // The copy keeps the file's permissions and times, as a rename would.
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    struct stat copied;
    if (fchmod(copy.Fd(), source.st_mode & 07777) != 0 || futimens(copy.Fd(), times) != 0 ||
        fsync(copy.Fd()) != 0 || fstat(copy.Fd(), &copied) != 0)
        return OutcomeOfError(errno);
    if (!copy.Close()) return OutcomeOfError(errno);
    struct stat sourceNow;
    if (fstat(in.Get(), &sourceNow) != 0 || !Unchanged(source, sourceNow) ||
        copied.st_size != source.st_size)
        return FileOutcome::Changed;

    if (const int error = RenameNoReplace(toFd, copy.Name().c_str(), toFd, newName))
        return OutcomeOfError(error);
    copy.Keep();
    fsync(toFd);  // best effort: a folder opened only to pass through cannot be synced

    // The original goes only if it is still the very file that was copied.
    // Should it have vanished meanwhile, the copy is all there is, and it stays.
    struct stat original;
    FileOutcome outcome = FileOutcome::Done;
    if (fstatat(fromFd, name, &original, AT_SYMLINK_NOFOLLOW) != 0)
        outcome = errno == ENOENT ? FileOutcome::Done : OutcomeOfError(errno);
    else if (!Unchanged(source, original))
        outcome = FileOutcome::Changed;
    else if (unlinkat(fromFd, name, 0) != 0)
        outcome = OutcomeOfError(errno);
    if (outcome == FileOutcome::Done) return outcome;
    struct stat placed;
    if (fstatat(toFd, newName, &placed, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(placed, copied))
        unlinkat(toFd, newName, 0);
    return outcome;
}

}  // namespace

FileOutcome MoveFile(const FolderHandle& from, const std::string& name, const FolderHandle& to,
                     const std::string& newName) {
    if (!from || !to || !IsPlainName(name) || !IsPlainName(newName)) return FileOutcome::NotFound;
    struct stat source;
    if (fstatat(from.fd_, name.c_str(), &source, AT_SYMLINK_NOFOLLOW) != 0)
        return OutcomeOfError(errno);
    if (!S_ISREG(source.st_mode)) return FileOutcome::NotAFile;
    if (!(source.st_mode & S_IWUSR)) return FileOutcome::ReadOnly;

    const int error = RenameNoReplace(from.fd_, name.c_str(), to.fd_, newName.c_str());
    if (error == 0) return FileOutcome::Done;
    if (error != EXDEV) return OutcomeOfError(error);
    return CopyThenRemove(from.fd_, name.c_str(), to.fd_, newName.c_str());
}

}  // namespace vellomar
