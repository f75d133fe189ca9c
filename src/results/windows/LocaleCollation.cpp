#include "results/windows/LocaleCollation.h"

#include "results/OrderByKeys.h"

namespace vellomar {

LocaleCollation::LocaleCollation(const QLocale& locale)
    : locale_(locale),
      // In the C locale the collator's sort keys keep letter case whatever it is
      // told; folding the texts first gives the order its comparison has.
      foldCase_(locale.language() == QLocale::C) {}

std::vector<std::size_t> LocaleCollation::AscendingOrder(
    std::size_t count, const std::function<std::string(std::size_t)>& textAt) const {
    // A collator of its own for every sorting thread: a collator is not made
    // to be shared between threads.
    const auto newKeyMaker = [this] {
        QCollator collator(locale_);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        return [collator = std::move(collator), foldCase = foldCase_](const std::string& text) {
            QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
            return collator.sortKey(foldCase ? shown.toCaseFolded() : shown);
        };
    };
    return OrderByKeys(
        count, textAt, newKeyMaker,
        [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b) < 0; });
}

}  // namespace vellomar
