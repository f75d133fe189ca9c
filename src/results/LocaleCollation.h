#pragma once
// The order of the sorted list box: a locale's, without regard to letter
// case. The window and the command line both sort in the user's locale.

#include <string>

#include "platform/SortKeys.h"
#include "results/Sorting.h"

namespace vellomar {

class LocaleCollation final : public ListCollation {
public:
    // locale is a name as UserCollationLocale() gives it.
    explicit LocaleCollation(std::string locale = UserCollationLocale());

    // Each text is made into its sort key once; the sort compares the keys.
    std::vector<std::size_t> AscendingOrder(
        std::size_t count, const std::function<std::string(std::size_t)>& textAt) const override;

private:
    std::string locale_;
};

}  // namespace vellomar
