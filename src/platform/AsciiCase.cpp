#include "platform/AsciiCase.h"

#include <algorithm>
#include <cstdint>

#include "platform/RandomWord.h"

namespace vellomar {

std::string ToAsciiUpper(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
    return result;
}

std::string ToAsciiLower(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
    return result;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

std::size_t HashIgnoringAsciiCase(std::string_view text) {
    // FNV-1a over the upper-cased bytes from a seed of this run's, then a
    // final mix that spreads every bit into the low ones. With the seed drawn
    // anew each run, no file can be made whose names all fall on one slot.
    static const std::uint64_t seed = RandomWord();
    std::uint64_t hash = 0xcbf29ce484222325u ^ seed;
    for (char c : text) hash = (hash ^ static_cast<unsigned char>(AsciiUpper(c))) * 0x100000001b3u;
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdu;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53u;
    hash ^= hash >> 33;
    return static_cast<std::size_t>(hash);
}

}  // namespace vellomar
