#pragma once
// The texts of "Show Totals": what deletion removed in this run and the
// machine's memory and swap figures, line by line as the File Statistics
// window and the command line show them.

#include <cstdint>
#include <string>

#include "platform/MemoryStatus.h"
#include "run/CleanupTotals.h"

namespace vellomar {

struct StatisticsLines {
    // "Files Deleted"
    std::string cleanedFiles;       // Lblfile
    std::string reclaimedBytes;     // Lblbyte
    // "RAM Memory Check"
    std::string totalMemory;        // Lbltotm
    std::string availableMemory;    // Lblavam
    std::string memoryPercentage;   // Lblperc
    // "Swap File Check"
    std::string totalSwap;          // Lblswap
    std::string availableSwap;      // Lblswapa
    std::string swapPercentage;     // Lblpercs
};

StatisticsLines StatisticsOf(const CleanupTotals& cleanup, const MemoryStatus& memory);

// available / (total / 100), both divisions truncating, so it may fall short
// of the exact percentage; 0 for a total below 100 bytes (no swap at all).
std::uint64_t PercentageAvailable(std::uint64_t available, std::uint64_t total);

}  // namespace vellomar
