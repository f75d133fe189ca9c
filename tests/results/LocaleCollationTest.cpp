// The list's order in a locale, the one the window and the command line both
// sort in, against the collation library's own comparison of the same texts.

#include "results/LocaleCollation.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "support/ListedEntries.h"
#include "support/ScopedVariable.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

using ::testing::ElementsAre;

// The collation library's own comparison, letter case ignored: a locale's
// order at secondary strength, or (icuLocale null) code points compared with
// their case folded.
class LibraryOrder {
public:
    explicit LibraryOrder(const char* icuLocale) {
        if (!icuLocale) return;
        UErrorCode status = U_ZERO_ERROR;
        collator_.reset(ucol_open(icuLocale, &status));
        ucol_setStrength(collator_.get(), UCOL_SECONDARY);
        EXPECT_TRUE(U_SUCCESS(status)) << icuLocale;
    }

    bool Before(const std::string& a, const std::string& b) const {
        UErrorCode status = U_ZERO_ERROR;
        if (collator_)
            return ucol_strcollUTF8(collator_.get(), a.data(), int32_t(a.size()), b.data(), int32_t(b.size()),
                                    &status) == UCOL_LESS;
        const std::u16string wideA = Utf16(a), wideB = Utf16(b);
        return u_strCaseCompare(wideA.data(), int32_t(wideA.size()), wideB.data(), int32_t(wideB.size()),
                                U_FOLD_CASE_DEFAULT | U_COMPARE_CODE_POINT_ORDER, &status) < 0;
    }

    // Positions of texts, stably sorted.
    std::vector<std::size_t> Order(const std::vector<std::string>& texts) const {
        std::vector<std::size_t> order(texts.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return Before(texts[a], texts[b]); });
        return order;
    }

private:
    static std::u16string Utf16(const std::string& text) {
        std::u16string wide(text.size(), u'\0');
        int32_t length = 0;
        UErrorCode status = U_ZERO_ERROR;
        u_strFromUTF8(wide.data(), int32_t(wide.size()), &length, text.data(), int32_t(text.size()), &status);
        wide.resize(std::size_t(length));
        return wide;
    }

    struct Close {
        void operator()(UCollator* collator) const { ucol_close(collator); }
    };
    std::unique_ptr<UCollator, Close> collator_;
};

struct LocalePair {
    const char* posix;  // as the environment names it
    const char* icu;    // as the collation library does; null for code points
};
const LocalePair kLocales[] = {{"C.UTF-8", nullptr}, {"de_DE.UTF-8", "de_DE"}, {"en_US.UTF-8", "en_US"}};

// A LocaleCollation that keeps the texts it was given.
class RecordedCollation final : public ListCollation {
public:
    explicit RecordedCollation(std::string locale) : collation_(std::move(locale)) {}
    std::vector<std::size_t> AscendingOrder(
        std::size_t count, const std::function<std::string(std::size_t)>& textAt) const override {
        texts.assign(count, {});
        return collation_.AscendingOrder(count, [&](std::size_t i) { return texts[i] = textAt(i); });
    }
    mutable std::vector<std::string> texts;

private:
    LocaleCollation collation_;
};

TEST(LocaleCollation, EveryKindOrdersNamesBeyondAsciiAsTheCollationLibraryDoes) {
    // Letters that languages order apart from their code points, in both
    // letter cases, beside blanks, punctuation and digits; sizes repeat.
    const std::vector<std::string> names = {
        "z.tmp", "\xc3\xa9" "a.tmp", "\xc3\x89" "mile.TMP", "\xc3\x84" "pfel.tmp", "apfel.bak",
        "Stra\xc3\x9f" "e.tmp", "strasse.old", "\xc3\x89" "b.tmp", "eb.tmp", "Zebra.bak", "\xc3\xb1" "u.old",
        "\xc3\x91" "andu.tmp", "a b.tmp", "a_b.tmp", "a1.tmp", "\xc3\x96" "l.chk", "\xce\xa9" ".tmp",
        "\xcf\x89" "mega.bak", "\xe6\x97\xa5\xe6\x9c\xac.tmp", "noext", "A-z.\xc3\x89" "T",
        // The last two in one folder, apart by letter case alone.
        "\xc3\xa9t\xc3\xa9.tmp", "\xc3\x89" "CLAIR.tmp", "\xc3\xa9" "clair.tmp"};
    test::TempTree tree;
    std::unique_ptr<Platform> platform = test::MakeTestPlatform(tree);
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string folder = i % 3 ? "d\xc3\xa9j\xc3\xa0" : "Sub";
        tree.AddFile("drive/" + folder + "/" + names[i], i % 4);
        entries.push_back("t:\\" + folder + "\\" + names[i]);
    }
    entries.push_back("t:\\gone.tmp");  // sorts by the size -1
    for (const LocalePair& locale : kLocales) {
        const LibraryOrder library(locale.icu);
        for (SortKind kind : {SortKind::Extension, SortKind::Name, SortKind::Path, SortKind::Size}) {
            Session session(*platform);
            for (const std::string& entry : entries)
                test::AppendListed(session.results, platform->Files(), entry);
            RecordedCollation collation(locale.posix);
            SortList(session.results, platform->Files(), collation, kind, true);
            // Each text is its key, ":::" and the entry that comes back.
            std::vector<std::string> expected;
            for (std::size_t i : library.Order(collation.texts))
                expected.push_back(collation.texts[i].substr(collation.texts[i].find(":::") + 3));
            EXPECT_EQ(test::ShownEntries(session.results), expected)
                << locale.posix << ", kind " << static_cast<int>(kind);
        }
    }
}

std::vector<std::size_t> OrderIn(const std::string& locale, const std::vector<std::string>& texts) {
    return LocaleCollation(locale).AscendingOrder(texts.size(), [&](std::size_t i) { return texts[i]; });
}

TEST(LocaleCollation, IgnoresLetterCaseAndKeepsTheOrderOfEqualTexts) {
    for (const LocalePair& locale : kLocales)
        EXPECT_THAT(OrderIn(locale.posix, {"b.txt", "A.txt", "a.txt", "B.txt", "\xc3\xa9", "\xc3\x89"}),
                    ElementsAre(1, 2, 0, 3, 4, 5))
            << locale.posix;
}

TEST(LocaleCollation, OrdersEveryAsciiTextAsTheCollationLibraryDoes) {
    std::vector<std::string> texts;
    unsigned state = 1;
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        for (int length = 1 + i % 7; length > 0; --length) {
            state = state * 1103515245u + 12345u;
            text.push_back(char(1 + (state >> 16) % 127));  // every ASCII character but NUL
        }
        texts.push_back(text);
    }
    const LocalePair japanese{"ja_JP.UTF-8", "ja_JP"};
    for (const LocalePair& locale : {kLocales[0], kLocales[1], kLocales[2], japanese})
        EXPECT_EQ(OrderIn(locale.posix, texts), LibraryOrder(locale.icu).Order(texts)) << locale.posix;
}

TEST(LocaleCollation, PutsAnAccentedLetterBesideItsBaseLetterNotAfterZ) {
    // "é" (two bytes in UTF-8) between "e" and "f"; in the C locale after "z".
    EXPECT_THAT(OrderIn("fr_FR.UTF-8", {"z", "f", "\xc3\xa9", "e"}), ElementsAre(3, 2, 1, 0));
    EXPECT_THAT(OrderIn("C", {"z", "f", "\xc3\xa9", "e"}), ElementsAre(3, 1, 0, 2));
}

TEST(UserCollationLocale, IsLcAllThenLcCollateThenLangAsTheCLibraryTakesIt) {
    test::ScopedVariable all("LC_ALL", ""), collate("LC_COLLATE", ""), lang("LANG", ""),
        messages("LC_MESSAGES", "fr_FR.UTF-8");
    EXPECT_EQ(UserCollationLocale(), "");  // the C locale
    test::ScopedVariable german("LANG", "de_DE.UTF-8");
    EXPECT_EQ(UserCollationLocale(), "de_DE.UTF-8");
    test::ScopedVariable swedish("LC_COLLATE", "sv_SE.UTF-8");
    EXPECT_EQ(UserCollationLocale(), "sv_SE.UTF-8");
    test::ScopedVariable english("LC_ALL", "en_US.UTF-8");
    EXPECT_EQ(UserCollationLocale(), "en_US.UTF-8");
}

}  // namespace
}  // namespace vellomar
