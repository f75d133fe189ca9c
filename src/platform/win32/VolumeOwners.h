#pragma once
// Whether the file system a handle lies on keeps the owners of its entries:
// FAT and exFAT sticks keep none, and a share may keep none of its own.

#include "platform/win32/SystemApi.h"

#include <optional>

namespace vellomar {

// The file system's flags (FILE_PERSISTENT_ACLS and the rest); nothing when
// the system does not tell them.
std::optional<DWORD> FileSystemFlagsOf(HANDLE entry);

// Whether a folder passes as this user's own. Where the file system keeps
// owners, its owner must be this user. Where it keeps none, ownership can be
// neither proven nor disproven and the folder passes, as on a POSIX system,
// where such a file system shows every entry as the mounting user's.
constexpr bool PassesAsOwn(DWORD fileSystemFlags, bool ownerIsThisUser) {
    return !(fileSystemFlags & FILE_PERSISTENT_ACLS) || ownerIsThisUser;
}

}  // namespace vellomar
