#pragma once
// Every entry of a result list as the list shows it, first to last.

#include <string>
#include <vector>

#include "run/ResultList.h"

namespace vellomar::test {

inline std::vector<std::string> ShownEntries(const ResultList& list) {
    std::vector<std::string> entries;
    entries.reserve(list.Count());
    for (std::size_t row = 0; row < list.Count(); ++row) entries.push_back(list.At(row));
    return entries;
}

}  // namespace vellomar::test
