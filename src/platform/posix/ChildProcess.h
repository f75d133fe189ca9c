#pragma once
// Starting other programs: left to run on their own, or asked a question and
// answered on their standard output within a time limit.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vellomar {

enum class ProgramLookup { ExactPath, SearchPath };

// Starts the program with these arguments (the program's name first) and
// returns without waiting for it; a thread of its own reaps it when it ends.
// 0 when it started, else the errno of the failure (ENOENT: no such program).
int StartDetached(const std::vector<std::string>& arguments, ProgramLookup lookup);

// The first line the program writes to its standard output, without its line
// end, once it has ended; nullopt when it could not be started or has not
// ended within patience (it is then killed). Its standard error is dropped.
std::optional<std::string> FirstLineOfOutput(const std::vector<std::string>& arguments,
                                             std::chrono::milliseconds patience);

}  // namespace vellomar
