#pragma once
// The paths the bin's items came from, in the bin's order.

#include <string>
#include <vector>

#include "results/GarbageBin.h"

namespace vellomar::test {

inline std::vector<std::string> BinItemPaths(const std::vector<BinItem>& items) {
    std::vector<std::string> paths;
    for (const BinItem& item : items) paths.push_back(item.originalPath);
    return paths;
}

}  // namespace vellomar::test
