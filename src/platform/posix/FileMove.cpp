#include "platform/FileMove.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/posix/CheckedRemoval.h"
#include "platform/posix/FileDescriptor.h"
#include "platform/posix/FileErrors.h"
#include "platform/posix/Renames.h"
#include "platform/posix/TemporaryFile.h"

namespace vellomar {
namespace {

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
FileOutcome CopyThenRemove(int fromFd, const char* name, int toFd, const char* newName,
                           const EntryCheck& check) {
    FileDescriptor in(openat(fromFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (in.Get() < 0) return errno == ELOOP ? FileOutcome::NotAFile : OutcomeOfError(errno);
    struct stat source;
    if (fstat(in.Get(), &source) != 0) return OutcomeOfError(errno);
    if (const FileOutcome refusal = CheckEntry(source, check); refusal != FileOutcome::Done)
        return refusal;
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
    FileOutcome outcome = RemoveCheckedAt(fromFd, name, [&](const struct stat& original) {
                              return Unchanged(source, original) ? FileOutcome::Done
                                                                 : FileOutcome::Changed;
                          }).outcome;
    if (outcome == FileOutcome::Done || outcome == FileOutcome::NotFound) return FileOutcome::Done;
    struct stat placed;
    if (fstatat(toFd, newName, &placed, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(placed, copied))
        unlinkat(toFd, newName, 0);
    return outcome;
}

}  // namespace

FileOutcome MoveFile(const Folder& from, const std::string& name, const Folder& to,
                     const std::string& newName, const EntryCheck& check) {
    if (!from || !to || !IsPlainName(name) || !IsPlainName(newName)) return FileOutcome::NotFound;
    // A first look, not trusted, leaves what is refused already untouched.
    struct stat before;
    if (fstatat(from.handle_, name.c_str(), &before, AT_SYMLINK_NOFOLLOW) != 0)
        return OutcomeOfError(errno);
    if (const FileOutcome refusal = CheckEntry(before, check); refusal != FileOutcome::Done)
        return refusal;
    // On one file system the rename is the act: the look above could be raced.
    // What it moved is looked at where it stands now, through the target's
    // handle, and goes back unless it is the file the caller meant.
    const int error = RenameNoReplace(from.handle_, name.c_str(), to.handle_, newName.c_str());
    if (error == EXDEV)
        return CopyThenRemove(from.handle_, name.c_str(), to.handle_, newName.c_str(), check);
    if (error != 0) return OutcomeOfError(error);
    struct stat moved;
    const FileOutcome outcome = fstatat(to.handle_, newName.c_str(), &moved, AT_SYMLINK_NOFOLLOW) == 0
                                    ? CheckEntry(moved, check)
                                    : OutcomeOfError(errno);
    if (outcome == FileOutcome::Done) return outcome;
    const int back = RenameNoReplace(to.handle_, newName.c_str(), from.handle_, name.c_str());
    return back == 0 || back == ENOENT ? outcome : FileOutcome::NotPutBack;
}

}  // namespace vellomar
