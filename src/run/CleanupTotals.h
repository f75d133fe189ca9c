#pragma once

#include <cstdint>

namespace vellomar {

// What deletion removed since the program started; kept in memory only, for
// the statistics window.
struct CleanupTotals {
    std::int32_t CleanedFileCount = 0;
    double ReclaimedBytes = 0;  // a sum of 64-bit sizes, shown with FormatByteTotal
};

}  // namespace vellomar
