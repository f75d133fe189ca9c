#include "platform/DriveIdentity.h"

#include <fcntl.h>
#include <linux/types.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdio>

#include "platform/posix/DeviceUuid.h"
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
namespace {

// As the kernel tells it; a file system made without a UUID reports one of
// zeros: none.
std::optional<std::string> KernelUuidOf(int folder) {
    fsuuid2 uuid{};
    if (ioctl(folder, FS_IOC_GETFSUUID, &uuid) != 0 || uuid.len == 0 || uuid.len > sizeof uuid.uuid ||
        std::none_of(uuid.uuid, uuid.uuid + uuid.len, [](__u8 byte) { return byte != 0; }))
        return std::nullopt;
    std::string text;
    for (unsigned i = 0; i < uuid.len; ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", uuid.uuid[i]);
        text += hex;
    }
    return text;
}

// The device numbers alone are shared by the next disk put in the same slot
// (a USB stick for another): the root folder's inode and, where the file
// system keeps one, its creation time tell the disks apart.
std::string DeviceNameOf(int folder, const struct stat& info) {
    std::string text = "device:" + std::to_string(major(info.st_dev)) + ":" +
                       std::to_string(minor(info.st_dev)) + ":" + std::to_string(info.st_ino);
    struct statx born;
    if (statx(folder, "", AT_EMPTY_PATH, STATX_BTIME, &born) == 0 && (born.stx_mask & STATX_BTIME) &&
        (born.stx_btime.tv_sec != 0 || born.stx_btime.tv_nsec != 0)) {
        char time[40];
        std::snprintf(time, sizeof time, ":%lld.%09u", static_cast<long long>(born.stx_btime.tv_sec),
                      born.stx_btime.tv_nsec);
        text += time;
    }
    return text;
}

}  // namespace

std::optional<std::string> FileSystemOf(const std::string& nativeFolder) {
    const FileDescriptor folder(open(nativeFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat info;
    if (folder.Get() < 0 || fstat(folder.Get(), &info) != 0) return std::nullopt;
    std::optional<std::string> uuid = KernelUuidOf(folder.Get());
    if (!uuid) uuid = UuidOfDevice(kUuidLinkFolder, info.st_dev);
    if (uuid) return "uuid:" + *uuid;
    return DeviceNameOf(folder.Get(), info);
}

}  // namespace vellomar
