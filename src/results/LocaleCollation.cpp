#include "results/LocaleCollation.h"

#include <memory>
#include <utility>

#include "results/ByteKeyOrder.h"

namespace vellomar {

LocaleCollation::LocaleCollation(std::string locale) : locale_(std::move(locale)) {}

std::vector<std::size_t> LocaleCollation::AscendingOrder(
    std::size_t count, const std::function<std::string(std::size_t)>& textAt) const {
    // A key maker of its own for every sorting thread: a collator serves one
    // thread at a time.
    const auto newKeyMaker = [this]() -> AppendKey {
        auto maker = std::make_shared<SortKeyMaker>(locale_);
        return [maker](const std::string& text, std::string& keys) { maker->Append(text, keys); };
    };
    return OrderByByteKeys(count, textAt, newKeyMaker);
}

}  // namespace vellomar
