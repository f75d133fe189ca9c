#include "platform/MemoryStatus.h"

#include "platform/win32/SystemApi.h"

namespace vellomar {

MemoryStatus CurrentMemoryStatus() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return {};
    // The paging file's figures are the commit limit, memory included: swap is
    // what lies beyond the physical memory.
    return {status.ullTotalPhys, status.ullAvailPhys,
            status.ullTotalPageFile > status.ullTotalPhys ? status.ullTotalPageFile - status.ullTotalPhys : 0,
            status.ullAvailPageFile > status.ullAvailPhys ? status.ullAvailPageFile - status.ullAvailPhys : 0};
}

}  // namespace vellomar
