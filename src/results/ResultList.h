#pragma once
// The result list: one full drive-form path per entry, in the order found.
// Windows mirror it; Generation() tells them when it was emptied or rebuilt
// rather than appended to.

#include <cstdint>
#include <string>
#include <vector>

namespace vellomar {

class ResultList {
public:
    void Append(std::string entry) { entries_.push_back(std::move(entry)); }
    void Clear();

    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    const std::string& At(std::size_t index) const { return entries_[index]; }
    const std::vector<std::string>& Entries() const { return entries_; }

    // Changes whenever entries are removed; appending leaves it as it is.
    std::uint64_t Generation() const { return generation_; }

private:
    std::vector<std::string> entries_;
    std::uint64_t generation_ = 0;
};

}  // namespace vellomar
