#include "results/windows/LocaleCollation.h"

namespace vellomar {

LocaleCollation::LocaleCollation(const QLocale& locale)
    : collator_(locale),
      // In the C locale the collator's sort keys keep letter case whatever it is
      // told; folding the texts first gives the order its comparison has.
      foldCase_(locale.language() == QLocale::C) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

std::vector<std::size_t> LocaleCollation::AscendingOrder(
    std::size_t count, const std::function<std::string(std::size_t)>& textAt) const {
    return OrderByKeys(
        count, textAt,
        [this](const std::string& text) {
            QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
            return collator_.sortKey(foldCase_ ? shown.toCaseFolded() : shown);
        },
        [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b) < 0; });
}

}  // namespace vellomar
