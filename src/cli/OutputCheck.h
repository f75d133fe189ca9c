#pragma once
// Whether what a command printed reached its reader: a full disk or a closed
// pipe must not pass for success.

#include <cstdio>

namespace vellomar::cli {

// Flushes out; false, with one line on messages, when a write to it failed
// since the last call.
bool OutputDelivered(std::FILE* out, std::FILE* messages);

}  // namespace vellomar::cli
