#pragma once
// How an item of the bin is named where no list can be pointed at (the
// command line): by its id, which no other item ever gets. Where more than
// one entry lies under an id (an item folder that holds more than its file,
// or the numbered ids of older bins met in two bins), each is named
// "ID/NAME" instead, and a key that still names more than one names none.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/GarbageBin.h"

namespace vellomar {

// The key of each item, in the items' order.
std::vector<std::string> BinItemKeys(const std::vector<BinItem>& items);

// The item id in a key: all of it, or what comes before "/NAME".
std::string_view BinItemIdOfKey(std::string_view key);

// The one item a key names; nothing when none or more than one.
std::optional<std::size_t> FindBinItem(const std::vector<BinItem>& items, std::string_view key);

}  // namespace vellomar
