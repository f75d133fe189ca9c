#include "platform/DriveIdentity.h"

#include <algorithm>

namespace vellomar {

bool TellsDisksApart(std::string_view fileSystem) {
    return !fileSystem.starts_with("device:") || std::count(fileSystem.begin(), fileSystem.end(), ':') > 2;
}

}  // namespace vellomar
