#include "platform/SortKeys.h"

#include <unicode/ucasemap.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

namespace vellomar {
namespace {

struct CloseCollator {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
struct CloseCaseMap {
    void operator()(UCaseMap* caseMap) const { ucasemap_close(caseMap); }
};

bool IsCLocale(std::string_view name) {
    return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

// "de_DE.UTF-8" as the collation library names it, "de_DE"; a locale it has
// no order of its own for takes its language's or the root order. Never
// empty, which would make the library guess the locale from variables of
// its own choosing.
std::string IcuLocaleName(std::string_view posixName) {
    const std::string name(posixName);
    std::array<char, ULOC_FULLNAME_CAPACITY> canonical{};
    UErrorCode status = U_ZERO_ERROR;
    uloc_canonicalize(name.c_str(), canonical.data(), static_cast<int32_t>(canonical.size()), &status);
    const bool named = U_SUCCESS(status) && status != U_STRING_NOT_TERMINATED_WARNING && canonical[0] != '\0';
    return named ? canonical.data() : "root";
}

// The locale's order, normalized, letter case ignored (secondary strength),
// digits one by one, punctuation and blanks counted as characters.
std::unique_ptr<UCollator, CloseCollator> OpenCollator(std::string_view locale) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCollator, CloseCollator> collator(ucol_open(IcuLocaleName(locale).c_str(), &status));
    if (U_FAILURE(status)) return nullptr;
    ucol_setAttribute(collator.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    ucol_setAttribute(collator.get(), UCOL_STRENGTH, UCOL_SECONDARY, &status);
    ucol_setAttribute(collator.get(), UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    ucol_setAttribute(collator.get(), UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    return U_SUCCESS(status) ? std::move(collator) : nullptr;
}

// Appends the collator's key of text, without its closing zero byte.
void AppendCollated(const UCollator& collator, std::u16string_view text, std::string& keys) {
    const std::size_t start = keys.size();
    const auto length = static_cast<int32_t>(text.size());
    int32_t room = 16 + 2 * length;
    for (;;) {
        keys.resize(start + static_cast<std::size_t>(room));
        const int32_t needed = ucol_getSortKey(&collator, text.data(), length,
                                               reinterpret_cast<uint8_t*>(keys.data() + start), room);
        if (needed <= room) {
            keys.resize(start + static_cast<std::size_t>(needed > 0 ? needed - 1 : 0));
            return;
        }
        room = needed;
    }
}

// Appends text with its letter case folded (all of Unicode's, so "É" and "é"
// are one), still in UTF-8; bytes that are not UTF-8 stay as they are.
void AppendFolded(const UCaseMap& caseMap, std::string_view text, std::string& keys) {
    const std::size_t start = keys.size();
    const auto length = static_cast<int32_t>(text.size());
    int32_t room = length + 8;
    for (;;) {
        keys.resize(start + static_cast<std::size_t>(room));
        UErrorCode status = U_ZERO_ERROR;
        const int32_t needed =
            ucasemap_utf8FoldCase(&caseMap, keys.data() + start, room, text.data(), length, &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            room = needed;
            continue;
        }
        keys.resize(start + static_cast<std::size_t>(U_SUCCESS(status) ? needed : 0));
        if (U_FAILURE(status)) keys.append(text);
        return;
    }
}

}  // namespace

std::string UserCollationLocale() {
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"})
        if (const char* value = std::getenv(variable); value && *value) return value;
    return {};
}

// The C locale orders by code point (the C library compares the bytes, and
// UTF-8's bytes compare as its code points do), with letter case folded, as
// the list ignores it: the plain order someone who chose no language asks
// for, where a language's order would be a guess. Every other locale takes
// the collation library's order.
struct SortKeyMaker::Collator {
    std::unique_ptr<UCollator, CloseCollator> collator;  // none in the C locale
    std::unique_ptr<UCaseMap, CloseCaseMap> caseFolding;  // only without a collator
    std::u16string utf16;  // the text being keyed, reused from text to text
};

SortKeyMaker::SortKeyMaker(std::string_view locale) : collator_(std::make_unique<Collator>()) {
    if (!IsCLocale(locale)) collator_->collator = OpenCollator(locale);
    if (collator_->collator) return;
    // The C locale, or one the library cannot open at all.
    UErrorCode status = U_ZERO_ERROR;
    collator_->caseFolding.reset(ucasemap_open("", U_FOLD_CASE_DEFAULT, &status));
    if (U_FAILURE(status)) collator_->caseFolding.reset();
}

SortKeyMaker::~SortKeyMaker() = default;

void SortKeyMaker::Append(std::string_view text, std::string& keys) {
    if (!collator_->collator) {
        if (collator_->caseFolding) AppendFolded(*collator_->caseFolding, text, keys);
        else keys.append(text);  // out of memory: the bytes as they are
        return;
    }
    // Each byte gives at most one UTF-16 unit; bytes that are not UTF-8 count
    // as U+FFFD.
    std::u16string& utf16 = collator_->utf16;
    if (utf16.size() < text.size()) utf16.resize(text.size());
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(utf16.data(), static_cast<int32_t>(utf16.size()), &length, text.data(),
                         static_cast<int32_t>(text.size()), 0xfffd, nullptr, &status);
    AppendCollated(*collator_->collator, std::u16string_view(utf16.data(), U_SUCCESS(status) ? length : 0),
                   keys);
}

}  // namespace vellomar
