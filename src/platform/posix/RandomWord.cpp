#include "platform/RandomWord.h"

#include <unistd.h>

#include <array>
#include <cstdlib>

namespace vellomar {

std::uint64_t RandomWord() {
    // The kernel's generator, asked for as many words as one call gives: a
    // call a word would double what putting a file aside costs.
    thread_local std::array<std::uint64_t, 256 / sizeof(std::uint64_t)> words;
    thread_local std::size_t left = 0;
    if (left == 0) {
        if (getentropy(words.data(), sizeof words) != 0) std::abort();  // no randomness: no fresh names
        left = words.size();
    }
    return words[--left];
}

}  // namespace vellomar
