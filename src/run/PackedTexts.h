#pragma once
// Texts stored end to end in blocks of a mebibyte: a million short paths cost
// little more than their bytes, where a string each would cost twice that, and
// the store never grows by copying itself.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace vellomar {

class PackedTexts {
public:
    void Append(std::string_view text);
    void Clear();

    std::size_t Count() const { return starts_.size(); }
    std::string_view At(std::size_t index) const;

private:
    // Where a text's length, and then the text, begins: its block in the high
    // bits, its offset in the block in the low ones. A text longer than a block
    // gets a block of its own.
    static constexpr unsigned kOffsetBits = 32;
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
        std::size_t used = 0;
    };

    std::vector<Block> blocks_;
    std::vector<std::uint64_t> starts_;
};

}  // namespace vellomar
