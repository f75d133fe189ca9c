// A file system the kernel tells no UUID of (FAT, NTFS) is found by the links
// the device manager names after UUIDs: a folder of such links here, to
// device nodes of our own.

#ifndef _WIN32
#include "platform/posix/DeviceUuid.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>

#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

TEST(DeviceUuidTest, NamesTheBlockDeviceALinkReachesByItsUuidsDigits) {
    test::TempTree tree;
    const fs::path nodes = tree.AddFolder("nodes");
    const fs::path links = tree.AddFolder("by-uuid");
    const auto plant = [&](const char* uuid, mode_t kind, dev_t device) {
        const fs::path node = nodes / uuid;
        if (mknod(node.c_str(), kind | 0600, device) != 0) return false;
        fs::create_symlink(node, links / uuid);
        return true;
    };
    if (!plant("ABCD-1234", S_IFBLK, makedev(7, 0)))
        GTEST_SKIP() << "making device nodes needs privileges";
    ASSERT_TRUE(plant("0F3C9A0E-5D7B-4E8F-9A1B-2C3D4E5F6A7B", S_IFBLK, makedev(7, 3)));
    ASSERT_TRUE(plant("no uuid", S_IFBLK, makedev(7, 5)));
    ASSERT_TRUE(plant("1234-5678", S_IFCHR, makedev(7, 6)));  // a character device

    EXPECT_EQ(UuidOfDevice(links.string(), makedev(7, 0)), "abcd1234");
    EXPECT_EQ(UuidOfDevice(links.string(), makedev(7, 3)), "0f3c9a0e5d7b4e8f9a1b2c3d4e5f6a7b");
    EXPECT_EQ(UuidOfDevice(links.string(), makedev(7, 5)), std::nullopt);
    EXPECT_EQ(UuidOfDevice(links.string(), makedev(7, 6)), std::nullopt);
    EXPECT_EQ(UuidOfDevice((tree / "none").string(), makedev(7, 0)), std::nullopt);
}

}  // namespace
}  // namespace vellomar
#endif
