#pragma once
// A time the system's file status gives, whole: the file system's seconds
// may lie far beyond what the clock's time point spans.

#include <sys/stat.h>

#include "platform/FileTime.h"

namespace vellomar {

inline FileTime TimeOf(const struct timespec& time) {
    return {static_cast<std::int64_t>(time.tv_sec), static_cast<std::int32_t>(time.tv_nsec)};
}

}  // namespace vellomar
