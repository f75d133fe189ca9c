#include "platform/MomentText.h"

#include <cstdio>

#include "platform/UtcTime.h"

namespace vellomar {

namespace {

std::string SecondText(std::chrono::sys_seconds moment) {
    const UtcFields utc = UtcFieldsOf(moment);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.year, utc.month, utc.day,
                  utc.hour, utc.minute, utc.second);
    return text;
}

}  // namespace

std::string MomentText(std::chrono::system_clock::time_point moment) {
    return SecondText(std::chrono::floor<std::chrono::seconds>(moment));
}

std::string MomentText(FileTime time) { return SecondText(time.ShownSeconds()); }

}  // namespace vellomar
