#include "platform/win32/SystemApi.h"

#include <optional>

#include "platform/DriveTable.h"
#include "platform/win32/WidePath.h"

namespace vellomar {
namespace {

std::optional<DriveKind> KindOf(UINT type) {
    switch (type) {
        case DRIVE_REMOVABLE: return DriveKind::Removable;
        case DRIVE_FIXED: return DriveKind::Fixed;
        case DRIVE_REMOTE: return DriveKind::Network;
        case DRIVE_CDROM: return DriveKind::CdRom;
        case DRIVE_RAMDISK: return DriveKind::RamDisk;
        default: return std::nullopt;  // no root folder, or of no known kind
    }
}

// The volume label; empty when it has none or the drive holds no medium.
std::string LabelOf(const wchar_t* root) {
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
        return {};
    return Narrowed(label);
}

}  // namespace

// The system keeps the drive letters: there is nothing to remember.
DriveTable DriveTable::OfThisMachine(const RegistryStore&) {
    DriveTable drives;
    wchar_t roots[4 * 26 + 1] = {};  // "C:\" and a NUL for each letter, and a last NUL
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(roots)), roots);
    if (length == 0 || length > std::size(roots)) return drives;
    for (const wchar_t* root = roots; *root; root += wcslen(root) + 1) {
        const auto kind = KindOf(GetDriveTypeW(root));
        const wchar_t letter = root[0];
        if (!kind || !((letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z')))
            continue;
        const char upper = static_cast<char>(letter & ~0x20);
        drives.Assign(upper, std::string{upper, ':'}, *kind, LabelOf(root));
    }
    return drives;
}

}  // namespace vellomar
