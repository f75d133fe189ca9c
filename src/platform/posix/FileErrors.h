#pragma once
// What an errno value of a file operation means for the user.

#include <cerrno>

#include "platform/FileActs.h"

namespace vellomar {

inline FileOutcome OutcomeOfError(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR: return FileOutcome::NotFound;
        case EEXIST:
        case ENOTEMPTY: return FileOutcome::TargetExists;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return FileOutcome::NoRoom;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
        case EBUSY: return FileOutcome::NotPermitted;
        default: return FileOutcome::Failed;
    }
}

}  // namespace vellomar
