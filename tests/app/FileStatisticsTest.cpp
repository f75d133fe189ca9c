#include "app/FileStatistics.h"

#include <gtest/gtest.h>

#include <limits>

namespace vellomar {
namespace {

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

TEST(FileStatisticsTest, BeforeAnyCleanupNothingHasBeenReclaimed) {
    const StatisticsLines lines = StatisticsOf(CleanupTotals{}, MemoryStatus{});
    EXPECT_EQ(lines.cleanedFiles, "You have not cleaned up any files on your system yet.");
    EXPECT_EQ(lines.reclaimedBytes, "0 bytes of space have been reclaimed.");
}

TEST(FileStatisticsTest, TellsTheFilesCleanedAndTheBytesTheyFreed) {
    const StatisticsLines lines = StatisticsOf(CleanupTotals{3, 100 + 200 + 300}, MemoryStatus{});
    EXPECT_EQ(lines.cleanedFiles, "You have successfully cleaned up 3 files on your system.");
    EXPECT_EQ(lines.reclaimedBytes, "600 bytes of space were reclaimed.");

    // Far beyond 32 bits, written whole.
    EXPECT_EQ(StatisticsOf(CleanupTotals{1, 5e12}, MemoryStatus{}).reclaimedBytes,
              "5000000000000 bytes of space were reclaimed.");
}

TEST(FileStatisticsTest, ZeroByteFilesAloneLeaveTheBytesLineEmpty) {
    const StatisticsLines lines = StatisticsOf(CleanupTotals{2, 0}, MemoryStatus{});
    EXPECT_EQ(lines.cleanedFiles, "You have successfully cleaned up 2 files on your system.");
    EXPECT_EQ(lines.reclaimedBytes, "");
}

TEST(FileStatisticsTest, WritesTheMemoryAndSwapFiguresInBytes) {
    const StatisticsLines lines = StatisticsOf(
        CleanupTotals{}, MemoryStatus{1'073'741'824, 536'870'912, 24 * kGiB, 6 * kGiB});
    EXPECT_EQ(lines.totalMemory, "Total RAM memory on your system = 1073741824");
    EXPECT_EQ(lines.availableMemory, "RAM memory currently available  = 536870912");
    EXPECT_EQ(lines.memoryPercentage, "Percentage of RAM memory available = 50%");
    EXPECT_EQ(lines.totalSwap, "Maximum storage in swap file = 25769803776");
    EXPECT_EQ(lines.availableSwap, "Available swap file space = 6442450944");
    EXPECT_EQ(lines.swapPercentage, "Percentage of swap file available  = 25%");
}

TEST(FileStatisticsTest, APercentageDividesByATruncatedHundredth) {
    EXPECT_EQ(PercentageAvailable(125, 250), 62u);  // 125 / 2, not the exact 50
    EXPECT_EQ(PercentageAvailable(37, 100), 37u);
    EXPECT_EQ(PercentageAvailable(199, 299), 99u);  // 199 / 2 truncated, not rounded
    const std::uint64_t huge = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(PercentageAvailable(huge / 4, huge), 25u);
}

TEST(FileStatisticsTest, WithoutSwapThePercentageIsZero) {
    EXPECT_EQ(PercentageAvailable(0, 0), 0u);
    EXPECT_EQ(PercentageAvailable(50, 99), 0u);
    EXPECT_EQ(StatisticsOf(CleanupTotals{}, MemoryStatus{kGiB, kGiB, 0, 0}).swapPercentage,
              "Percentage of swap file available  = 0%");
}

}  // namespace
}  // namespace vellomar
