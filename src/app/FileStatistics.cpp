#include "app/FileStatistics.h"

#include "scan/ByteTotal.h"

namespace vellomar {
namespace {

std::string PercentageLine(const char* lead, std::uint64_t available, std::uint64_t total) {
    return lead + std::to_string(PercentageAvailable(available, total)) + "%";
}

}  // namespace

std::uint64_t PercentageAvailable(std::uint64_t available, std::uint64_t total) {
    const std::uint64_t hundredth = total / 100;
    return hundredth == 0 ? 0 : available / hundredth;
}

StatisticsLines StatisticsOf(const CleanupTotals& cleanup, const MemoryStatus& memory) {
    StatisticsLines lines;
    if (cleanup.CleanedFileCount < 1) {
        lines.cleanedFiles = "You have not cleaned up any files on your system yet.";
        lines.reclaimedBytes = "0 bytes of space have been reclaimed.";
    } else {
        lines.cleanedFiles = "You have successfully cleaned up " +
                             std::to_string(cleanup.CleanedFileCount) + " files on your system.";
        // Zero-byte files alone reclaim nothing worth a line.
        if (cleanup.ReclaimedBytes > 0)
            lines.reclaimedBytes =
                FormatByteTotal(cleanup.ReclaimedBytes) + " bytes of space were reclaimed.";
    }

    lines.totalMemory = "Total RAM memory on your system = " + std::to_string(memory.totalPhysical);
    lines.availableMemory =
        "RAM memory currently available  = " + std::to_string(memory.availablePhysical);
    lines.memoryPercentage = PercentageLine("Percentage of RAM memory available = ",
                                            memory.availablePhysical, memory.totalPhysical);
    lines.totalSwap = "Maximum storage in swap file = " + std::to_string(memory.totalSwap);
    lines.availableSwap = "Available swap file space = " + std::to_string(memory.availableSwap);
    lines.swapPercentage = PercentageLine("Percentage of swap file available  = ",
                                          memory.availableSwap, memory.totalSwap);
    return lines;
}

}  // namespace vellomar
