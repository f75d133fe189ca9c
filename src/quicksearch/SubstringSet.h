#pragma once
// Whether a text holds any of a set of parts, anywhere in it. A walk asks this
// of every folder path it meets, with up to 500 parts: the answer costs a
// step per character of the text, not a search per part.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellomar {

class SubstringSet {
public:
    explicit SubstringSet(std::vector<std::string> parts);

    bool AnyIn(std::string_view text) const;
    const std::vector<std::string>& Parts() const { return parts_; }

private:
    // Parts are found by their first four bytes; shorter ones one by one.
    static constexpr std::size_t kHeadLength = 4;
    static constexpr unsigned kSeenBits = 16;

    static std::uint32_t HeadAt(const char* text);
    static std::uint32_t SeenSlot(std::uint32_t head);
    bool Seen(std::uint32_t head) const;

    std::vector<std::string> parts_;
    std::vector<std::size_t> shortParts_;
    std::vector<std::pair<std::uint32_t, std::size_t>> byHead_;  // sorted: head, part
    std::vector<std::uint64_t> seenHeads_;  // one bit per slot a head falls in
};

}  // namespace vellomar
