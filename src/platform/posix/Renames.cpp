#include "platform/posix/Renames.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <random>

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
    std::uint64_t bits[2];
    std::size_t got = 0;
    while (got < sizeof bits) {
        const ssize_t count = getrandom(reinterpret_cast<char*>(bits) + got, sizeof bits - got, 0);
        if (count > 0) got += static_cast<std::size_t>(count);
        else if (errno != EINTR) break;
    }
    if (got < sizeof bits) {  // no kernel source of randomness: the library's own
        std::random_device device;
        for (std::uint64_t& word : bits) word = (std::uint64_t(device()) << 32) ^ device();
    }
    char hex[33];
    std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(bits[0]),
                  static_cast<unsigned long long>(bits[1]));
    return std::string(prefix) + hex;
}

}  // namespace vellomar
