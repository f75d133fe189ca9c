#include "results/ByteKeyOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace vellomar {
namespace {

std::vector<std::size_t> StableOrderOf(const std::vector<std::string>& keys) {
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::string_view(keys[a]) < std::string_view(keys[b]);
    });
    return order;
}

std::vector<std::size_t> OrderOfTextsAsKeys(const std::vector<std::string>& texts) {
    const AppendKey asIs = [](const std::string& text, std::string& keys) { keys.append(text); };
    return OrderByByteKeys(texts.size(), [&](std::size_t i) { return texts[i]; }, [&] { return asIs; });
}

// Enough texts to be cut into runs for several threads, with many equal keys
// that must keep their order across the runs' borders.
TEST(OrderByByteKeys, ALongListIsOrderedStablyAcrossTheRunsOfItsThreads) {
    const std::size_t count = 10 * kTextsWorthAThread + 7;
    std::vector<std::string> texts(count);
    for (std::size_t i = 0; i < count; ++i) texts[i] = std::to_string((i * 7919) % 1009);
    EXPECT_EQ(OrderOfTextsAsKeys(texts), StableOrderOf(texts));
}

// Keys are taken eight bytes at a time: long shared beginnings, keys that end
// inside or right at the end of a chunk, keys that are prefixes of others and
// bytes above 0x7f (which must count as high, not negative).
TEST(OrderByByteKeys, KeysAreComparedByteByByteWhateverTheirLengths) {
    const std::string shared = "c:\\users\\ann\\appdata\\local\\temp\\";
    std::vector<std::string> texts;
    for (const char* tail : {"b", "a", "", "abcdefg", "abcdefgh", "abcdefghi", "abcdefgh",
                                    "\xc3\xa9", "\x7f", "a\x01", "a", "\xff\xff\xff\xff\xff\xff\xff\xff"}) {
        texts.push_back(shared + tail);
        texts.push_back(tail);
    }
    EXPECT_EQ(OrderOfTextsAsKeys(texts), StableOrderOf(texts));
}

TEST(OrderByByteKeys, ShortAndEmptyLists) {
    EXPECT_EQ(OrderOfTextsAsKeys({"b", "a", "b", "a"}), (std::vector<std::size_t>{1, 3, 0, 2}));
    EXPECT_TRUE(OrderOfTextsAsKeys({}).empty());
}

}  // namespace
}  // namespace vellomar
