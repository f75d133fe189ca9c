#include "results/windows/LocaleCollation.h"

#include <unicode/ucol.h>

#include <memory>

#include <QString>

#include "results/ByteKeyOrder.h"

namespace vellomar {
namespace {

struct CloseCollator {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using Collator = std::unique_ptr<UCollator, CloseCollator>;

// The collator the toolkit's own locale-aware comparison sets up: the
// locale's order, normalized, letter case ignored (secondary strength),
// digits one by one, punctuation counted. Its sort keys are taken straight
// into the key buffer; the toolkit's key objects would be a million small
// allocations whose bytes cannot be reached. No collator for the C locale or
// one the library cannot open.
Collator OpenCollator(const QLocale& locale) {
    if (locale.language() == QLocale::C) return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    Collator collator(ucol_open(locale.bcp47Name().replace(u'-', u'_').toUtf8().constData(), &status));
    if (U_FAILURE(status)) return nullptr;
    ucol_setAttribute(collator.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    ucol_setAttribute(collator.get(), UCOL_STRENGTH, UCOL_SECONDARY, &status);
    ucol_setAttribute(collator.get(), UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    ucol_setAttribute(collator.get(), UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    return U_SUCCESS(status) ? std::move(collator) : nullptr;
}

// Appends the collator's key of text, without its closing zero byte.
void AppendSortKey(const UCollator& collator, const QString& text, std::string& keys) {
    const std::size_t start = keys.size();
    const auto characters = reinterpret_cast<const UChar*>(text.utf16());
    const auto length = static_cast<int32_t>(text.size());
    int32_t room = 16 + 2 * length;
    for (;;) {
        keys.resize(start + static_cast<std::size_t>(room));
        const int32_t needed = ucol_getSortKey(&collator, characters, length,
                                               reinterpret_cast<uint8_t*>(keys.data() + start), room);
        if (needed <= room) {
            keys.resize(start + static_cast<std::size_t>(needed > 0 ? needed - 1 : 0));
            return;
        }
        room = needed;
    }
}

}  // namespace

LocaleCollation::LocaleCollation(const QLocale& locale) : locale_(locale) {}

std::vector<std::size_t> LocaleCollation::AscendingOrder(
    std::size_t count, const std::function<std::string(std::size_t)>& textAt) const {
    // A collator of its own for every sorting thread. Without one (the C
    // locale) texts order by their case-folded code points.
    const auto newKeyMaker = [this]() -> AppendKey {
        std::shared_ptr<UCollator> collator = OpenCollator(locale_);
        return [collator](const std::string& text, std::string& keys) {
            const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
            if (collator)
                AppendSortKey(*collator, shown, keys);
            else
                keys.append(shown.toCaseFolded().toStdString());
        };
    };
    return OrderByByteKeys(count, textAt, newKeyMaker);
}

}  // namespace vellomar
