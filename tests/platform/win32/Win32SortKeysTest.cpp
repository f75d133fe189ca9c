// The Win32 layer's sort keys (the system's own, in the user's locale or a
// named one) against the system's comparison of the same texts.

#include <gtest/gtest.h>

#include "platform/win32/SystemApi.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "platform/SortKeys.h"
#include "platform/win32/WidePath.h"

namespace vellomar {
namespace {

// "\xc3\x84" is "Ä", "\xc3\xa4" "ä", "\xc3\xa9" "é", "\xc3\x89" "É", "\xc3\x9f" "ß".
const std::vector<std::string> kNames = {
    "z.tmp", "\xc3\xa9" "a.tmp", "\xc3\x89" "mile.TMP", "\xc3\x84" "pfel.tmp", "apfel.bak",
    "Stra\xc3\x9f" "e.tmp", "strasse.old", "\xc3\x89" "b.tmp", "eb.tmp", "Zebra.bak", "a b.tmp", "a_b.tmp", "a1.tmp", "a-b.tmp",
    "\xce\xa9" ".tmp", "\xe6\x97\xa5\xe6\x9c\xac.tmp", "APFEL.BAK"};

std::vector<std::string> Keys(const std::string& locale, const std::vector<std::string>& texts) {
    SortKeyMaker maker(locale);
    std::vector<std::string> keys;
    for (const std::string& text : texts) maker.Append(text, keys.emplace_back());
    return keys;
}

// Positions of texts stably sorted by less.
template <typename Less>
std::vector<std::size_t> Order(std::size_t count, Less less) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), less);
    return order;
}

// The system's comparison with the flags the keys are made with.
int SystemComparison(const std::string& locale, const std::string& a, const std::string& b) {
    const std::wstring name = Widened(locale), wideA = Widened(a), wideB = Widened(b);
    return CompareStringEx(locale.empty() ? LOCALE_NAME_USER_DEFAULT : name.c_str(),
                           NORM_IGNORECASE | SORT_STRINGSORT, wideA.data(), int(wideA.size()), wideB.data(),
                           int(wideB.size()), nullptr, nullptr, 0);
}

TEST(Win32SortKeys, KeysOrderTextsAsTheSystemComparesThemAndHoldNoZeroByte) {
    for (const std::string locale : {"", "de-DE", "en-US", "sv-SE"}) {
        const std::vector<std::string> keys = Keys(locale, kNames);
        for (const std::string& key : keys) {
            EXPECT_FALSE(key.empty()) << locale;
            EXPECT_EQ(key.find('\0'), std::string::npos) << locale;
        }
        const auto byKeys =
            Order(kNames.size(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
        const auto bySystem = Order(kNames.size(), [&](std::size_t a, std::size_t b) {
            return SystemComparison(locale, kNames[a], kNames[b]) == CSTR_LESS_THAN;
        });
        EXPECT_EQ(byKeys, bySystem) << "locale \"" << locale << "\"";
        std::string shown;  // what the system gave, for the record
        for (std::size_t i : byKeys) shown += kNames[i] + " ";
        std::printf("order in \"%s\": %s\n", locale.c_str(), shown.c_str());
    }
}

TEST(Win32SortKeys, LetterCaseMakesNoDifferenceAndUmlautsStayBesideTheirLetters) {
    const std::vector<std::string> keys =
        Keys("de-DE", {"apfel", "APFEL", "\xc3\x84" "pfel", "\xc3\xa4" "pfel", "z"});
    EXPECT_EQ(keys[0], keys[1]);
    EXPECT_EQ(keys[2], keys[3]);
    EXPECT_LT(keys[0], keys[2]);
    EXPECT_LT(keys[2], keys[4]);
}

}  // namespace
}  // namespace vellomar
