#pragma once
// Moments as calendar dates and times of day in UTC, by the calendar of the
// standard library rather than the C library's, whose reentrant forms differ
// between systems.

#include <chrono>

namespace vellomar {

struct UtcFields {
    int year, month, day, hour, minute, second;  // month and day from 1
};

UtcFields UtcFieldsOf(std::chrono::sys_seconds moment);

// The moment the fields name, to the second. Fields beyond their range carry
// over as they do in timegm(): month 13 is January of the next year, day 32
// of January is the first of February.
std::chrono::sys_seconds MomentOfUtcFields(const UtcFields& fields);

}  // namespace vellomar
