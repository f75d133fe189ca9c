#include "run/PackedTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellomar {
namespace {

// Lengths around the one-byte and two-byte length marks, a text longer than
// a block, zero and high bytes, and enough short texts to fill several blocks:
// each comes back exactly, and earlier ones stay readable as blocks are added.
TEST(PackedTexts, EveryTextComesBackExactlyAcrossBlocks) {
    std::vector<std::string> texts = {"", std::string(127, 'a'), std::string(128, 'b'),
                                      std::string(16383, 'c'), std::string(16384, 'd'),
                                      std::string("a\0b", 3), "\xff\x80\x7f",
                                      std::string((std::size_t{1} << 20) + 5, 'e')};
    for (int i = 0; i < 60'000; ++i) texts.push_back("c:\\folder" + std::to_string(i) + "\\x.tmp");
    texts.push_back(std::string(300, 'f'));

    PackedTexts packed;
    for (const std::string& text : texts) packed.Append(text);
    ASSERT_EQ(packed.Count(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(packed.At(i), texts[i]) << "text " << i;

    packed.Clear();
    EXPECT_EQ(packed.Count(), 0u);
    packed.Append("again");
    EXPECT_EQ(packed.At(0), "again");
}

}  // namespace
}  // namespace vellomar
