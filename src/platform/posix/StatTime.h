#pragma once
// A time the system's file status gives, as the clock's time point.

#include <sys/stat.h>

#include <chrono>

#include "platform/FileActs.h"

namespace vellomar {

inline std::chrono::system_clock::time_point TimeOf(const struct timespec& time) {
    return std::chrono::system_clock::from_time_t(time.tv_sec) +
           std::chrono::duration_cast<std::chrono::system_clock::duration>(
               std::chrono::nanoseconds(time.tv_nsec));
}

inline ModifiedStamp StampOf(const struct timespec& time) {
    return {static_cast<std::int64_t>(time.tv_sec), static_cast<std::uint32_t>(time.tv_nsec)};
}

}  // namespace vellomar
