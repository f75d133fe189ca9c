#include "platform/MomentText.h"

#include <cstdio>

namespace vellomar {

std::string MomentText(std::chrono::system_clock::time_point moment) {
    using namespace std::chrono;
    // Floored, so that a moment a fraction before a second is not shown as that second.
    const auto second = floor<seconds>(moment);
    const auto day = floor<days>(second);
    const year_month_day date(day);
    const hh_mm_ss time(second - day);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

}  // namespace vellomar
