#pragma once
// Sorting positions by a key made once per text, never comparing texts again.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

namespace vellomar {

// Below this many texts one thread does all the work.
inline constexpr std::size_t kTextsWorthAThread = 20'000;

inline std::size_t SortWorkerCount(std::size_t count) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(count / kTextsWorthAThread, 1, std::min<std::size_t>(cores, 8));
}

// Positions 0 to count - 1 in ascending order of their keys; equal keys keep
// their order. A million paths take seconds to key and sort on one core, so
// the positions are cut into one run per worker thread: each worker keys its
// run with a key maker of its own (newKeyMaker() is called once per worker,
// on the calling thread) and sorts it, then the runs are merged. textAt is
// called once per position, from several threads at once.
template <typename NewKeyMaker, typename Less>
std::vector<std::size_t> OrderByKeys(std::size_t count,
                                     const std::function<std::string(std::size_t)>& textAt,
                                     NewKeyMaker newKeyMaker, Less less) {
    using KeyMaker = decltype(newKeyMaker());
    using Key = decltype(std::declval<KeyMaker&>()(std::string()));
    const std::size_t workers = SortWorkerCount(count);
    const std::size_t runLength = (count + workers - 1) / std::max<std::size_t>(workers, 1);

    // Each run's keys stay where they are made: some key types can only be copied.
    std::vector<std::vector<Key>> runKeys(workers);
    const auto keyOf = [&](std::size_t position) -> const Key& {
        return runKeys[position / runLength][position % runLength];
    };
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto byKey = [&](std::size_t a, std::size_t b) { return less(keyOf(a), keyOf(b)); };

    const auto keyAndSortRun = [&](std::size_t run, KeyMaker makeKey) {
        const std::size_t begin = std::min(count, run * runLength);
        const std::size_t end = std::min(count, begin + runLength);
        std::vector<Key>& keys = runKeys[run];
        keys.reserve(end - begin);
        for (std::size_t position = begin; position < end; ++position)
            keys.push_back(makeKey(textAt(position)));
        std::stable_sort(order.begin() + begin, order.begin() + end, byKey);
    };
    std::vector<std::jthread> threads;
    for (std::size_t run = 1; run < workers; ++run)
        threads.emplace_back(keyAndSortRun, run, newKeyMaker());
    keyAndSortRun(0, newKeyMaker());
    threads.clear();  // joins them

    // Each merge takes the earlier run's position first among equal keys.
    for (std::size_t merged = runLength; merged < count; merged += runLength) {
        const std::size_t end = std::min(count, merged + runLength);
        std::inplace_merge(order.begin(), order.begin() + merged, order.begin() + end, byKey);
    }
    return order;
}

}  // namespace vellomar
