#pragma once
// The machine's physical memory and swap space at one moment, in bytes.

#include <cstdint>
#include <string_view>

namespace vellomar {

struct MemoryStatus {
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalSwap = 0;
    std::uint64_t availableSwap = 0;
};

// The figures of a Linux /proc/meminfo text (MemTotal, MemAvailable, SwapTotal,
// SwapFree, given in kB). A kernel too old to tell MemAvailable counts MemFree
// instead; any other figure missing reads as 0.
MemoryStatus MemoryStatusOfMeminfo(std::string_view meminfoText);

// The figures now; all 0 when the system does not tell them.
MemoryStatus CurrentMemoryStatus();

}  // namespace vellomar
