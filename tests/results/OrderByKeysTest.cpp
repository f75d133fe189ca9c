#include "results/OrderByKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vellomar {
namespace {

// Enough texts to be cut into runs for several threads, with many equal keys
// that must keep their order across the runs' borders.
TEST(OrderByKeys, ALongListIsOrderedStablyAcrossTheRunsOfItsThreads) {
    const std::size_t count = 10 * kTextsWorthAThread + 7;
    std::vector<std::string> texts(count);
    for (std::size_t i = 0; i < count; ++i) texts[i] = std::to_string((i * 7919) % 1009);
    const auto textAt = [&](std::size_t i) { return texts[i]; };
    const auto newKeyMaker = [] { return [](const std::string& text) { return std::stoi(text); }; };

    const std::vector<std::size_t> order = OrderByKeys(count, textAt, newKeyMaker, std::less<>());

    std::vector<std::size_t> expected(count);
    std::iota(expected.begin(), expected.end(), std::size_t{0});
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::size_t a, std::size_t b) { return std::stoi(texts[a]) < std::stoi(texts[b]); });
    EXPECT_EQ(order, expected);
}

TEST(OrderByKeys, ShortAndEmptyLists) {
    const std::vector<std::string> texts = {"b", "a", "b", "a"};
    const auto textAt = [&](std::size_t i) { return texts[i]; };
    const auto newKeyMaker = [] { return [](const std::string& text) { return text; }; };
    EXPECT_EQ(OrderByKeys(4, textAt, newKeyMaker, std::less<>()),
              (std::vector<std::size_t>{1, 3, 0, 2}));
    EXPECT_TRUE(OrderByKeys(0, textAt, newKeyMaker, std::less<>()).empty());
}

}  // namespace
}  // namespace vellomar
