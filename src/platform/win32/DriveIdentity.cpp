#include "platform/DriveIdentity.h"

#include "platform/win32/SystemApi.h"

#include <cstdio>

#include "platform/win32/WidePath.h"

namespace vellomar {

std::optional<std::string> FileSystemOf(const std::string& nativeFolder) {
    // The volume the folder lies on, by its serial number: the same volume
    // under another letter is still itself.
    const std::wstring folder = SystemPath(nativeFolder) + L"\\";
    wchar_t volume[MAX_PATH + 1];
    DWORD serial = 0;
    if (!GetVolumePathNameW(folder.c_str(), volume, MAX_PATH + 1) ||
        !GetVolumeInformationW(volume, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0))
        return std::nullopt;
    char text[32];
    std::snprintf(text, sizeof text, "volume:%08lX", static_cast<unsigned long>(serial));
    return std::string(text);
}

}  // namespace vellomar
