#include "platform/posix/DeviceUuid.h"

#include <sys/stat.h>

#include <cctype>

#include "platform/Folder.h"

namespace vellomar {
namespace {

// "0f3c9a0e-5d7b-4e8f-..." or "ABCD-1234" as "0f3c9a0e5d7b4e8f..." or
// "abcd1234"; nothing for a name that is no UUID.
std::optional<std::string> UuidDigits(const std::string& name) {
    std::string digits;
    for (const char c : name) {
        if (c == '-') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (digits.empty()) return std::nullopt;
    return digits;
}

}  // namespace

std::optional<std::string> UuidOfDevice(const std::string& linkFolder, dev_t device) {
    for (const std::string& name : Folder::OpenNative(linkFolder).Names()) {
        struct stat target;
        if (stat((linkFolder + '/' + name).c_str(), &target) != 0 || !S_ISBLK(target.st_mode) ||
            target.st_rdev != device)
            continue;
        if (std::optional<std::string> digits = UuidDigits(name)) return digits;
    }
    return std::nullopt;
}

}  // namespace vellomar
