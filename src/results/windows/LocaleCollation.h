#pragma once
// The order of the desktop's sorted list box: the user's locale, without
// regard to letter case.

#include <QLocale>

#include "results/Sorting.h"

namespace vellomar {

class LocaleCollation final : public ListCollation {
public:
    explicit LocaleCollation(const QLocale& locale = QLocale::system());

    // Each text is collated once, into a sort key; the sort compares the keys.
    std::vector<std::size_t> AscendingOrder(
        std::size_t count, const std::function<std::string(std::size_t)>& textAt) const override;

private:
    QLocale locale_;
};

}  // namespace vellomar
