#pragma once
// A moment as ISO 8601 text in UTC, to the second ("2024-05-01T12:03:22Z"):
// the same moment wherever and whenever it is read.

#include <chrono>
#include <string>

namespace vellomar {

std::string MomentText(std::chrono::system_clock::time_point moment);

}  // namespace vellomar
