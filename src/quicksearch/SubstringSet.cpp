#include "quicksearch/SubstringSet.h"

#include <algorithm>
#include <cstring>

namespace vellomar {

SubstringSet::SubstringSet(std::vector<std::string> parts)
    : parts_(std::move(parts)), seenHeads_((std::size_t{1} << kSeenBits) / 64) {
    for (std::size_t index = 0; index < parts_.size(); ++index) {
        if (parts_[index].size() < kHeadLength) {
            shortParts_.push_back(index);
            continue;
        }
        const std::uint32_t head = HeadAt(parts_[index].data());
        byHead_.emplace_back(head, index);
        const std::uint32_t slot = SeenSlot(head);
        seenHeads_[slot / 64] |= std::uint64_t{1} << (slot % 64);
    }
    std::sort(byHead_.begin(), byHead_.end());
}

bool SubstringSet::AnyIn(std::string_view text) const {
    for (std::size_t index : shortParts_)
        if (text.find(parts_[index]) != std::string_view::npos) return true;
    if (byHead_.empty() || text.size() < kHeadLength) return false;
    for (std::size_t at = 0; at + kHeadLength <= text.size(); ++at) {
        const std::uint32_t head = HeadAt(text.data() + at);
        if (!Seen(head)) continue;
        const auto first = std::lower_bound(byHead_.begin(), byHead_.end(),
                                            std::pair<std::uint32_t, std::size_t>{head, 0});
        for (auto it = first; it != byHead_.end() && it->first == head; ++it) {
            const std::string& part = parts_[it->second];
            if (part.size() <= text.size() - at &&
                std::memcmp(part.data() + kHeadLength, text.data() + at + kHeadLength,
                            part.size() - kHeadLength) == 0)
                return true;
        }
    }
    return false;
}

std::uint32_t SubstringSet::HeadAt(const char* text) {
    std::uint32_t head;
    std::memcpy(&head, text, kHeadLength);
    return head;
}

std::uint32_t SubstringSet::SeenSlot(std::uint32_t head) {
    return (head * 2654435761u) >> (32 - kSeenBits);  // Knuth's multiplicative hash
}

bool SubstringSet::Seen(std::uint32_t head) const {
    const std::uint32_t slot = SeenSlot(head);
    return (seenHeads_[slot / 64] >> (slot % 64)) & 1;
}

}  // namespace vellomar
