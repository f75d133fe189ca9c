#include "platform/DriveIdentity.h"

#include <fcntl.h>
#include <linux/types.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdio>

#include "platform/posix/FileDescriptor.h"

// The file system's UUID by ioctl, since Linux 6.5; older headers lack it.
#ifndef FS_IOC_GETFSUUID
struct fsuuid2 {
    __u8 len;
    __u8 uuid[16];
};
#define FS_IOC_GETFSUUID _IOR(0x15, 0, struct fsuuid2)
#endif

namespace vellomar {

std::optional<std::string> FileSystemOf(const std::string& nativeFolder) {
    const FileDescriptor folder(open(nativeFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat info;
    if (folder.Get() < 0 || fstat(folder.Get(), &info) != 0) return std::nullopt;

    fsuuid2 uuid{};
    // A file system made without a UUID reports one of zeros: no identity.
    if (ioctl(folder.Get(), FS_IOC_GETFSUUID, &uuid) == 0 && uuid.len > 0 &&
        uuid.len <= sizeof uuid.uuid &&
        std::any_of(uuid.uuid, uuid.uuid + uuid.len, [](__u8 byte) { return byte != 0; })) {
        std::string text = "uuid:";
        for (unsigned i = 0; i < uuid.len; ++i) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", uuid.uuid[i]);
            text += hex;
        }
        return text;
    }
    return "device:" + std::to_string(major(info.st_dev)) + ":" +
           std::to_string(minor(info.st_dev));
}

}  // namespace vellomar
