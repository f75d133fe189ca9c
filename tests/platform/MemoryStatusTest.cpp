#include "platform/MemoryStatus.h"

#include <gtest/gtest.h>

namespace vellomar {
namespace {

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

TEST(MemoryStatusTest, ReadsTheFourFiguresInBytesFromAMeminfoText) {
    const MemoryStatus status = MemoryStatusOfMeminfo(
        "MemTotal:       25165824 kB\n"
        "MemFree:         1048576 kB\n"
        "MemAvailable:    6291456 kB\n"
        "Buffers:          123456 kB\n"
        "SwapCached:            0 kB\n"
        "SwapTotal:       8388608 kB\n"
        "SwapFree:        4194304 kB\n"
        "HugePages_Total:       0\n"
        "Hugepagesize:       2048 kB\n");
    EXPECT_EQ(status.totalPhysical, 24 * kGiB);  // far beyond 32 bits, never capped
    EXPECT_EQ(status.availablePhysical, 6 * kGiB);
    EXPECT_EQ(status.totalSwap, 8 * kGiB);
    EXPECT_EQ(status.availableSwap, 4 * kGiB);
}

TEST(MemoryStatusTest, MissingFiguresAndUnreadableLinesReadAsZeroOrFreeMemory) {
    // An old kernel without MemAvailable, no swap lines, and lines that are no figures.
    const MemoryStatus status = MemoryStatusOfMeminfo(
        "MemTotal:  2048 kB\n"
        "MemFree:   512 kB\n"
        "SwapTotal: lots kB\n"
        "no colon here 77\n"
        "SwapFree:");
    EXPECT_EQ(status.totalPhysical, 2048u * 1024);
    EXPECT_EQ(status.availablePhysical, 512u * 1024);
    EXPECT_EQ(status.totalSwap, 0u);
    EXPECT_EQ(status.availableSwap, 0u);

    const MemoryStatus empty = MemoryStatusOfMeminfo("");
    EXPECT_EQ(empty.totalPhysical, 0u);
    EXPECT_EQ(empty.availablePhysical, 0u);
}

TEST(MemoryStatusTest, MemAvailableWinsOverMemFreeWhereverItStands) {
    const MemoryStatus status =
        MemoryStatusOfMeminfo("MemAvailable: 300 kB\nMemTotal: 1000 kB\nMemFree: 100 kB\n");
    EXPECT_EQ(status.availablePhysical, 300u * 1024);
}

TEST(MemoryStatusTest, ThisMachineTellsAPhysicalTotalAboveWhatIsAvailable) {
    const MemoryStatus status = CurrentMemoryStatus();
    EXPECT_GT(status.totalPhysical, 0u);
    EXPECT_LE(status.availablePhysical, status.totalPhysical);
    EXPECT_LE(status.availableSwap, status.totalSwap);
}

}  // namespace
}  // namespace vellomar
