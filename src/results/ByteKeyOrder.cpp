#include "results/ByteKeyOrder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <thread>

namespace vellomar {
namespace {

std::size_t RunCount(std::size_t count) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(count / kTextsWorthAThread, 1, std::min<std::size_t>(cores, 8));
}

// The keys of one run, end to end in one buffer: a million small keys of
// their own would scatter over the heap, and every comparison would wait on
// memory.
class RunKeys {
public:
    RunKeys(std::size_t firstPosition, std::size_t count) : firstPosition_(firstPosition) {
        starts_.reserve(count + 1);
        starts_.push_back(0);
    }

    void Add(const std::string& text, const AppendKey& appendKey) {
        appendKey(text, bytes_);
        starts_.push_back(bytes_.size());
    }

    std::string_view KeyOf(std::size_t position) const {
        const std::size_t index = position - firstPosition_;
        return std::string_view(bytes_).substr(starts_[index], starts_[index + 1] - starts_[index]);
    }

    // Eight bytes of a key from depth on, the first in the highest place, so
    // that chunks compare as the bytes do; bytes past the key's end count as
    // zero, below every byte a key holds.
    std::uint64_t ChunkOf(std::size_t position, std::size_t depth) const {
        const std::string_view key = KeyOf(position);
        std::uint64_t chunk = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            const std::size_t at = depth + i;
            chunk = (chunk << 8) | (at < key.size() ? static_cast<unsigned char>(key[at]) : 0u);
        }
        return chunk;
    }

private:
    std::size_t firstPosition_;
    std::string bytes_;
    std::vector<std::size_t> starts_;
};

struct Slot {
    std::uint64_t chunk;
    std::size_t position;
};

// Sorts slots whose keys agree before depth: by the next eight bytes, then
// each group that still agrees by the eight after those. Chunks sit beside
// the positions, so most comparisons never touch the keys; the position breaks
// ties, which keeps equal keys in their order.
void SortFromDepth(std::span<Slot> slots, std::size_t depth, const RunKeys& keys) {
    for (Slot& slot : slots) slot.chunk = keys.ChunkOf(slot.position, depth);
    std::sort(slots.begin(), slots.end(), [](const Slot& a, const Slot& b) {
        return a.chunk != b.chunk ? a.chunk < b.chunk : a.position < b.position;
    });
    for (std::size_t begin = 0; begin < slots.size();) {
        std::size_t end = begin + 1;
        while (end < slots.size() && slots[end].chunk == slots[begin].chunk) ++end;
        // A zero low byte means the keys ended inside the chunk: they are equal.
        const bool keysGoOn = (slots[begin].chunk & 0xff) != 0;
        if (end - begin > 1 && keysGoOn) SortFromDepth(slots.subspan(begin, end - begin), depth + 8, keys);
        begin = end;
    }
}

}  // namespace

std::vector<std::size_t> OrderByByteKeys(std::size_t count,
                                         const std::function<std::string(std::size_t)>& textAt,
                                         const std::function<AppendKey()>& newKeyMaker) {
    const std::size_t runs = RunCount(count);
    const std::size_t runLength = (count + runs - 1) / runs;
    const auto runBegin = [&](std::size_t run) { return std::min(count, run * runLength); };

    std::vector<RunKeys> runKeys;
    runKeys.reserve(runs);
    for (std::size_t run = 0; run < runs; ++run)
        runKeys.emplace_back(runBegin(run), runBegin(run + 1) - runBegin(run));
    std::vector<Slot> slots(count);

    const auto keyAndSortRun = [&](std::size_t run, const AppendKey& appendKey) {
        RunKeys& keys = runKeys[run];
        for (std::size_t position = runBegin(run); position < runBegin(run + 1); ++position) {
            keys.Add(textAt(position), appendKey);
            slots[position].position = position;
        }
        SortFromDepth(std::span(slots).subspan(runBegin(run), runBegin(run + 1) - runBegin(run)), 0, keys);
    };
    {
        std::vector<std::jthread> threads;
        for (std::size_t run = 1; run < runs; ++run)
            threads.emplace_back(keyAndSortRun, run, newKeyMaker());
        keyAndSortRun(0, newKeyMaker());
    }  // joins them

    // Each merge takes the earlier run's position first among equal keys.
    const auto keyOf = [&](const Slot& slot) { return runKeys[slot.position / runLength].KeyOf(slot.position); };
    for (std::size_t run = 1; run < runs; ++run)
        std::inplace_merge(slots.begin(), slots.begin() + runBegin(run), slots.begin() + runBegin(run + 1),
                           [&](const Slot& a, const Slot& b) { return keyOf(a) < keyOf(b); });

    std::vector<std::size_t> order;
    order.reserve(count);
    for (const Slot& slot : slots) order.push_back(slot.position);
    return order;
}

}  // namespace vellomar
