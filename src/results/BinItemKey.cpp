#include "results/BinItemKey.h"

#include <unordered_map>

namespace vellomar {

std::vector<std::string> BinItemKeys(const std::vector<BinItem>& items) {
    std::unordered_map<std::string_view, std::size_t> entriesUnder;
    for (const BinItem& item : items) ++entriesUnder[item.id];
    std::vector<std::string> keys;
    keys.reserve(items.size());
    for (const BinItem& item : items)
        keys.push_back(entriesUnder[item.id] > 1 ? item.id + "/" + item.name : item.id);
    return keys;
}

std::string_view BinItemIdOfKey(std::string_view key) { return key.substr(0, key.find('/')); }

std::optional<std::size_t> FindBinItem(const std::vector<BinItem>& items, std::string_view key) {
    const std::vector<std::string> keys = BinItemKeys(items);
    std::optional<std::size_t> found;
    for (std::size_t index = 0; index < keys.size(); ++index) {
        if (keys[index] != key) continue;
        if (found) return std::nullopt;
        found = index;
    }
    return found;
}

}  // namespace vellomar
