#include "run/ResultList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/ShownEntries.h"

namespace vellomar {
namespace {

using ::testing::ElementsAre;

ResultList ListOf(std::initializer_list<const char*> entries) {
    ResultList list;
    for (const char* entry : entries) list.Append(entry, {});
    return list;
}

TEST(ResultList, AnEntryShownLowerCasedKeepsNamingTheFileItWasFoundAs) {
    ResultList list = ListOf({"C:\\Ä\\A.tmp", "c:\\B.tmp"});
    list.ShowLowerCased(0);
    list.ShowLowerCased(0);
    EXPECT_EQ(list.At(0), "c:\\Ä\\a.tmp");  // ASCII letters only
    EXPECT_EQ(list.FoundPath(0), "C:\\Ä\\A.tmp");
    EXPECT_EQ(list.At(1), "c:\\B.tmp");

    list.KeepRows({1, 0});  // and through a rebuild
    EXPECT_THAT(test::ShownEntries(list), ElementsAre("c:\\B.tmp", "c:\\Ä\\a.tmp"));
    EXPECT_EQ(list.FoundPath(1), "C:\\Ä\\A.tmp");
    list.Append("c:\\NEW.tmp", {});
    EXPECT_EQ(list.At(2), "c:\\NEW.tmp");
}

TEST(ResultList, EachEntryKeepsItsFileExactlyThroughRebuildsAndAfterAClear) {
    // Devices of several disks, inodes and sizes at the ends of their ranges,
    // times before 1970 and far ahead, every nanosecond byte in use.
    const ListedFile files[] = {
        {{0x803, 12}, 0, {1'700'000'000, 999'999'999}},
        {{0xfd01, ~std::uint64_t{0}}, INT64_MAX, {-1, 1}},
        {{0x803, 1ull << 35}, 52, {INT64_MIN, 0x01020304}},
        {{0, 0}, 1, {INT64_MAX, 0}},
    };
    ResultList list;
    for (std::size_t i = 0; i < std::size(files); ++i) list.Append("c:\\" + std::to_string(i), files[i]);
    for (std::size_t i = 0; i < std::size(files); ++i) {
        EXPECT_EQ(list.Listed(i), files[i]) << i;
        EXPECT_EQ(list.FoundPath(i), "c:\\" + std::to_string(i));
    }
    list.KeepRows({3, 1, 2});
    EXPECT_EQ(list.Listed(0), files[3]);
    EXPECT_EQ(list.Listed(1), files[1]);
    EXPECT_EQ(list.Listed(2), files[2]);
    list.Clear();
    list.Append("c:\\again", files[1]);
    EXPECT_EQ(list.Listed(0), files[1]);
}

TEST(ResultList, KeepRowsRebuildsInTheGivenOrderWithTheFirstCurrentAndNoHighlights) {
    ResultList list = ListOf({"a", "b", "c", "d"});
    list.Highlight(2);
    const auto generation = list.Generation();
    list.KeepRows({3, 1});
    EXPECT_THAT(test::ShownEntries(list), ElementsAre("d", "b"));
    EXPECT_EQ(list.HighlightedCount(), 0u);
    EXPECT_FALSE(list.IsHighlighted(0));
    EXPECT_EQ(list.Current(), 0u);
    EXPECT_GT(list.Generation(), generation);

    list.KeepRows({});
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Current(), std::nullopt);
}

TEST(ResultList, HighlightingMakesCurrentButRemovingAHighlightDoesNot) {
    ResultList list = ListOf({"a", "b", "c"});
    list.Highlight(1);
    list.Highlight(1);
    list.Highlight(2);
    EXPECT_EQ(list.HighlightedCount(), 2u);
    EXPECT_EQ(list.Current(), 2u);
    list.RemoveHighlight(2);
    list.RemoveHighlight(0);
    EXPECT_EQ(list.HighlightedCount(), 1u);
    EXPECT_EQ(list.Current(), 2u);

    list.HighlightAll();
    EXPECT_EQ(list.HighlightedCount(), 3u);
    EXPECT_EQ(list.Current(), 2u);  // the last
    list.ClearHighlights();
    EXPECT_EQ(list.HighlightedCount(), 0u);
    EXPECT_EQ(list.Current(), 2u);
}

TEST(ResultList, ProgramChangesToTheSelectionAreCountedForTheWindow) {
    ResultList list = ListOf({"a", "b"});
    auto seen = list.SelectionGeneration();
    list.Highlight(0);
    EXPECT_GT(list.SelectionGeneration(), seen);
    seen = list.SelectionGeneration();
    list.Append("c", {});  // appending leaves the selection as it is
    EXPECT_EQ(list.SelectionGeneration(), seen);
    EXPECT_FALSE(list.IsHighlighted(2));
    list.Clear();
    EXPECT_GT(list.SelectionGeneration(), seen);
    EXPECT_EQ(list.HighlightedCount(), 0u);
}

}  // namespace
}  // namespace vellomar
