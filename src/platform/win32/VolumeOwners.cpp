#include "platform/win32/VolumeOwners.h"

namespace vellomar {

std::optional<DWORD> FileSystemFlagsOf(HANDLE entry) {
    DWORD flags = 0;
    if (!GetVolumeInformationByHandleW(entry, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
        return std::nullopt;
    return flags;
}

}  // namespace vellomar
