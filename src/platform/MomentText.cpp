#include "platform/MomentText.h"

#include <ctime>

namespace vellomar {

std::string MomentText(std::chrono::system_clock::time_point moment) {
    // Floored, so that a moment a fraction before a second is not shown as that second.
    const auto seconds = std::chrono::floor<std::chrono::seconds>(moment);
    const std::time_t whole = seconds.time_since_epoch().count();
    std::tm utc{};
    gmtime_r(&whole, &utc);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

}  // namespace vellomar
