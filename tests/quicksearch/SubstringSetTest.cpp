#include "quicksearch/SubstringSet.h"

#include <gtest/gtest.h>

#include <random>

namespace vellomar {
namespace {

bool AnyInOneByOne(const std::vector<std::string>& parts, std::string_view text) {
    for (const std::string& part : parts)
        if (text.find(part) != std::string_view::npos) return true;
    return false;
}

TEST(SubstringSet, FindsPartsOfEveryLengthAtEveryPlace) {
    const SubstringSet set({"C:\\WINDOWS", "TMP", "\\A\\B\\", "X"});
    EXPECT_TRUE(set.AnyIn("C:\\WINDOWS"));           // the whole text
    EXPECT_TRUE(set.AnyIn("D:\\C:\\WINDOWS.OLD"));   // in the middle
    EXPECT_TRUE(set.AnyIn("D:\\USERS\\TMP"));        // a short part at the end
    EXPECT_TRUE(set.AnyIn("D:\\A\\B\\C"));
    EXPECT_TRUE(set.AnyIn("X"));
    EXPECT_FALSE(set.AnyIn("C:\\WINDOW"));           // a part longer than what is left
    EXPECT_FALSE(set.AnyIn("D:\\A\\BC"));
    EXPECT_FALSE(set.AnyIn(""));
    EXPECT_FALSE(SubstringSet({}).AnyIn("anything"));
    EXPECT_TRUE(SubstringSet({""}).AnyIn("anything"));  // as a search for nothing finds it
}

// Texts and parts drawn from a few letters, so that heads repeat and parts
// overlap: the set must answer as searching for each part in turn does.
TEST(SubstringSet, AnswersAsSearchingForEachPartInTurn) {
    std::mt19937 random(7);
    const auto draw = [&](std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text.push_back("ab\\C:"[random() % 5]);
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> parts;
        for (std::size_t count = random() % 8; count > 0; --count) parts.push_back(draw(2 + random() % 9));
        const SubstringSet set(parts);
        for (int probe = 0; probe < 20; ++probe) {
            const std::string text = draw(random() % 30);
            ASSERT_EQ(set.AnyIn(text), AnyInOneByOne(parts, text)) << text;
        }
    }
}

}  // namespace
}  // namespace vellomar
