#include "platform/posix/Renames.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "platform/RandomWord.h"

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

std::string FreshName(std::string_view prefix) {
    // One call for all the bits: deletion makes a name for every file.
    std::uint64_t bits[2];
    if (getrandom(bits, sizeof bits, 0) != static_cast<ssize_t>(sizeof bits))
        bits[0] = RandomWord(), bits[1] = RandomWord();
    char hex[33];
    std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(bits[0]),
                  static_cast<unsigned long long>(bits[1]));
    return std::string(prefix) + hex;
}

}  // namespace vellomar
