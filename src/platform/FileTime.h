#pragma once
// A file's time as file systems keep it: whole seconds since 1970 in the full
// 64-bit range, and the nanoseconds within the second. The clock's own time
// point counts nanoseconds in 64 bits and so spans only the years 1677 to
// 2262: a file dated 2300 would wrap into the past and look old.

#include <chrono>
#include <compare>
#include <cstdint>

namespace vellomar {

struct FileTime {
    std::int64_t seconds = 0;
    std::int32_t nanoseconds = 0;  // 0 to 999,999,999
    auto operator<=>(const FileTime&) const = default;

    // A moment of the clock, exactly.
    static FileTime Of(std::chrono::system_clock::time_point moment);
    // The time as the clock's moment, held at the clock's first or last
    // moment where it lies beyond them, never wrapped.
    std::chrono::system_clock::time_point ClockTime() const;
    // The time limited to the years 0000 to 9999, to the second: what a
    // text with a four-digit year can show.
    std::chrono::sys_seconds ShownSeconds() const;
};

}  // namespace vellomar
