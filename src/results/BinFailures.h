#pragma once
// The files a bin command could not handle, each with its reason, as its
// message names them.

#include <cstddef>
#include <string>
#include <vector>

#include "results/GarbageBin.h"

namespace vellomar {

struct BinFailure {
    std::string entry;  // as the list showed it, as the prompts show a name
    BinOutcome outcome;
};

// A line for each of the first `named` failures, "\n<entry> (<reason>)", and
// "\n... and N more." for the rest.
std::string BinFailureLines(const std::vector<BinFailure>& failures, std::size_t named);

}  // namespace vellomar
