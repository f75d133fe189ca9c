#pragma once
// A moment as ISO 8601 text in UTC, to the second ("2024-05-01T12:03:22Z"):
// the same moment wherever and whenever it is read.

#include <chrono>
#include <string>

#include "platform/FileTime.h"

namespace vellomar {

std::string MomentText(std::chrono::system_clock::time_point moment);
// A file's time, with its true year from 0000 to 9999 and held at the first
// or last second of that range beyond it.
std::string MomentText(FileTime time);

}  // namespace vellomar
