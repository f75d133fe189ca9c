#include "results/BinFailures.h"

namespace vellomar {

std::string BinFailureLines(const std::vector<BinFailure>& failures, std::size_t named) {
    std::string text;
    for (std::size_t i = 0; i < failures.size() && i < named; ++i)
        text += "\n" + failures[i].entry + " (" + std::string(BinOutcomeReason(failures[i].outcome)) +
                ")";
    if (failures.size() > named)
        text += "\n... and " + std::to_string(failures.size() - named) + " more.";
    return text;
}

}  // namespace vellomar
