#pragma once
// A hash index of small entries kept in one flat array of slots (open
// addressing, linear probing): an entry costs its own bytes and a share of the
// empty slots, with no node or name of its own on the heap. The owner knows
// what an entry names and gives, with each call, the hash of a name and a test
// that an entry names it, so entries can be offsets into a text it keeps.

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace vellomar {

template <typename Entry>
class FlatIndex {
public:
    // empty marks a free slot: no entry stored may equal it.
    explicit FlatIndex(Entry empty) : empty_(empty) {}

    // The entry of that hash that names matches, or nothing.
    template <typename Names>
    std::optional<Entry> Find(std::size_t hash, Names names) const {
        if (slots_.empty()) return std::nullopt;
        for (std::size_t at = hash & Mask();; at = (at + 1) & Mask()) {
            if (slots_[at] == empty_) return std::nullopt;
            if (names(slots_[at])) return slots_[at];
        }
    }

    // Stores an entry that Find does not find yet. hashOf gives the hash of any
    // entry stored, for moving them all into a larger array.
    template <typename HashOf>
    void Add(std::size_t hash, Entry entry, HashOf hashOf) {
        // At most three slots in four in use keeps probe runs short.
        if ((count_ + 1) * 4 > slots_.size() * 3) Grow(hashOf);
        Place(hash, entry);
        ++count_;
    }

private:
    static constexpr std::size_t kFirstSize = 16;

    std::size_t Mask() const { return slots_.size() - 1; }

    void Place(std::size_t hash, Entry entry) {
        std::size_t at = hash & Mask();
        while (!(slots_[at] == empty_)) at = (at + 1) & Mask();
        slots_[at] = entry;
    }

    template <typename HashOf>
    void Grow(HashOf hashOf) {
        std::vector<Entry> old = std::exchange(
            slots_, std::vector<Entry>(slots_.empty() ? kFirstSize : slots_.size() * 2, empty_));
        for (const Entry& entry : old)
            if (!(entry == empty_)) Place(hashOf(entry), entry);
    }

    Entry empty_;
    std::vector<Entry> slots_;  // a power of two of them, or none yet
    std::size_t count_ = 0;
};

}  // namespace vellomar
