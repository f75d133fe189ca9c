#include "run/PackedTexts.h"

#include <algorithm>

namespace vellomar {

namespace {

// A length takes seven bits a byte, lowest first; a set high bit says another
// byte follows. Most paths need one byte.
std::size_t LengthBytes(std::size_t length) {
    std::size_t bytes = 1;
    for (; length >= 0x80; length >>= 7) ++bytes;
    return bytes;
}

char* WriteLength(std::size_t length, char* out) {
    for (; length >= 0x80; length >>= 7) *out++ = static_cast<char>(0x80 | (length & 0x7f));
    *out++ = static_cast<char>(length);
    return out;
}

std::string_view ReadText(const char* in) {
    std::size_t length = 0;
    for (unsigned shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        length |= std::size_t{byte & 0x7fu} << shift;
        if (byte < 0x80) break;
    }
    return {in, length};
}

}  // namespace

void PackedTexts::Append(std::string_view text) {
    const std::size_t needed = LengthBytes(text.size()) + text.size();
    if (blocks_.empty() || blocks_.back().size - blocks_.back().used < needed) {
        const std::size_t size = std::max(kBlockBytes, needed);
        blocks_.push_back({std::make_unique_for_overwrite<char[]>(size), size, 0});
    }
    Block& block = blocks_.back();
    std::copy(text.begin(), text.end(), WriteLength(text.size(), block.bytes.get() + block.used));
    starts_.push_back((std::uint64_t{blocks_.size() - 1} << kOffsetBits) | block.used);
    block.used += needed;
}

void PackedTexts::Clear() {
    std::vector<Block>().swap(blocks_);
    std::vector<std::uint64_t>().swap(starts_);
}

std::string_view PackedTexts::At(std::size_t index) const {
    const std::uint64_t start = starts_[index];
    const Block& block = blocks_[start >> kOffsetBits];
    return ReadText(block.bytes.get() + (start & ((std::uint64_t{1} << kOffsetBits) - 1)));
}

}  // namespace vellomar
