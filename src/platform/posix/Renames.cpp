#include "platform/posix/Renames.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

namespace vellomar {

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

int RenameToFreshName(int fromFd, const char* name, int toFd, const char* freshName) {
    if (renameat2(fromFd, name, toFd, freshName, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    return renameat(fromFd, name, toFd, freshName) == 0 ? 0 : errno;
}

}  // namespace vellomar
