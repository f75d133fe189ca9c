#include "platform/FileTime.h"

#include <algorithm>

namespace vellomar {

namespace chrono = std::chrono;

FileTime FileTime::Of(chrono::system_clock::time_point moment) {
    const auto second = chrono::floor<chrono::seconds>(moment);
    return {second.time_since_epoch().count(),
            static_cast<std::int32_t>(chrono::nanoseconds(moment - second).count())};
}

chrono::system_clock::time_point FileTime::ClockTime() const {
    using Clock = chrono::system_clock;
    constexpr auto kFirst = chrono::ceil<chrono::seconds>(Clock::time_point::min());
    constexpr auto kLast = chrono::floor<chrono::seconds>(Clock::time_point::max());
    if (seconds < kFirst.time_since_epoch().count()) return Clock::time_point::min();
    if (seconds >= kLast.time_since_epoch().count()) return Clock::time_point::max();
    return Clock::time_point(chrono::duration_cast<Clock::duration>(
        chrono::seconds(seconds) + chrono::nanoseconds(nanoseconds)));
}

chrono::sys_seconds FileTime::ShownSeconds() const {
    using chrono::January;
    constexpr chrono::sys_seconds kFirst = chrono::sys_days(chrono::year(0) / January / 1);
    constexpr chrono::sys_seconds kLast =
        chrono::sys_days(chrono::year(10000) / January / 1) - chrono::seconds(1);
    return std::clamp(chrono::sys_seconds(chrono::seconds(seconds)), kFirst, kLast);
}

}  // namespace vellomar
