#include "results/BinItemKey.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vellomar {
namespace {

BinItem Item(std::string bin, std::string id, std::string name) {
    BinItem item;
    item.binFolder = std::move(bin);
    item.id = std::move(id);
    item.name = std::move(name);
    return item;
}

TEST(BinItemKeyTest, NamesAnItemByItsIdUnlessAnotherEntryLiesUnderIt) {
    const std::vector<BinItem> items = {Item("t:\\Garbage Bin", "20240501T1-aa", "a.tmp"),
                                        Item("t:\\Garbage Bin", "7", "b.tmp"),
                                        Item("t:\\Garbage Bin", "7", "stray"),
                                        Item("u:\\Garbage Bin", "7", "b.tmp"),
                                        Item("u:\\Garbage Bin", "8", "c.tmp")};
    EXPECT_THAT(BinItemKeys(items),
                ::testing::ElementsAre("20240501T1-aa", "7/b.tmp", "7/stray", "7/b.tmp", "8"));
    EXPECT_EQ(FindBinItem(items, "20240501T1-aa"), 0u);
    EXPECT_EQ(FindBinItem(items, "7/stray"), 2u);
    EXPECT_EQ(FindBinItem(items, "8"), 4u);
    EXPECT_EQ(FindBinItem(items, "7"), std::nullopt);        // names more than one: none
    EXPECT_EQ(FindBinItem(items, "7/b.tmp"), std::nullopt);  // in two bins
    EXPECT_EQ(FindBinItem(items, "9"), std::nullopt);
}

}  // namespace
}  // namespace vellomar
